#pragma once

#include <cstdint>

#include "vellomar/ConvertOptions.h"
#include "vellomar/RasterImage.h"

namespace vellomar {

// Grey level: the integer BT.601 weights 77, 150, 29 (they add up to 256), rounded down.
constexpr std::uint8_t Luminance(TRGB c) noexcept {
    return static_cast<std::uint8_t>((77u * c.Red + 150u * c.Green + 29u * c.Blue) >> 8);
}

// 1 grey, 2 grey + alpha, 3 RGB, 4 RGB + alpha.
constexpr int ComponentCount(TColorMode mode, bool hasMask) noexcept {
    return (mode == cmGrayscale ? 1 : 3) + (hasMask ? 1 : 0);
}

// The colour part of a pixel value: the grey level, or 0xRRGGBB with red in the high byte.
constexpr std::uint32_t ColorValue(TRGB c, TColorMode mode) noexcept {
    return mode == cmGrayscale ? Luminance(c)
                               : (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
}

// Appends the mask's grey level as alpha in the low byte. Unsigned throughout: with four
// components a red of 0x80 or more gives a value of 0x80000000 or more, never a negative one.
constexpr std::uint32_t WithAlpha(std::uint32_t value, TRGB maskColor) noexcept {
    return (value << 8) | Luminance(maskColor);
}

// The value of the pixel at (x, y). The mask is null or of the image's size.
inline std::uint32_t PixelValue(const TRasterImage& image, const TRasterImage* mask, TColorMode mode,
                                std::int32_t x, std::int32_t y) noexcept {
    const std::uint32_t value = ColorValue(image.PixelColor(x, y), mode);
    return mask != nullptr ? WithAlpha(value, mask->PixelColor(x, y)) : value;
}

} // namespace vellomar
