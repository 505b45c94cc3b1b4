#pragma once
// Area-averaging resample, the editors' stand-in for the system's halftone stretch: every target
// pixel is the mean of the source area it covers, each source pixel weighted by the part of it
// that falls inside, rounded to the nearest value. Halving averages 2 x 2 blocks exactly;
// enlarging repeats pixels and blends only where a target pixel straddles two source pixels.

#include <cstdint>
#include <span>
#include <vector>

namespace vt {

// Colour values (0x00BBGGRR), rows from the top. Sizes must be positive.
std::vector<uint32_t> ResampleColours(std::span<const uint32_t> src, int srcWidth, int srcHeight,
                                      int dstWidth, int dstHeight);
// A mask (one byte per pixel, non-zero = set): a target pixel is set when at least half of the
// area it covers is set.
std::vector<uint8_t> ResampleMask(std::span<const uint8_t> src, int srcWidth, int srcHeight,
                                  int dstWidth, int dstHeight);

// How the scaled side of a shrunk picture is rounded: down, up when the remainder reaches half
// the divisor, or up only when it exceeds half.
enum class FitRounding { Down, HalfUp, AboveHalf };

// The size of the same proportions that fits in a box of boxWidth x boxHeight, for pictures that
// are wider or taller than the box (others keep their size): the longer side is fitted and the
// other scaled. Never 0, never larger than the box.
void ShrinkToFit(int width, int height, int boxWidth, int boxHeight, FitRounding rounding,
                 int* outWidth, int* outHeight);

}  // namespace vt
