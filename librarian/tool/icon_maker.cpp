#include "librarian/tool/icon_maker.h"

#include <algorithm>
#include <cstring>

#include "image/bmp_reader.h"
#include "image/colour_convert.h"
#include "image/ico_file.h"
#include "image/resample.h"
#include "studio/gif_reader.h"

namespace vt {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

bool FromBmp(std::span<const uint8_t> file, MaskedColour masked, uint32_t given, Picture* out,
             std::string* why) {
    BmpPicture bmp;
    switch (ReadBmp(file, &bmp)) {
        case BmpError::None:
            break;
        case BmpError::TooLarge:
            return *why = "the bitmap is too large", false;
        case BmpError::Unsupported:
            return *why = "a kind of bitmap that cannot be read", false;
        default:
            return *why = "the bitmap is truncated", false;
    }
    out->width = bmp.width;
    out->height = bmp.height;
    out->colours = std::move(bmp.colours);
    out->mask.assign(out->colours.size(), 0);
    if (masked == MaskedColour::None || out->colours.empty()) return true;
    uint32_t key = masked == MaskedColour::Given ? given : out->colours[0];
    for (size_t p = 0; p < out->colours.size(); ++p)
        if (out->colours[p] == key) out->mask[p] = 1;
    return true;
}

bool FromGif(std::span<const uint8_t> file, Picture* out, std::string* why) {
    GifPicture gif;
    GifReadError e = ParseGif(file, &gif);
    if (e != GifReadError::None) {
        *why = e == GifReadError::Corrupt ? kGifReadErrorText : kGifIncompatibleText;
        return false;
    }
    out->width = gif.width;
    out->height = gif.height;
    for (size_t p = 0; p < gif.indices.size(); ++p) {
        out->colours.push_back(SwapRedBlue(gif.table[gif.indices[p]]));
        out->mask.push_back(p < gif.masked.size() && gif.masked[p] ? 1 : 0);
    }
    return true;
}

bool FromIcon(std::span<const uint8_t> file, Picture* out, std::string* why) {
    MemorySource source(file);
    IconResource doc;
    ImageHost host;
    if (DecodeIcoFile(source, doc, host) != IcoStatus::Ok || doc.images.empty())
        return *why = "not an icon or cursor file with an image that can be read", false;
    // The largest image, and of those the deepest, carries the most of the picture.
    const IconImage* best = &doc.images[0];
    for (const IconImage& img : doc.images) {
        long area = long{img.width} * img.height, bestArea = long{best->width} * best->height;
        if (area > bestArea || (area == bestArea && img.colorCode > best->colorCode)) best = &img;
    }
    out->width = best->width;
    out->height = best->height;
    out->colours = ImageColours(*best);
    std::vector<uint8_t> mask = ImageMask(*best);
    for (size_t p = 0; p < mask.size(); ++p)
        out->mask.push_back(!mask[p] ? 0 : (out->colours[p] & kWhite) == kWhite ? 2 : 1);
    return true;
}

// The picture fitted into a square of at most 256 pixels, centred, transparent around it, as one
// true-colour image: the source every format is filled from.
IconImage SquareSource(const Picture& picture, int* side, int* left, int* top) {
    int w = picture.width, h = picture.height;
    std::vector<uint32_t> colours = picture.colours;
    std::vector<uint8_t> mask = picture.mask;
    if (w > kMaxImageSide || h > kMaxImageSide) {
        int nw, nh;
        ShrinkToFit(w, h, kMaxImageSide, kMaxImageSide, FitRounding::AboveHalf, &nw, &nh);
        // Transparent and inverse pixels are resampled as two masks so that each keeps its kind.
        std::vector<uint8_t> screen(mask.size()), inverse(mask.size());
        for (size_t p = 0; p < mask.size(); ++p) {
            screen[p] = mask[p] == 1;
            inverse[p] = mask[p] == 2;
        }
        colours = ResampleColours(colours, w, h, nw, nh);
        screen = ResampleMask(screen, w, h, nw, nh);
        inverse = ResampleMask(inverse, w, h, nw, nh);
        mask.assign(colours.size(), 0);
        for (size_t p = 0; p < mask.size(); ++p) mask[p] = screen[p] ? 1 : inverse[p] ? 2 : 0;
        w = nw;
        h = nh;
    }
    *side = std::max(w, h);
    *left = (*side - w) / 2;
    *top = (*side - h) / 2;
    IconImage img;
    img.width = img.height = *side;
    img.colorCode = kTrueColor;
    if (!img.AllocateBlock()) return img;
    for (int y = 0; y < *side; ++y)
        for (int x = 0; x < *side; ++x) img.SetAndBit(x, y, true);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t p = static_cast<size_t>(y) * w + x;
            int m = mask[p];
            img.SetXorValue(*left + x, *top + y, m == 0 ? colours[p] : m == 2 ? kWhite : 0);
            img.SetAndBit(*left + x, *top + y, m != 0);
        }
    img.untouched = false;
    return img;
}

}  // namespace

