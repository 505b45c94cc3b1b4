#include <gtest/gtest.h>

#include <random>

#include "studio/gif_lzw.h"
#include "studio/gif_reader.h"
#include "studio/gif_writer.h"

namespace vt {
namespace {

const std::vector<uint32_t> kSixteen = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::vector<uint8_t> Noise(size_t n, int colours, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& p : v) p = static_cast<uint8_t>(rng() % colours);
    return v;
}

GifSource MakeSource(int w, int h, int colours, unsigned seed = 1) {
    GifSource s;
    s.width = w;
    s.height = h;
    s.colourCode = colours;
    if (colours == 16) {
        s.table = kSixteen;
    } else {
        for (int i = 0; i < colours; ++i) s.table.push_back(static_cast<uint32_t>(i * 0x010203));
        s.table[colours - 2] = 0x000000;
        s.table[colours - 1] = 0xFFFFFF;
    }
    s.indices = Noise(static_cast<size_t>(w) * h, colours, seed);
    s.masked.assign(s.indices.size(), 0);
    return s;
}

std::vector<uint8_t> Encode(const GifSource& s, bool interlaced = false) {
    ScriptedPrompt prompt;
    std::vector<uint8_t> out;
    EXPECT_EQ(EncodeGif(s, interlaced, prompt, &out), GifWriteStatus::Ok);
    return out;
}

// Every code of a stream, read back with the widths the decoder would use.
std::vector<uint32_t> Codes(const std::vector<uint8_t>& data, int minCodeSize) {
    std::vector<uint32_t> codes;
    const uint32_t clear = 1u << minCodeSize;
    int width = minCodeSize + 1;
    uint32_t next = clear + 2;
    bool first = true;
    size_t bit = 0;
    while (bit + width <= data.size() * 8) {
        uint32_t code = 0;
        for (int i = 0; i < width; ++i, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1u) << i;
        codes.push_back(code);
        if (code == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (code == clear + 1) break;
        if (!first && next < 4096) ++next;
        first = false;
        if (next >= (1u << width) && width < 12) ++width;
    }
    return codes;
}

TEST(GifLzw, FastEncoderWritesTheLinearSearchBytes) {
    const std::vector<std::pair<std::vector<uint8_t>, int>> cases = {
        {{}, 4},
        {{7}, 4},
        {std::vector<uint8_t>(4096, 3), 4},
        {Noise(4096, 16, 2), 4},
        {Noise(4096, 256, 3), 8},
        {Noise(20000, 4, 4), 2},
        {Noise(64 * 64 * 3, 256, 5), 8},
    };
    for (const auto& [pixels, size] : cases)
        EXPECT_EQ(LzwEncode(pixels, size), LzwEncodeLinear(pixels, size)) << pixels.size();
}

TEST(GifLzw, RoundTripsThroughTheDecoderAcrossTableResets) {
    for (int size : {2, 4, 8}) {
        const auto pixels = Noise(65536, 1 << size, 11u + size);
        const auto packed = LzwEncode(pixels, size);
        const auto codes = Codes(packed, size);
        // A table that fills is cleared and started again: clears beyond the first prove it.
        EXPECT_GT(std::count(codes.begin(), codes.end(), 1u << size), 1) << size;
        std::vector<uint8_t> out(pixels.size());
        auto r = LzwDecode(packed, size, 1u << size, out);
        EXPECT_EQ(r.produced, pixels.size());
        EXPECT_EQ(out, pixels);
    }
}

TEST(GifLzw, CodesStartWithClearAndEndWithEnd) {
    const std::vector<uint8_t> pixels = {1, 1, 1, 1, 2};
    const auto codes = Codes(LzwEncode(pixels, 4), 4);
    // clear, 1, "1 1" (18), 1, 2, end
    EXPECT_EQ(codes, (std::vector<uint32_t>{16, 1, 18, 1, 2, 17}));
}

TEST(GifLzw, DecoderEndsCleanlyOnHostileStreams) {
    std::vector<uint8_t> out(64);
    // A code beyond the next free code straight after the first literal: 3-bit codes
    // clear(4) 1 then 7 (next free is 6).
    const std::vector<uint8_t> beyond = {static_cast<uint8_t>(4 | (1 << 3) | (7 << 6)), 1};
    auto r = LzwDecode(beyond, 2, 4, out);
    EXPECT_EQ(r.stop, LzwStop::BadCode);
    EXPECT_EQ(r.produced, 1u);
    // KwKwK with no previous code: clear then the next free code (6).
    const std::vector<uint8_t> kwk = {static_cast<uint8_t>(4 | (6 << 3))};
    EXPECT_EQ(LzwDecode(kwk, 2, 4, out).stop, LzwStop::BadCode);
    // A literal at or above the number of colours.
    const std::vector<uint8_t> literal = {static_cast<uint8_t>(4 | (3 << 3))};
    r = LzwDecode(literal, 2, 3, out);
    EXPECT_EQ(r.stop, LzwStop::BadLiteral);
    EXPECT_EQ(r.produced, 0u);
    EXPECT_EQ(LzwDecode({}, 2, 4, out).stop, LzwStop::OutOfData);
    EXPECT_EQ(LzwDecode(beyond, 0, 4, out).stop, LzwStop::BadCode);
    EXPECT_EQ(LzwDecode(beyond, 12, 4, out).stop, LzwStop::BadCode);
}

TEST(GifLzw, TableThatNeverClearsKeepsDecodingWithinItsBounds) {
    // 12-bit codes, all 1, after a 2-bit clear: the table fills and stays full without a clear.
    std::vector<uint8_t> pixels(200000);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i % 3);
    // Build a stream by hand: clear, then literal codes only, widened as the decoder widens.
    std::vector<uint8_t> packed;
    uint32_t acc = 0;
    int bits = 0;
    auto put = [&](uint32_t code, int width) {
        acc |= code << bits;
        bits += width;
        while (bits >= 8) {
            packed.push_back(static_cast<uint8_t>(acc));
            acc >>= 8;
            bits -= 8;
        }
    };
    put(4, 3);
    int width = 3;
    uint32_t next = 6;
    for (size_t i = 0; i < 6000; ++i) {
        put(static_cast<uint32_t>(i % 3), width);
        if (i > 0 && next < 4096) ++next;
        if (next >= (1u << width) && width < 12) ++width;
    }
    std::vector<uint8_t> out(6000);
    auto r = LzwDecode(packed, 2, 4, out);
    EXPECT_EQ(r.produced, 6000u);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], i % 3) << i;
}

