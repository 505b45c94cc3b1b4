#include "image/resample.h"

#include <algorithm>

namespace vt {
namespace {

struct Tap {
    int source;
    uint32_t weight;
};

// For each target position, the source positions it covers and their overlap, in units of
// 1/dst of a source pixel: target i spans [i*src, (i+1)*src) and source j spans [j*dst,
// (j+1)*dst); the weights of one target add up to src.
std::vector<std::vector<Tap>> Taps(int src, int dst) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(dst));
    for (int i = 0; i < dst; ++i) {
        const int64_t lo = static_cast<int64_t>(i) * src;
        const int64_t hi = lo + src;
        for (int64_t j = lo / dst; j < src && j * dst < hi; ++j) {
            const int64_t a = std::max(lo, j * dst);
            const int64_t b = std::min(hi, (j + 1) * dst);
            if (b > a)
                taps[static_cast<size_t>(i)].push_back(
                    {static_cast<int>(j), static_cast<uint32_t>(b - a)});
        }
    }
    return taps;
}

}  // namespace

std::vector<uint32_t> ResampleColours(std::span<const uint32_t> src, int srcWidth, int srcHeight,
                                      int dstWidth, int dstHeight) {
    const auto tx = Taps(srcWidth, dstWidth);
    const auto ty = Taps(srcHeight, dstHeight);
    const uint64_t total = static_cast<uint64_t>(srcWidth) * srcHeight;
    std::vector<uint32_t> out(static_cast<size_t>(dstWidth) * dstHeight);
    for (int y = 0; y < dstHeight; ++y) {
        for (int x = 0; x < dstWidth; ++x) {
            uint64_t sum[3] = {0, 0, 0};
            for (const Tap& v : ty[static_cast<size_t>(y)]) {
                for (const Tap& h : tx[static_cast<size_t>(x)]) {
                    const uint32_t c = src[static_cast<size_t>(v.source) * srcWidth + h.source];
                    const uint64_t w = static_cast<uint64_t>(v.weight) * h.weight;
                    sum[0] += w * (c & 0xFF);
                    sum[1] += w * ((c >> 8) & 0xFF);
                    sum[2] += w * ((c >> 16) & 0xFF);
                }
            }
            uint32_t c = 0;
            for (int k = 0; k < 3; ++k)
                c |= static_cast<uint32_t>((sum[k] + total / 2) / total) << (8 * k);
            out[static_cast<size_t>(y) * dstWidth + x] = c;
        }
    }
    return out;
}

std::vector<uint8_t> ResampleMask(std::span<const uint8_t> src, int srcWidth, int srcHeight,
                                  int dstWidth, int dstHeight) {
    const auto tx = Taps(srcWidth, dstWidth);
    const auto ty = Taps(srcHeight, dstHeight);
    const uint64_t total = static_cast<uint64_t>(srcWidth) * srcHeight;
    std::vector<uint8_t> out(static_cast<size_t>(dstWidth) * dstHeight);
    for (int y = 0; y < dstHeight; ++y) {
        for (int x = 0; x < dstWidth; ++x) {
            uint64_t covered = 0;
            for (const Tap& v : ty[static_cast<size_t>(y)])
                for (const Tap& h : tx[static_cast<size_t>(x)])
                    if (src[static_cast<size_t>(v.source) * srcWidth + h.source])
                        covered += static_cast<uint64_t>(v.weight) * h.weight;
            out[static_cast<size_t>(y) * dstWidth + x] = covered * 2 >= total ? 1 : 0;
        }
    }
    return out;
}

namespace {

int ScaleRounded(int64_t value, int64_t multiplier, int64_t divisor, FitRounding rounding) {
    const int64_t product = value * multiplier;
    int64_t q = product / divisor;
    const int64_t rem = product % divisor;
    if ((rounding == FitRounding::HalfUp && rem * 2 >= divisor) ||
        (rounding == FitRounding::AboveHalf && rem * 2 > divisor))
        ++q;
    return static_cast<int>(q);
}

}  // namespace

void ShrinkToFit(int width, int height, int boxWidth, int boxHeight, FitRounding rounding,
                 int* outWidth, int* outHeight) {
    int w = width, h = height;
    if (width > boxWidth || height > boxHeight) {
        if (height < width) {
            w = boxWidth;
            h = ScaleRounded(height, boxWidth, width, rounding);
        } else {
            h = boxHeight;
            w = ScaleRounded(width, boxHeight, height, rounding);
        }
        // In a box that is not square the fitted side alone may leave the other too long; then
        // the other side is the one to fit.
        if (w > boxWidth) {
            w = boxWidth;
            h = ScaleRounded(height, boxWidth, width, rounding);
        }
        if (h > boxHeight) {
            h = boxHeight;
            w = ScaleRounded(width, boxHeight, height, rounding);
        }
    }
    *outWidth = std::clamp(w, 1, std::max(boxWidth, 1));
    *outHeight = std::clamp(h, 1, std::max(boxHeight, 1));
}

}  // namespace vt
