#pragma once
// Icons and cursors made from pictures, as the Studio makes new formats from a current image: the
// picture becomes one true-colour image, and every format asked for is filled from it with the
// suite's colour conversion (area-averaging resample, the octree quantizer for 256 colours, the
// fixed tables for 2 and 16).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/icon_resource.h"

namespace vt {

// A picture as read: colour values (0x00BBGGRR), rows from the top, and per pixel 0 opaque,
// 1 transparent (screen) or 2 inverse screen.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> colours;
    std::vector<uint8_t> mask;
};

enum class MaskedColour { TopLeft, None, Given };

// Reads a .bmp, .gif or .ico/.cur file by its contents. A bitmap's pixels of the masked colour
// become transparent (its top-left pixel's colour, none, or `given`); a GIF's transparent index
// and an icon's mask (its largest, deepest image) are kept. False with *why on failure.
bool ReadPicture(std::span<const uint8_t> file, MaskedColour masked, uint32_t given, Picture* out,
                 std::string* why);

struct MakeRequest {
    std::vector<int> sizes;      // 1 to 256
    std::vector<int32_t> codes;  // 2, 16, 256, 1024
    bool cursor = false;
    int hotX = 0, hotY = 0;  // in the picture's pixels
};

// Fills `doc` with one image per size and depth, sorted as the Studio keeps them. False with *why
// when the picture is empty or a conversion could not get its memory.
bool MakeIcon(const Picture& picture, const MakeRequest& request, IconResource* doc,
              std::string* why);

}  // namespace vt