bool ReadPicture(std::span<const uint8_t> file, MaskedColour masked, uint32_t given, Picture* out,
                 std::string* why) {
    *out = {};
    if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M')
        return FromBmp(file, masked, given, out, why);
    if (file.size() >= 4 && std::memcmp(file.data(), "GIF8", 4) == 0)
        return FromGif(file, out, why);
    if (file.size() >= 4 && file[0] == 0 && file[1] == 0 && (file[2] == 1 || file[2] == 2) &&
        file[3] == 0)
        return FromIcon(file, out, why);
    *why = "not a .bmp, .gif, .ico or .cur file";
    return false;
}

bool MakeIcon(const Picture& picture, const MakeRequest& request, IconResource* doc,
              std::string* why) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.colours.size() != static_cast<size_t>(picture.width) * picture.height ||
        picture.mask.size() != picture.colours.size())
        return *why = "the picture is empty", false;
    int side = 0, left = 0, top = 0;
    IconImage source = SquareSource(picture, &side, &left, &top);
    if (!source.HasBits()) return *why = "out of memory", false;

    bool failed = false;
    ImageHost host;
    host.fillFromImage = [&failed](const IconImage& from, IconImage& to) {
        if (!ConvertFromImage(from, to)) failed = true;
        return !failed;
    };
    // New true-colour images keep a palette for the Studio's palette window; it has no pixels.
    host.newImagePalette = [](int32_t, ColorValues256& out) {
        for (uint32_t i = 0; i < 256; ++i) out[i] = i * 0x010101;
        return true;
    };
    *doc = {};
    doc->resourceType = request.cursor ? kCursorResource : kIconResource;
    doc->images.push_back(std::move(source));
    bool sourceAsked = false;
    for (int size : request.sizes)
        for (int32_t code : request.codes) {
            if (size == side && code == kTrueColor) sourceAsked = true;
            // Each format is filled from the picture itself, never from another format.
            doc->activeIndex = 0;
            doc->activeFormat = {size, size, code};
            if (!FindOrCreateImage(*doc, nullptr, 0, host, true) || failed)
                return *why = "out of memory", false;
        }
    if (!sourceAsked) doc->images.erase(doc->images.begin());
    for (IconImage& img : doc->images) {
        img.untouched = false;
        if (!request.cursor) continue;
        // The hot spot names a pixel of the picture; each image takes the same point of itself.
        long x = (long{request.hotX} + left) * img.width / side;
        long y = (long{request.hotY} + top) * img.height / side;
        img.hotSpotX = static_cast<uint32_t>(std::clamp(x, 0L, long{img.width} - 1));
        img.hotSpotY = static_cast<uint32_t>(std::clamp(y, 0L, long{img.height} - 1));
    }
    doc->activeIndex = 0;
    SortImages(*doc);
    doc->modified = true;
    return true;
}

}  // namespace vt
