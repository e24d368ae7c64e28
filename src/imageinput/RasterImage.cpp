#include "vellomar/RasterImage.h"

#include <limits>
#include <stdexcept>

#include "BitmapDecoder.h"
#include "ByteSource.h"

namespace vellomar {

TRasterImage::TRasterImage(std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0)
        throw std::length_error("picture size is negative");
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    constexpr std::size_t limit = std::numeric_limits<std::size_t>::max() / 3;
    if (w != 0 && h > limit / w)
        throw std::length_error("picture is too large");
    pixels_.assign(3 * w * h, 0);
    width_ = width;
    height_ = height;
    empty_ = false;
}

// Both decode into a new picture first, so a failure leaves this one as it was.
void TRasterImage::LoadFromFile(const std::string& fileName) {
    detail::TFileSource source(fileName);
    *this = detail::DecodeBitmap(source, std::numeric_limits<std::uint64_t>::max());
}

void TRasterImage::LoadFromMemory(std::span<const std::uint8_t> data, std::uint64_t maxPixels) {
    detail::TMemorySource source(data);
    *this = detail::DecodeBitmap(source, maxPixels);
}

} // namespace vellomar
