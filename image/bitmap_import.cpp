#include "image/bitmap_import.h"

#include "common/file_io.h"
#include "image/bmp_reader.h"
#include "image/colour_match.h"
#include "image/quantize.h"
#include "image/resample.h"

namespace vt {

const char* const kReduceColoursFailedText =
    "Error encountered attempting to reduce true color image to 8 bit color.";

ImportResult ImportBitmapInto(IconImage& target, ImageHost& host, PaletteState& palettes,
                              std::span<const uint8_t> file) {
    IconImage* img = &target;
    if (!img->HasBits()) return ImportResult::Unreadable;
    BmpPicture pic;
    if (ReadBmp(file, &pic) != BmpError::None) return ImportResult::Unreadable;

    int w = pic.width, h = pic.height;
    std::vector<uint32_t> colours = std::move(pic.colours);
    std::vector<uint32_t> table = std::move(pic.table);
    if (w > img->width || h > img->height) {
        int nw, nh;
        ShrinkToFit(w, h, img->width, img->height, FitRounding::AboveHalf, &nw, &nh);
        colours = ResampleColours(colours, w, h, nw, nh);
        w = nw;
        h = nh;
        table.clear();  // the shrunk picture's colours are no longer the file's
    }

    if (img->colorCode == kColors256) {
        if (table.empty()) {
            QuantizedPicture q;
            if (!QuantizeTo8Bit(colours, &q)) {
                host.Tell(kReduceColoursFailedText, PromptIcon::Exclamation);
                return ImportResult::ReduceFailed;
            }
            table.assign(q.palette.begin(), q.palette.end());
        }
        // A table shorter than 256 entries leaves the rest black.
        table.resize(256, 0);
        uint32_t black = 0, white = 0;
        bool haveBlack = false, haveWhite = false;
        for (uint32_t i = 0; i < 256; ++i) {
            img->SetTableColor(i, table[i]);
            palettes.current[i] = table[i];
            if (!haveBlack && table[i] == 0x000000) black = i, haveBlack = true;
            if (!haveWhite && table[i] == 0xFFFFFF) white = i, haveWhite = true;
        }
        img->screenColor = black;
        img->inverseColor = white;
        palettes.newImageLoaded = true;
        palettes.newImageScreenIndex = black;
    }

    uint32_t screen = img->screenColor;
    if (!IsPaletteBased(img->colorCode)) screen = 0x000000;
    for (int32_t y = 0; y < img->height; ++y)
        for (int32_t x = 0; x < img->width; ++x) {
            img->SetXorValue(x, y, screen);
            img->SetAndBit(x, y, true);
        }

    const int left = (img->width - w) / 2;
    const int top = (img->height - h) / 2;
    const std::vector<uint32_t> imageTable = TableColours(*img);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colours[static_cast<size_t>(y) * w + x];
            const uint32_t v = IsPaletteBased(img->colorCode)
                                   ? static_cast<uint32_t>(NearestPaletteIndex(c, imageTable))
                                   : c;
            img->SetXorValue(left + x, top + y, v);
            img->SetAndBit(left + x, top + y, false);
        }

    img->screenColor = 0;
    img->inverseColor = 0;
    if (host.createUndoBuffer) host.createUndoBuffer(*img);
    img->editorState = {};
    return ImportResult::Imported;
}

ImportResult ImportBitmap(IconResource& doc, ImageHost& host, PaletteState& palettes,
                          std::span<const uint8_t> file) {
    IconImage* img = doc.ActiveImage();
    if (!img) return ImportResult::Unreadable;
    const ImportResult result = ImportBitmapInto(*img, host, palettes, file);
    if (result != ImportResult::Imported) return result;
    ActivateImage(doc, host);
    CommitImageBits(doc, host);
    return result;
}

bool ReadBitmapFile(const std::string& path, std::vector<uint8_t>* bytes) {
    // Room for the largest picture the reader accepts at 32 bits, and its headers.
    constexpr size_t kMaxFile = kBmpMaxPixels * 4 + (size_t{1} << 16);
    return ReadWholeFile(path, bytes, kMaxFile);
}

ImportResult ImportBitmapFile(IconResource& doc, ImageHost& host, PaletteState& palettes,
                              const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadBitmapFile(path, &bytes)) return ImportResult::Unreadable;
    return ImportBitmap(doc, host, palettes, bytes);
}

}  // namespace vt