TEST(GifLzw, InterlaceRowOrder) {
    EXPECT_EQ(GifRowOrder(10, true), (std::vector<int>{0, 8, 4, 2, 6, 1, 3, 5, 7, 9}));
    EXPECT_EQ(GifRowOrder(3, false), (std::vector<int>{0, 1, 2}));
}

TEST(GifWriter, SixteenColourLayoutBytes) {
    GifSource s = MakeSource(32, 16, 16);
    s.colourB = 0x0C;
    const auto file = Encode(s);
    ASSERT_GT(file.size(), 13u + 48 + 10 + 1);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF87a");
    EXPECT_EQ(file[6], 32);
    EXPECT_EQ(file[8], 16);
    EXPECT_EQ(file[10], 0xB3);
    EXPECT_EQ(file[11], 0x0C);
    EXPECT_EQ(file[12], 0);
    // Table as red, green, blue: entry 1 is 0x800000 (red 0x80).
    EXPECT_EQ(file[13 + 3], 0x80);
    EXPECT_EQ(file[13 + 4], 0x00);
    // No transparent pixel: the descriptor follows the 48-byte table directly.
    const size_t d = 13 + 48;
    EXPECT_EQ(file[d], 0x2C);
    EXPECT_EQ(file[d + 9], 0x03);
    EXPECT_EQ(file[d + 10], 4);
    EXPECT_EQ(file[file.size() - 2], 0);
    EXPECT_EQ(file.back(), 0x3B);
}

