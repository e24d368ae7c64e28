#pragma once

// Bitmap files built in code, for the loader tests, the fuzzer's seeds and the CLI and window
// tests' fixture files. Every field can be set to any value, including wrong ones.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "vellomar/RasterImage.h"

namespace vellomar {

// How GoogleTest shows a colour in a failure message.
inline void PrintTo(const TRGB& c, std::ostream* os) {
    *os << '(' << int{c.Red} << ',' << int{c.Green} << ',' << int{c.Blue} << ')';
}

} // namespace vellomar

namespace vellomar::test {

using TBytes = std::vector<std::uint8_t>;

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitFields = 3;

struct TBitmapLayout {
    std::array<char, 2> magic{'B', 'M'};
    std::uint32_t headerSize = 40; // 12 writes the core header; 40 and more the Windows one
    std::int32_t width = 0;        // the core header keeps the low 16 bits
    std::int32_t height = 0;       // as stored: negative means top-down rows
    std::uint16_t planes = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    // Written as the colour table, 3-byte entries after the core header and 4-byte ones otherwise.
    std::vector<TRGB> palette;
    // Red, green, blue. Inside a header of 52 bytes or more, else written right after it.
    std::optional<std::array<std::uint32_t, 3>> masks;
    // Pixel data exactly as stored (see PackRows, or RLE codes written by hand).
    TBytes pixels;
    // The file header's pixel-data offset; by default where the pixels are written.
    std::optional<std::uint32_t> pixelOffset;
};

// The whole file.
TBytes BuildBitmap(const TBitmapLayout& layout);

// Rows of pixel values, top row first, packed as a file stores them: each row padded to a
// multiple of 4 bytes, bottom row first unless topDown. A value is a colour index at 1, 4 and
// 8 bits per pixel, 0xRRGGBB at 24, and the raw little-endian pixel at 16 and 32.
TBytes PackRows(const std::vector<std::vector<std::uint32_t>>& rows, int bitsPerPixel, bool topDown = false);

// A plain 24-bit bitmap of the picture with a 40-byte header: the usual fixture file.
TBytes Bitmap24(const TRasterImage& picture, bool topDown = false);

// The first n bytes of a file.
TBytes Truncated(const TBytes& bytes, std::size_t n);

void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
// The whole file as bytes in a string; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const noexcept { return path_; }
    // Writes bytes to a file of that name in the folder; returns its full name.
    std::string Write(const std::string& name, std::span<const std::uint8_t> bytes) const;

private:
    std::filesystem::path path_;
};

} // namespace vellomar::test
