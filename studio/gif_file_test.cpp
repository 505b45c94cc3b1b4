#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/file_io.h"
#include "studio/gif_file.h"
#include "studio/gif_reader.h"

namespace vt {
namespace {

namespace fs = std::filesystem;

class GifFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char templ[] = "/tmp/vtgiffileXXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        m_dir = templ;
        m_host.prompt = &m_prompt;
        m_host.newImagePalette = [](int32_t, ColorValues256& out) {
            for (uint32_t i = 0; i < 256; ++i) out[i] = i * 0x010101;
            out[254] = 0;
            return true;
        };
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) { return (m_dir / name).string(); }
    void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // A drawn 16-colour image with screen pixels in the top row.
    IconImage& Drawn(int32_t w, int32_t h, int32_t code) {
        m_doc.activeFormat = {w, h, code};
        EXPECT_TRUE(FindOrCreateImage(m_doc, nullptr, 0, m_host));
        ActivateImage(m_doc, m_host);
        IconImage& img = *m_doc.ActiveImage();
        for (int32_t y = 1; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                img.SetAndBit(x, y, false);
                img.SetXorValue(x, y, static_cast<uint32_t>(x + y) % (code == 16 ? 15 : 200) + 1);
            }
        CommitImageBits(m_doc, m_host);
        return img;
    }

    fs::path m_dir;
    ScriptedPrompt m_prompt;
    ImageHost m_host;
    IconResource m_doc;
};

TEST_F(GifFileTest, SixteenColourImageRoundTripsAsA256ColourGifDocument) {
    const IconImage source = Drawn(16, 24, kColors16).Clone();
    const std::string path = Path("a.gif");
    ASSERT_EQ(WriteGifFile(m_doc, m_host, path, false), GifWriteStatus::Ok);
    EXPECT_EQ(m_doc.resourceType, kGifResource);
    EXPECT_FALSE(m_doc.modified);

    IconResource doc;
    ASSERT_TRUE(ReadGifFile(doc, m_host, path));
    ASSERT_EQ(doc.images.size(), 1u);
    const IconImage& img = doc.images[0];
    EXPECT_EQ(img.colorCode, kColors256);
    EXPECT_EQ(doc.resourceType, kGifResource);
    EXPECT_FALSE(doc.modified);
    EXPECT_FALSE(doc.untitled);
    EXPECT_FALSE(doc.commands.newImageFormat);
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(img.TableColor(i), source.TableColor(i));
    for (uint32_t i = 16; i < 256; ++i) EXPECT_EQ(img.TableColor(i), 0u) << i;
    for (int32_t y = 0; y < 24; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            ASSERT_EQ(img.AndBit(x, y), source.AndBit(x, y));
            if (!source.AndBit(x, y))
                ASSERT_EQ(img.XorValue(x, y), source.XorValue(x, y));
            else
                ASSERT_EQ(img.TableColor(img.XorValue(x, y)), 0u);
        }
}

