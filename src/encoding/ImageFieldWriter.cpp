#include "vellomar/ImageFieldWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "vellomar/PixelEncoding.h"

namespace vellomar {

namespace {

constexpr std::string_view kLineOpening = "  \"";  // 0x20 0x20 0x22
constexpr std::string_view kLineClosing = "\\n\""; // 0x5C 0x6E 0x22
constexpr std::array<std::string_view, 2> kVrmlHead = {"#VRML V2.0 utf8", "DEF TEXTURE PixelTexture {"};
constexpr std::array<std::string_view, 8> kVrmlTrailer = {
    "}",
    "Shape {",
    "  appearance Appearance {",
    "    material Material {}",
    "    texture USE TEXTURE",
    "  }",
    "  geometry Box {}",
    "}",
};
constexpr std::size_t kMaxTokenLength = 11; // "0x", 8 digits, separator
constexpr std::size_t kStoreSlack = 8;      // PutHex stores 8 bytes whatever the digit count

// Offsets from '0' + 10 to the first letter digit.
constexpr std::uint64_t kLowerLetters = 'a' - '0' - 10;
constexpr std::uint64_t kUpperLetters = 'A' - '0' - 10;

constexpr std::uint64_t ToBigEndian(std::uint64_t x) noexcept {
    if constexpr (std::endian::native == std::endian::big)
        return x;
    x = ((x & 0x00FF00FF00FF00FFull) << 8) | ((x >> 8) & 0x00FF00FF00FF00FFull);
    x = ((x & 0x0000FFFF0000FFFFull) << 16) | ((x >> 16) & 0x0000FFFF0000FFFFull);
    return (x << 32) | (x >> 32);
}

// Writes the hexadecimal digits of v at p, most significant first, without leading zeros, and
// returns their count (1 to 8). Always stores 8 bytes: the caller leaves that much room.
inline std::size_t PutHex(char* p, std::uint32_t v, std::uint64_t letterOffset) noexcept {
    // Spread the eight nibbles into the eight bytes of x, nibble i into byte i.
    std::uint64_t x = v;
    x = ((x & 0xFFFF0000ull) << 16) | (x & 0x0000FFFFull);
    x = ((x & 0x0000FF000000FF00ull) << 8) | (x & 0x000000FF000000FFull);
    x = ((x & 0x00F000F000F000F0ull) << 4) | (x & 0x000F000F000F000Full);
    // Bytes of 10 or more get the letter offset on top of '0'.
    const std::uint64_t letters = ((x + 0x0606060606060606ull) >> 4) & 0x0101010101010101ull;
    x += 0x3030303030303030ull + letters * letterOffset;
    const auto digits = static_cast<std::size_t>(35 - std::countl_zero(v | 1u)) / 4;
    // Move the leading digit to the top byte, then store most significant byte first.
    x = ToBigEndian(x << (8 * (8 - digits)));
    std::memcpy(p, &x, sizeof x);
    return digits;
}

char* PutDecimal(char* p, std::int32_t n) noexcept {
    return std::to_chars(p, p + 11, n).ptr;
}

class TRowWriter {
public:
    TRowWriter(const TRasterImage& image, const TConvertOptions& options, TOutputLines& output)
        : output_(output),
          pixelsPerLine_(options.PixelsPerLine),
          cSource_(options.OutputStyle == osCSource),
          xChar_(options.Uppercase ? 'X' : 'x'),
          letters_(options.Uppercase ? kUpperLetters : kLowerLetters) {
        // A line never holds more than max(1, PixelsPerLine) tokens, nor more than a row's.
        const std::int64_t perLine = std::max<std::int32_t>(pixelsPerLine_, 1);
        const auto tokens = static_cast<std::size_t>(std::min<std::int64_t>(perLine, image.Width()));
        buffer_ = std::make_unique<char[]>(kLineOpening.size() + kMaxTokenLength * tokens + kLineClosing.size() +
                                           kStoreSlack);
        if (cSource_)
            std::memcpy(buffer_.get(), kLineOpening.data(), kLineOpening.size());
        lineStart_ = buffer_.get() + (cSource_ ? kLineOpening.size() : 0);
    }

    // Writes one row; value(x) gives the pixel value of column x.
    template <typename ValueOf>
    void Row(std::int32_t width, ValueOf value) {
        char* p = lineStart_;
        std::int32_t wrap = 0;
        for (std::int32_t x = 0; x < width; ++x) {
            p[0] = '0';
            p[1] = xChar_;
            p += 2;
            p += PutHex(p, value(x), letters_);
            if (++wrap < pixelsPerLine_) {
                *p++ = ' ';
            } else {
                EndLine(p);
                p = lineStart_;
                wrap = 0;
            }
        }
        EndLine(p);
    }

private:
    // The line opening stays at the front of the buffer; only the closing is added here.
    void EndLine(char* end) {
        if (cSource_) {
            std::memcpy(end, kLineClosing.data(), kLineClosing.size());
            end += kLineClosing.size();
        }
        output_.Add(std::string_view(buffer_.get(), static_cast<std::size_t>(end - buffer_.get())));
    }

    TOutputLines& output_;
    std::int32_t pixelsPerLine_;
    bool cSource_;
    char xChar_;
    std::uint64_t letters_;
    std::unique_ptr<char[]> buffer_;
    char* lineStart_ = nullptr;
};

template <bool Masked>
void WriteRows(const TRasterImage& image, const TRasterImage* mask, TColorMode mode, TRowWriter& rows) {
    const std::int32_t width = image.Width();
    for (std::int32_t i = 0; i < image.Height(); ++i) {
        const std::int32_t y = image.Height() - 1 - i; // bottom row first
        const std::uint8_t* src = image.Row(y);
        const std::uint8_t* alpha = Masked ? mask->Row(y) : nullptr;
        rows.Row(width, [&](std::int32_t x) {
            const std::size_t at = 3 * static_cast<std::size_t>(x);
            const std::uint32_t value = ColorValue(TRGB{src[at], src[at + 1], src[at + 2]}, mode);
            if constexpr (Masked)
                return WithAlpha(value, TRGB{alpha[at], alpha[at + 1], alpha[at + 2]});
            else
                return value;
        });
    }
}

} // namespace

void TImageFieldWriter::Write(const TRasterImage& image, const TRasterImage* mask, const TConvertOptions& options,
                              TOutputLines& output) {
    const bool vrml = options.OutputStyle == osVRMLBox;
    const bool cSource = options.OutputStyle == osCSource;
    if (vrml)
        for (std::string_view line : kVrmlHead)
            output.Add(line);

    // The header is never upper-cased.
    char header[64];
    char* p = header;
    if (cSource)
        p = std::copy(kLineOpening.begin(), kLineOpening.end(), p);
    p = std::copy_n("image ", 6, p);
    p = PutDecimal(p, image.Width());
    *p++ = ' ';
    p = PutDecimal(p, image.Height());
    *p++ = ' ';
    *p++ = static_cast<char>('0' + ComponentCount(options.ColorMode, mask != nullptr));
    if (cSource)
        p = std::copy(kLineClosing.begin(), kLineClosing.end(), p);
    output.Add(std::string_view(header, static_cast<std::size_t>(p - header)));

    TRowWriter rows(image, options, output);
    const TColorMode mode = options.ColorMode == cmGrayscale ? cmGrayscale : cmRGB;
    if (mask != nullptr)
        WriteRows<true>(image, mask, mode, rows);
    else
        WriteRows<false>(image, nullptr, mode, rows);

    if (vrml)
        for (std::string_view line : kVrmlTrailer)
            output.Add(line);
}

} // namespace vellomar
