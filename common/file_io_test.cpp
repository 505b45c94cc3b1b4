#include "common/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vt {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("vt_file_io_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    std::vector<uint8_t> Read(const std::string& p) const {
        std::vector<uint8_t> out;
        EXPECT_TRUE(ReadWholeFile(p, &out, 1 << 20));
        return out;
    }

    fs::path m_dir;
};

TEST_F(FileIoTest, ReplacingWriteCreatesAndReplaces) {
    std::string target = Path("a.ico");
    const std::vector<uint8_t> first = {1, 2, 3};
    const std::vector<uint8_t> second = {9, 8};
    ASSERT_TRUE(WriteFileReplacing(target, "ICS", first));
    EXPECT_EQ(Read(target), first);
    ASSERT_TRUE(WriteFileReplacing(target, "ICS", second));
    EXPECT_EQ(Read(target), second);
    EXPECT_EQ(FileCount(), 1u);  // no temporary file left behind
}

TEST_F(FileIoTest, UncommittedWriterLeavesOldFileAndNoTemporary) {
    std::string target = Path("keep.ico");
    const std::vector<uint8_t> old = {7, 7, 7};
    ASSERT_TRUE(WriteFileReplacing(target, "ICS", old));
    {
        TempFileWriter w;
        ASSERT_TRUE(w.Open(target, "ICS"));
        EXPECT_EQ(FileNameOf(w.tempPath()).substr(0, 3), "ICS");
        EXPECT_EQ(DirectoryOf(w.tempPath()), DirectoryOf(target));
        ASSERT_TRUE(w.Write(std::vector<uint8_t>{1}));
        // Destroyed without Commit: a failure part way through the write.
    }
    EXPECT_EQ(Read(target), old);
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(FileIoTest, FailedReplaceKeepsTargetAndRemovesTemporary) {
    // A target that is a non-empty folder cannot be replaced by a file.
    std::string target = Path("folder");
    fs::create_directories(target + "/inside");
    TempFileWriter w;
    ASSERT_TRUE(w.Open(target, "ANI"));
    ASSERT_TRUE(w.Write(std::vector<uint8_t>{1, 2}));
    EXPECT_FALSE(w.Commit());
    EXPECT_TRUE(fs::is_directory(target + "/inside"));
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(FileIoTest, OpenFailsInMissingFolder) {
    TempFileWriter w;
    EXPECT_FALSE(w.Open(Path("no/such/folder/x.ico"), "ICS"));
    EXPECT_FALSE(w.Write(std::vector<uint8_t>{1}));
    EXPECT_FALSE(w.Commit());
}

TEST_F(FileIoTest, InputFileRefusesReadsPastTheEnd) {
    std::string p = Path("data.bin");
    ASSERT_TRUE(WriteFileReplacing(p, "ICM", std::vector<uint8_t>{1, 2, 3, 4, 5}));
    InputFile in;
    ASSERT_TRUE(in.Open(p));
    EXPECT_EQ(in.size(), 5u);
    uint8_t buf[8] = {};
    EXPECT_TRUE(in.ReadAt(3, buf, 2));
    EXPECT_EQ(buf[0], 4);
    EXPECT_FALSE(in.ReadAt(3, buf, 3));
    EXPECT_FALSE(in.ReadAt(UINT64_MAX, buf, 1));
    EXPECT_FALSE(in.ReadAt(1, buf, SIZE_MAX));
    EXPECT_EQ(in.ReadSomeAt(3, buf, 8), 2u);
    EXPECT_TRUE(in.ReadAt(5, buf, 0));
}

TEST_F(FileIoTest, ReadWholeFileHonoursItsCap) {
    std::string p = Path("big.bin");
    ASSERT_TRUE(WriteFileReplacing(p, "ICM", std::vector<uint8_t>(100, 1)));
    std::vector<uint8_t> out;
    EXPECT_FALSE(ReadWholeFile(p, &out, 99));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(ReadWholeFile(p, &out, 100));
    EXPECT_EQ(out.size(), 100u);
    EXPECT_FALSE(ReadWholeFile(Path("missing"), &out, 100));
}

TEST(PathTest, DirectoryAndNameOfBothSeparators) {
    EXPECT_EQ(DirectoryOf("C:\\icons\\a.ico"), "C:\\icons");
    EXPECT_EQ(DirectoryOf("/tmp/a.ico"), "/tmp");
    EXPECT_EQ(DirectoryOf("a.ico"), ".");
    EXPECT_EQ(DirectoryOf("/a"), "/");
    EXPECT_EQ(FileNameOf("C:\\icons/x\\a.ico"), "a.ico");
    EXPECT_EQ(FileNameOf("a.ico"), "a.ico");
}

TEST(PathTest, PlainFileNamesOnly) {
    for (const char* ok : {"a.bmp", "studio-16color.bmp", "ants a.bmp", ".hidden", "CONSOLE.bmp", "COM.bmp", "LPT10"})
        EXPECT_TRUE(IsPlainFileName(ok)) << ok;
    for (const char* bad : {"", ".", "..", "..\\x.bmp", "../x.bmp", "sub\\x.bmp", "sub/x.bmp", "C:x.bmp",
                            "C:\\x.bmp", "\\\\server\\share\\x.bmp", "x.bmp:stream", "x?.bmp", "x*.bmp",
                            "x<.bmp", "x|y", "x\".bmp", "tab\t.bmp", "x.bmp.", "x.bmp ", "NUL", "nul.bmp",
                            "Con .bmp", "COM1.bmp", "lpt9", "CONOUT$"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    EXPECT_TRUE(IsPlainFileName(std::string(255, 'a')));
    EXPECT_FALSE(IsPlainFileName(std::string(256, 'a')));
    EXPECT_FALSE(IsPlainFileName(std::string_view("a\0b", 3)));
}

}  // namespace
}  // namespace vt
