#pragma once
// The Librarian's persistent state: the 28-byte "State" value (frame place and size, toolbar and
// status bar hidden, view), validated on the way in like any other untrusted input.

#include <cstdint>
#include <span>
#include <vector>

#include "librarian/workspace_types.h"

namespace vt {

constexpr size_t kLibrarianStateSize = 28;

struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct LibrarianState {
    bool hasPlace = false;  // false: the frame goes to the system's default place
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool toolbarHidden = false;
    bool statusBarHidden = false;
    int view = kViewWindows;
};

std::vector<uint8_t> StoreLibrarianState(const LibrarianState& state);

// Reads a stored block. A block of another size, or a view outside 1 to 4, is not ours: every
// value takes its default (a stored view of 0 means the default view). A size that is not positive
// or larger than any screen, or a place on none of the monitors, loses only the place: the frame
// opens at the default place with the stored bars and view.
LibrarianState LoadLibrarianState(std::span<const uint8_t> bytes,
                                  std::span<const ScreenRect> monitors);

}  // namespace vt
