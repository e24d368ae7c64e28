#pragma once

// One small bitmap for every layout the loader accepts, with the picture each must load as.
// The loader tests check them; the fuzzer starts from them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "BitmapWriter.h"
#include "vellomar/RasterImage.h"

namespace vellomar::test {

// Entry 0 is not black, so "left at entry 0" and "black" can be told apart.
inline constexpr std::array<TRGB, 16> kSamplePalette = {{
    {10, 20, 30}, {200, 100, 50}, {1, 2, 3}, {40, 50, 60}, {70, 80, 90}, {11, 22, 33}, {99, 88, 77}, {7, 7, 7},
    {8, 8, 8}, {9, 9, 9}, {10, 10, 10}, {11, 11, 11}, {12, 12, 12}, {13, 13, 13}, {14, 14, 14}, {15, 15, 15},
}};

struct TSampleBitmap {
    std::string name;
    TBitmapLayout layout;
    std::vector<std::vector<TRGB>> expected; // top row first
};

std::vector<TSampleBitmap> SampleBitmaps();

// A 40-byte-header bitmap with these sizes and pixel data, nothing else set.
TBitmapLayout BitmapLayout(std::int32_t width, std::int32_t height, std::uint16_t bpp, TBytes pixels);

} // namespace vellomar::test
