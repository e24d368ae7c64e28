#pragma once

#include <cstdint>
#include <string_view>

namespace vellomar {

// The numbers are the item indexes of the window's radio groups.
enum TColorMode : int { cmRGB = 0, cmGrayscale = 1 };
enum TOutputStyle : int { osPlainText = 0, osCSource = 1, osVRMLBox = 2 };

struct TConvertOptions {
    TColorMode ColorMode = cmRGB;
    TOutputStyle OutputStyle = osPlainText;
    std::int32_t PixelsPerLine = 32; // any value: below 1 means one value per line
    bool Uppercase = false;
};

// Reads the pixels-per-line text the way the C library's atol does, without its undefined
// behaviour: leading white space, one optional sign, then decimal digits accumulated in 32 bits
// with wrap-around, the sign applied last. No digits gives 0. The window and the command-line
// converter both read their text through this.
std::int32_t ReadPixelsPerLine(std::string_view text) noexcept;

} // namespace vellomar
