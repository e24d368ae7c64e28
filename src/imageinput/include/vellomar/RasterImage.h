#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace vellomar {

struct TRGB {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    friend bool operator==(const TRGB&, const TRGB&) = default;
};

// One picture as a grid of 8-bit red, green and blue, row 0 at the top.
// Pixels are stored as packed RGB triples, rows top-down with no padding, so a row is
// one contiguous run of 3 * Width bytes.
class TRasterImage {
public:
    // An Empty picture: loading produced no image.
    TRasterImage() = default;
    // A black picture of the given size. Throws std::length_error for a negative size or
    // one whose byte count does not fit in memory arithmetic, std::bad_alloc when memory runs out.
    TRasterImage(std::int32_t width, std::int32_t height);

    // Replaces this picture with the bitmap file's. A zero-byte file gives an Empty picture.
    // Throws EFOpenError, EReadError, EInvalidGraphic (BitmapErrors.h), or std::bad_alloc
    // when the picture does not fit in memory; on a throw this picture is left as it was.
    // EFOpenError also for names that are not regular files (folders, devices, pipes).
    // EReadError when the file ends inside a header, the colour table or the bit-field masks;
    // EInvalidGraphic for a width or height of 0 and for pixel data that ends early.
    // The file is read in 1 MiB chunks: memory use is the picture plus that buffer.
    void LoadFromFile(const std::string& fileName);
    // The same from bytes in memory. maxPixels caps Width * Height (EInvalidGraphic beyond it);
    // the fuzzer uses it to stay fast, the application sets no cap.
    void LoadFromMemory(std::span<const std::uint8_t> data,
                        std::uint64_t maxPixels = std::numeric_limits<std::uint64_t>::max());

    std::int32_t Width() const noexcept { return width_; }
    std::int32_t Height() const noexcept { return height_; }
    bool Empty() const noexcept { return empty_; }

    // Defined for 0 <= x < Width and 0 <= y < Height.
    TRGB PixelColor(std::int32_t x, std::int32_t y) const noexcept {
        const std::uint8_t* p = Row(y) + 3 * static_cast<std::size_t>(x);
        return TRGB{p[0], p[1], p[2]};
    }
    void SetPixelColor(std::int32_t x, std::int32_t y, TRGB c) noexcept {
        std::uint8_t* p = Row(y) + 3 * static_cast<std::size_t>(x);
        p[0] = c.Red;
        p[1] = c.Green;
        p[2] = c.Blue;
    }

    // The 3 * Width bytes of row y, red first.
    const std::uint8_t* Row(std::int32_t y) const noexcept {
        return pixels_.data() + RowBytes() * static_cast<std::size_t>(y);
    }
    std::uint8_t* Row(std::int32_t y) noexcept {
        return pixels_.data() + RowBytes() * static_cast<std::size_t>(y);
    }
    std::size_t RowBytes() const noexcept { return 3 * static_cast<std::size_t>(width_); }

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    bool empty_ = true;
    std::vector<std::uint8_t> pixels_;
};

} // namespace vellomar