TEST(GifWriter, TwoFiftySixColoursInterlacedWithTransparency) {
    GifSource s = MakeSource(16, 16, 256);
    for (auto& i : s.indices) i = static_cast<uint8_t>(i | 1);  // even indices unused
    s.masked[5] = 1;
    s.indices[5] = 254;  // black: a screen pixel
    s.indices[3] = 0;    // index 0 is used by an opaque pixel, so 2 is the lowest free
    const auto file = Encode(s, true);
    EXPECT_EQ(file[10], 0xF7);
    const size_t g = 13 + 768;
    const std::vector<uint8_t> gce(file.begin() + g, file.begin() + g + 8);
    EXPECT_EQ(gce, (std::vector<uint8_t>{0x21, 0xF9, 4, 1, 0, 0, 2, 0}));
    EXPECT_EQ(file[g + 8 + 9], 0x47);
    EXPECT_EQ(file[g + 8 + 10], 8);
}

TEST(GifWriter, SubBlocksSplitThreeHundredFourteenAsTwoFiftyFourAndSixty) {
    auto lengths = [](size_t n) {
        std::vector<uint8_t> out;
        std::vector<uint8_t> data(n, 0xAA);
        AppendGifSubBlocks(&out, data);
        std::vector<size_t> lens;
        for (size_t at = 0; at < out.size(); at += out[at] + 1u) lens.push_back(out[at]);
        return lens;
    };
    EXPECT_EQ(lengths(314), (std::vector<size_t>{254, 60}));
    EXPECT_EQ(lengths(569), (std::vector<size_t>{255, 254, 60}));
    EXPECT_EQ(lengths(313), (std::vector<size_t>{255, 58}));
    EXPECT_EQ(lengths(510), (std::vector<size_t>{255, 255}));
    EXPECT_EQ(lengths(0), (std::vector<size_t>{}));
}

TEST(GifWriter, QuestionsAndTheirAnswers) {
    // Several images: told only the active image goes; Cancel writes nothing.
    GifSource s = MakeSource(8, 8, 16);
    s.imageCount = 3;
    ScriptedPrompt prompt;
    prompt.Answer(PromptAnswer::Cancel);
    std::vector<uint8_t> out;
    EXPECT_EQ(EncodeGif(s, false, prompt, &out), GifWriteStatus::Cancelled);
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(prompt.texts(), std::vector<std::string>{kGifOnlyActiveImageText});
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Information);
    EXPECT_EQ(prompt.shown()[0].buttons, PromptButtons::OkCancel);

    // Inverse pixels are written as colour A, and A is then not free for transparency.
    GifSource inv = MakeSource(8, 8, 16);
    for (auto& i : inv.indices) i = 1;
    inv.masked[0] = 1;
    inv.indices[0] = 15;  // white under the mask: inverse
    inv.masked[1] = 1;
    inv.indices[1] = 0;  // black under the mask: screen
    inv.colourA = 0;
    ScriptedPrompt p2;
    ASSERT_EQ(EncodeGif(inv, false, p2, &out), GifWriteStatus::Ok);
    EXPECT_EQ(p2.texts(), std::vector<std::string>{kGifInverseText});
    GifPicture pic;
    ASSERT_EQ(ParseGif(out, &pic), GifReadError::None);
    EXPECT_EQ(pic.indices[0], 0);
    EXPECT_EQ(pic.masked[0], 0);
    EXPECT_EQ(pic.masked[1], 1);  // transparent index 2, the lowest unused after 0 and 1

    // Every index in use plus a screen pixel: asks, and OK writes colour B without a GCE.
    GifSource full = MakeSource(17, 16, 256);
    for (size_t i = 0; i < full.indices.size(); ++i)
        full.indices[i] = static_cast<uint8_t>(i < 256 ? i : 7);
    full.masked[7] = 1;
    full.indices[7] = 254;
    full.colourB = 42;
    ScriptedPrompt p3;
    ASSERT_EQ(EncodeGif(full, false, p3, &out), GifWriteStatus::Ok);
    EXPECT_EQ(p3.texts(), std::vector<std::string>{kGifNoTransparentIndexText});
    EXPECT_EQ(out[13 + 768], 0x2C);  // no control extension
    ASSERT_EQ(ParseGif(out, &pic), GifReadError::None);
    EXPECT_EQ(pic.indices[7], 42);
    EXPECT_EQ(pic.masked[7], 0);
    ScriptedPrompt p4;
    p4.Answer(PromptAnswer::Cancel);
    EXPECT_EQ(EncodeGif(full, false, p4, &out), GifWriteStatus::Cancelled);
}

