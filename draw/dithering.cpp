#include "draw/dithering.h"

namespace vt {

bool PatternAllows(int mode, Point anchor, int x, int y) {
    const bool odd = (x + y) % 2 != 0;
    switch (mode) {
        case kDitherEveryOther:
            return odd == ((anchor.x + anchor.y) % 2 != 0);
        case kDitherEven:
            return odd;
        case kDitherOdd:
            return !odd;
        default:
            return true;
    }
}

}  // namespace vt
