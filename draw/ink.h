#pragma once
// What one pixel holds, and what a tool writes into one: a value (a palette index, or a colour
// value 0x00BBGGRR for true colour) and the AND bit. With the AND bit set the value is the image's
// screen colour (transparent) or its inverse colour (inverse screen).

#include <cstdint>

namespace vt {

struct Ink {
    uint32_t value = 0;
    bool special = false;

    friend bool operator==(const Ink&, const Ink&) = default;
};

// A pixel position. Shape lists may hold positions outside the image (the pointer can leave the
// grid while a shape is dragged), so both coordinates are signed.
struct Point {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// The "none" last point: the pointer left the grid, or no drag has happened yet.
inline constexpr int32_t kNoPoint = 9999;

}  // namespace vt