TEST(GifWriter, MonochromeCarriesATwoEntryTable) {
    GifSource s = MakeSource(8, 8, 16);
    s.colourCode = 2;
    s.table = {0x000000, 0xFFFFFF};
    for (auto& i : s.indices) i &= 1;
    const auto file = Encode(s);
    EXPECT_EQ(file[10], 0x80);
    EXPECT_EQ(file[13 + 6], 0x2C);
    EXPECT_EQ(file[13 + 6 + 10], 2);
    GifPicture pic;
    ASSERT_EQ(ParseGif(file, &pic), GifReadError::None);
    EXPECT_EQ(pic.indices, s.indices);
}

TEST(GifWriter, RefusesWhatItCannotDescribe) {
    ScriptedPrompt prompt;
    std::vector<uint8_t> out;
    GifSource s = MakeSource(8, 8, 16);
    s.colourCode = 1024;
    EXPECT_EQ(EncodeGif(s, false, prompt, &out), GifWriteStatus::Unsupported);
    s = MakeSource(8, 8, 16);
    s.indices.pop_back();
    EXPECT_EQ(EncodeGif(s, false, prompt, &out), GifWriteStatus::Unsupported);
}

TEST(GifReader, SixteenColourFileReadsAsTwoFiftySixWithBlackTail) {
    const GifSource s = MakeSource(24, 40, 16, 7);
    GifPicture pic;
    ASSERT_EQ(ParseGif(Encode(s), &pic), GifReadError::None);
    EXPECT_EQ(pic.width, 24);
    EXPECT_EQ(pic.height, 40);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(pic.table[i], kSixteen[i]);
    for (int i = 16; i < 256; ++i) EXPECT_EQ(pic.table[i], 0u) << i;
    EXPECT_EQ(pic.indices, s.indices);
    EXPECT_EQ(pic.blackIndex, 0);
    EXPECT_EQ(pic.whiteIndex, 15);
}

TEST(GifReader, NoiseThatFillsTheTableRoundTripsPlainAndInterlaced) {
    const GifSource s = MakeSource(64, 64, 256, 9);
    GifPicture plain, inter;
    ASSERT_EQ(ParseGif(Encode(s, false), &plain), GifReadError::None);
    ASSERT_EQ(ParseGif(Encode(s, true), &inter), GifReadError::None);
    EXPECT_EQ(plain.indices, s.indices);
    EXPECT_EQ(inter.indices, s.indices);
    EXPECT_EQ(plain.table, inter.table);
}

TEST(GifReader, TransparentIndexBecomesScreenPixels) {
    GifSource s = MakeSource(8, 8, 16, 3);
    for (auto& i : s.indices) i = static_cast<uint8_t>(1 + i % 14);
    s.masked[10] = 1;
    s.indices[10] = 0;
    GifPicture pic;
    ASSERT_EQ(ParseGif(Encode(s), &pic), GifReadError::None);
    EXPECT_EQ(pic.masked[10], 1);
    EXPECT_EQ(pic.indices[10], pic.blackIndex);
    EXPECT_EQ(pic.masked[11], 0);
}

