#pragma once

#include <initializer_list>
#include <vector>

#include "vellomar/RasterImage.h"

namespace vellomar::test {

inline constexpr TRGB kBlack{0, 0, 0};
inline constexpr TRGB kWhite{255, 255, 255};
inline constexpr TRGB kRed{255, 0, 0};
inline constexpr TRGB kGreen{0, 255, 0};
inline constexpr TRGB kBlue{0, 0, 255};
inline constexpr TRGB kGrey128{128, 128, 128};

// A picture from its rows, top row first; every row must have the same length.
TRasterImage MakeImage(std::initializer_list<std::initializer_list<TRGB>> rows);
// A width x height picture of one colour.
TRasterImage MakeFilled(int width, int height, TRGB colour);

} // namespace vellomar::test
