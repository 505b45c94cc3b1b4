#include <gtest/gtest.h>

#include "engineer/ini_profile.h"
#include "sysicons/memory_file_system.h"

namespace vt {
namespace {

class Ini : public ::testing::Test {
  protected:
    void SetUp() override { files.MakeDirectory("C:\\m"); }
    std::string Read(const char* section, const char* key, const char* def = "dflt",
                     size_t size = 324) {
        return ini.Read(kFile, section, key, def, size);
    }
    const std::string kFile = "C:\\m\\a.ini";
    MemoryFileSystem files;
    IniProfile ini{files};
};

// The file contents below are what the system's own calls produce for the same calls.
TEST_F(Ini, WritesInTheSystemsNormalForm) {
    ASSERT_TRUE(ini.Write(kFile, "Sec One", "Key", "Value"));
    EXPECT_EQ(files.Text(kFile), "[Sec One]\r\nKey=Value\r\n");
    ini.Write(kFile, "Sec Two", "K2", "  spaced  ");
    EXPECT_EQ(files.Text(kFile), "[Sec One]\r\nKey=Value\r\n[Sec Two]\r\nK2=spaced  \r\n");
    ini.Write(kFile, "sec one", "key2", "V2");
    EXPECT_EQ(files.Text(kFile), "[Sec One]\r\nKey=Value\r\nkey2=V2\r\n[Sec Two]\r\nK2=spaced\r\n");
    ini.Write(kFile, "SEC ONE", "KEY", "new");
    EXPECT_EQ(files.Text(kFile), "[Sec One]\r\nKey=new\r\nkey2=V2\r\n[Sec Two]\r\nK2=spaced\r\n");
    ASSERT_TRUE(ini.DeleteKey(kFile, "Sec One", "Key"));
    ini.Write(kFile, "Sec One", "empty", "");
    EXPECT_EQ(files.Text(kFile), "[Sec One]\r\nkey2=V2\r\nempty=\r\n[Sec Two]\r\nK2=spaced\r\n");
}

TEST_F(Ini, ReadsWithDefaultsQuotesAndTruncation) {
    files.PutText(kFile,
                  "; comment\r\n[A]\r\n  k = \"quoted\"  \r\nj='single'\r\nbad "
                  "line\r\n\r\n[B]\r\nx=1\r\n[A]\r\nk=second\r\nn=");
    EXPECT_EQ(Read("a", "K"), "quoted") << "the first section of a name wins";
    EXPECT_EQ(Read("A", "j"), "single");
    EXPECT_EQ(Read("A", "bad line"), "dflt") << "a line without '=' has no value";
    EXPECT_EQ(Read("A", "n"), "dflt") << "not in the first [A]";
    EXPECT_EQ(Read("B", "none", "dflt  "), "dflt");
    EXPECT_EQ(Read("B", "x", "d", 1), "");
    EXPECT_EQ(Read("A", "k", "d", 3), "qu");
    EXPECT_EQ(ini.Read("C:\\m\\missing.ini", "A", "k", "d", 10), "d");
}

TEST_F(Ini, ChangesKeepOddLinesAndAppendAtTheEnd) {
    files.PutText(kFile,
                  "; comment\r\n[A]\r\n  k = \"quoted\"  \r\nj='single'\r\nbad "
                  "line\r\n\r\n[B]\r\nx=1\r\n[A]\r\nk=second\r\n");
    ini.Write(kFile, "B", "y", "2");
    ini.DeleteKey(kFile, "A", "j");
    EXPECT_EQ(
        files.Text(kFile),
        "; comment\r\n[A]\r\nk=\"quoted\"\r\nbad line\r\n[B]\r\nx=1\r\ny=2\r\n[A]\r\nk=second\r\n");

    files.PutText(kFile, "[A]\nk=1");
    ini.Write(kFile, "A", "m", "2");
    ini.Write(kFile, "C", "z", "3");
    EXPECT_EQ(files.Text(kFile), "[A]\r\nk=1\r\nm=2\r\n[C]\r\nz=3\r\n");
}

TEST_F(Ini, NothingIsWrittenWithoutAChange) {
    files.PutText(kFile, "[A]\nk=1\n");
    int before = files.writeCount();
    ini.Write(kFile, "A", "k", "1");
    ini.DeleteKey(kFile, "A", "missing");
    ini.DeleteKey(kFile, "Nosec", "k");
    ini.DeleteKey("C:\\m\\missing.ini", "A", "k");
    EXPECT_EQ(files.writeCount(), before);
    EXPECT_FALSE(files.Exists("C:\\m\\missing.ini"));
    EXPECT_FALSE(ini.Write("C:\\nofolder\\x.ini", "A", "k", "v"))
        << "a file that cannot be written fails";
}

TEST_F(Ini, CreateReplacesTheWholeFile) {
    files.PutText(kFile, "[Old]\r\nx=1\r\n");
    ASSERT_TRUE(ini.Create(kFile, "[Software Credits]\r\nSoftware=Vantoro(tm)\r\n"));
    ini.Write(kFile, "Control Panel\\Cursors", "Wait", "%Folder%x Wait.ani");
    EXPECT_EQ(files.Text(kFile),
              "[Software Credits]\r\nSoftware=Vantoro(tm)\r\n[Control "
              "Panel\\Cursors]\r\nWait=%Folder%x Wait.ani\r\n");
}

TEST(IniDocument, ParsingAnyBytesNeverFails) {
    std::string nasty = "[\r\n]\r\n[[x]]\r\n=\r\n==a\r\n[A\r\n\0\0k=\xff\r\n";
    for (size_t cut = 0; cut <= nasty.size(); ++cut) {
        auto doc = IniDocument::Parse(nasty.substr(0, cut));
        IniDocument::Parse(doc.Serialize());
    }
    auto doc = IniDocument::Parse(nasty);
    EXPECT_NE(doc.FindSection("[x]"), nullptr);
    EXPECT_NE(doc.FindEntry("[x]", ""), nullptr);
}

}  // namespace
}  // namespace vt