// A minimal hand-made GIF: 2-colour table, the given image descriptor fields and LZW bytes.
std::vector<uint8_t> HandGif(int sw, int sh, std::vector<uint8_t> table, int fx, int fy, int fw,
                             int fh, uint8_t flags, std::vector<uint8_t> lzw, int minCode = 2) {
    std::vector<uint8_t> f = {'G', 'I', 'F', '8', '9', 'a'};
    auto u16 = [&](int v) {
        f.push_back(static_cast<uint8_t>(v));
        f.push_back(static_cast<uint8_t>(v >> 8));
    };
    u16(sw);
    u16(sh);
    int bits = 0;
    while ((2u << bits) < table.size() / 3) ++bits;
    f.push_back(static_cast<uint8_t>(0x80 | bits));
    f.push_back(0);
    f.push_back(0);
    f.insert(f.end(), table.begin(), table.end());
    f.push_back(0x2C);
    u16(fx);
    u16(fy);
    u16(fw);
    u16(fh);
    f.push_back(flags);
    f.push_back(static_cast<uint8_t>(minCode));
    AppendGifSubBlocks(&f, lzw);
    f.push_back(0);
    f.push_back(0x3B);
    return f;
}

const std::vector<uint8_t> kBlackWhite = {0, 0, 0, 255, 255, 255};

TEST(GifReader, RefusesFilesOutsideItsLimits) {
    GifPicture pic;
    const std::vector<uint8_t> lzw = LzwEncode(std::vector<uint8_t>(64, 1), 2);
    EXPECT_EQ(ParseGif(HandGif(65, 65, kBlackWhite, 0, 0, 8, 8, 0, lzw), &pic),
              GifReadError::Incompatible);
    EXPECT_EQ(ParseGif(HandGif(7, 8, kBlackWhite, 0, 0, 7, 8, 0, lzw), &pic),
              GifReadError::Incompatible);
    // A local table flag.
    EXPECT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 0, 0, 8, 8, 0x80, lzw), &pic),
              GifReadError::Incompatible);
    // No global table.
    auto noGlobal = HandGif(8, 8, kBlackWhite, 0, 0, 8, 8, 0, lzw);
    noGlobal[10] &= 0x7F;
    EXPECT_EQ(ParseGif(noGlobal, &pic), GifReadError::Incompatible);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0, 0, 0, 0};
    EXPECT_EQ(ParseGif(png, &pic), GifReadError::Incompatible);
    // Too few bytes where the blocks should be.
    auto cut = HandGif(8, 8, kBlackWhite, 0, 0, 8, 8, 0, lzw);
    cut.resize(13 + 6 + 5);
    EXPECT_EQ(ParseGif(cut, &pic), GifReadError::Corrupt);
}

TEST(GifReader, OddFramesEndCleanly) {
    GifPicture pic;
    // A frame larger than the screen: clipped to the 8 x 8 screen.
    std::vector<uint8_t> big(100 * 100);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>((i % 100) & 1);
    ASSERT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 0, 0, 100, 100, 0, LzwEncode(big, 2)), &pic),
              GifReadError::None);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(pic.indices[y * 8 + x], x & 1);
    EXPECT_FALSE(pic.incomplete);
    // A frame of height 0, or one beside the screen: no pixel of the picture comes from the
    // file, which is therefore not a picture at all.
    EXPECT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 0, 0, 8, 0, 0, LzwEncode({}, 2)), &pic),
              GifReadError::Corrupt);
    EXPECT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 8, 0, 8, 8, 0,
                               LzwEncode(std::vector<uint8_t>(64, 1), 2)),
                       &pic),
              GifReadError::Corrupt);
    // A small frame placed at an offset; the rest is screen.
    std::vector<uint8_t> two(4, 1);
    ASSERT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 6, 7, 2, 2, 0, LzwEncode(two, 2)), &pic),
              GifReadError::None);
    EXPECT_EQ(pic.masked[7 * 8 + 6], 0);
    EXPECT_EQ(pic.indices[7 * 8 + 7], 1);
    EXPECT_EQ(std::count(pic.masked.begin(), pic.masked.end(), 0), 2);
    EXPECT_FALSE(pic.incomplete);
    // Data that stop early: what was decoded stays, the rest is screen, and the picture says so.
    auto half = LzwEncode(std::vector<uint8_t>(64, 1), 2);
    half.resize(2);
    ASSERT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 0, 0, 8, 8, 0, half), &pic), GifReadError::None);
    EXPECT_TRUE(pic.incomplete);
    const auto opaque = std::count(pic.masked.begin(), pic.masked.end(), 0);
    EXPECT_GT(opaque, 0);
    EXPECT_LT(opaque, 64);
    EXPECT_EQ(pic.masked[0], 0);
    EXPECT_EQ(pic.masked[63], 1);
}