TEST_F(GifFileTest, IncompatibleFilesShowBothMessagesAndLeaveABlankIcon) {
    Drawn(32, 32, kColors16);
    std::vector<uint8_t> big = {'G',  'I', 'F', '8', '9', 'a', 65,  0,   65, 0,
                                0x80, 0,   0,   0,   0,   0,   255, 255, 255};
    big.resize(64, 0);
    Write(Path("big.gif"), big);
    m_prompt.Clear();
    EXPECT_FALSE(ReadGifFile(m_doc, m_host, Path("big.gif")));
    EXPECT_EQ(m_prompt.texts(),
              (std::vector<std::string>{kGifIncompatibleText, kGifReadErrorText}));
    EXPECT_EQ(m_prompt.shown()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(m_prompt.shown()[0].icon, PromptIcon::Exclamation);
    ASSERT_EQ(m_doc.images.size(), 1u);
    EXPECT_TRUE(m_doc.images[0].untouched);
    EXPECT_EQ(m_doc.resourceType, kIconResource);

    // Data missing where the blocks belong: only the second message.
    std::vector<uint8_t> cut = {'G',  'I', 'F', '8', '7', 'a', 8,   0,   8,   0,
                                0x80, 0,   0,   0,   0,   0,   255, 255, 255, 0x2C};
    Write(Path("cut.gif"), cut);
    m_prompt.Clear();
    EXPECT_FALSE(ReadGifFile(m_doc, m_host, Path("cut.gif")));
    EXPECT_EQ(m_prompt.texts(), (std::vector<std::string>{kGifReadErrorText}));

    // A file that cannot be opened says nothing and changes nothing.
    m_prompt.Clear();
    EXPECT_FALSE(ReadGifFile(m_doc, m_host, Path("missing.gif")));
    EXPECT_TRUE(m_prompt.texts().empty());
}

TEST_F(GifFileTest, ACutShortFileOpensWhatDecodedAndOneWithoutPixelsIsRefused) {
    Drawn(32, 32, kColors16);
    const std::string whole = Path("whole.gif");
    ASSERT_EQ(WriteGifFile(m_doc, m_host, whole, false), GifWriteStatus::Ok);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(whole, &bytes, 1 << 20));

    // Cut in the middle of the image data: the top rows are there, the rest is transparent.
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2));
    Write(Path("cut.gif"), cut);
    m_prompt.Clear();
    IconResource doc;
    ASSERT_TRUE(ReadGifFile(doc, m_host, Path("cut.gif")));
    ASSERT_FALSE(m_prompt.shown().empty());
    EXPECT_EQ(m_prompt.shown()[0].text, kGifIncompleteText);
    EXPECT_EQ(m_prompt.shown()[0].icon, PromptIcon::Information);
    const IconImage& img = doc.images.at(0);
    const IconImage& source = m_doc.images.at(0);
    EXPECT_EQ(img.XorValue(5, 1), source.XorValue(5, 1));
    EXPECT_FALSE(img.AndBit(5, 1));
    EXPECT_TRUE(img.AndBit(31, 31));
    EXPECT_EQ(doc.resourceType, kGifResource);

    // The whole file says nothing of the kind.
    m_prompt.Clear();
    ASSERT_TRUE(ReadGifFile(doc, m_host, whole));
    for (const std::string& t : m_prompt.texts()) EXPECT_NE(t, kGifIncompleteText);

    // Header and table intact, but the first code is a literal the table does not have.
    std::vector<uint8_t> none = {'G', 'I', 'F', '8', '9', 'a', 8,   0,    8,    0, 0x80, 0,
                                 0,   0,   0,   0,   255, 255, 255, 0x2C, 0,    0, 0,    0,
                                 8,   0,   8,   0,   0,   2,   2,   0x5C, 0x01, 0, 0x3B};
    Write(Path("none.gif"), none);
    m_prompt.Clear();
    EXPECT_FALSE(ReadGifFile(doc, m_host, Path("none.gif")));
    EXPECT_EQ(m_prompt.texts(), (std::vector<std::string>{kGifReadErrorText}));
    ASSERT_EQ(doc.images.size(), 1u);
    EXPECT_TRUE(doc.images[0].untouched);
    EXPECT_EQ(doc.resourceType, kIconResource);
}

TEST_F(GifFileTest, SeveralImagesAskAndTrueColourIsNotWritten) {
    Drawn(32, 32, kColors16);
    Drawn(16, 16, kColors256);
    m_prompt.Answer(PromptAnswer::Cancel);
    m_prompt.Clear();
    const std::string path = Path("b.gif");
    EXPECT_EQ(WriteGifFile(m_doc, m_host, path, true), GifWriteStatus::Cancelled);
    EXPECT_EQ(m_prompt.texts(), std::vector<std::string>{kGifOnlyActiveImageText});
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(WriteGifFile(m_doc, m_host, path, true), GifWriteStatus::Ok);
    GifPicture pic;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(path, &bytes, 1 << 20));
    ASSERT_EQ(ParseGif(bytes, &pic), GifReadError::None);
    EXPECT_EQ(pic.width, 16);

    Drawn(16, 16, kTrueColor);
    EXPECT_EQ(WriteGifFile(m_doc, m_host, Path("c.gif"), false), GifWriteStatus::Unsupported);
}

}  // namespace
}  // namespace vt