TEST(GifReader, AFileInWhichNothingDecodesIsNotAPicture) {
    GifPicture pic;
    // Codes of 3 bits: clear (4), then the literal 3, which a 2-colour table does not have, then
    // end (5).
    const std::vector<uint8_t> badFirst = {0x5C, 0x01};
    EXPECT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 0, 0, 8, 8, 0, badFirst), &pic),
              GifReadError::Corrupt);
    // Only an end code.
    EXPECT_EQ(ParseGif(HandGif(8, 8, kBlackWhite, 0, 0, 8, 8, 0, {0x2C}), &pic),
              GifReadError::Corrupt);
    // A picture whose every pixel is the transparent index is still a picture.
    std::vector<uint8_t> clear =
        HandGif(8, 8, kBlackWhite, 0, 0, 8, 8, 0, LzwEncode(std::vector<uint8_t>(64, 1), 2));
    const std::vector<uint8_t> control = {0x21, 0xF9, 4, 0x01, 0, 0, 1, 0};
    clear.insert(clear.begin() + 6 + 7 + 6, control.begin(), control.end());
    ASSERT_EQ(ParseGif(clear, &pic), GifReadError::None);
    EXPECT_EQ(std::count(pic.masked.begin(), pic.masked.end(), 1), 64);
    EXPECT_FALSE(pic.incomplete);
}

TEST(GifReader, MissingBlackAndWhiteBorrowUnusedIndices) {
    // Four colours, none black or white; pixels use indices 0 and 2.
    const std::vector<uint8_t> table = {10, 10, 10, 20, 20, 20, 30, 30, 30, 40, 40, 40};
    std::vector<uint8_t> pixels(64);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i & 1) ? 2 : 0;
    GifPicture pic;
    ASSERT_EQ(ParseGif(HandGif(8, 8, table, 0, 0, 8, 8, 0, LzwEncode(pixels, 2)), &pic),
              GifReadError::None);
    EXPECT_EQ(pic.blackIndex, 1);
    EXPECT_EQ(pic.table[1], 0x000000u);
    EXPECT_EQ(pic.whiteIndex, 3);
    EXPECT_EQ(pic.table[3], 0xFFFFFFu);
    EXPECT_EQ(pic.table[2], 0x1E1E1Eu);
}

TEST(GifReader, TruncationAndBitFlipsNeverCrash) {
    GifSource s = MakeSource(16, 16, 256, 4);
    s.masked[3] = 1;
    s.indices[3] = 254;
    const auto file = Encode(s, true);
    GifPicture pic;
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + n);
        ParseGif(cut, &pic);
    }
    for (size_t at = 0; at < file.size(); ++at)
        for (int bit = 0; bit < 8; bit += 3) {
            auto flipped = file;
            flipped[at] ^= static_cast<uint8_t>(1 << bit);
            if (ParseGif(flipped, &pic) == GifReadError::None) {
                ASSERT_EQ(pic.indices.size(), static_cast<size_t>(pic.width) * pic.height);
            }
        }
}

}  // namespace
}  // namespace vt
