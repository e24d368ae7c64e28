#include "BitmapDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "vellomar/BitmapErrors.h"

namespace vellomar::detail {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
// Headers this long or longer carry the red, green and blue masks at offset 40 themselves;
// shorter ones have the three masks right after them.
constexpr std::uint32_t kHeaderWithMasks = 52;
// The part of any information header this loader reads; the rest is skipped.
constexpr std::size_t kHeaderPrefix = 52;

enum TCompression : std::uint32_t { kUncompressed = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint16_t U16(const std::uint8_t* p) noexcept {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t U32(const std::uint8_t* p) noexcept {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct THeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // as stored: negative means top-down
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = kUncompressed;
    std::uint32_t colorsUsed = 0;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue; only when the header holds them
};

// Reads the information header and leaves the source just after it. A file that ends inside it
// raises EReadError, like one that ends inside the colour table.
THeader ReadInfoHeader(TByteSource& source) {
    std::array<std::uint8_t, kHeaderPrefix> h{};
    if (!source.Read(h.data(), 4))
        throw EReadError();
    THeader header;
    header.size = U32(h.data());
    if (header.size != kCoreHeaderSize && header.size < kInfoHeaderSize)
        throw EInvalidGraphic();
    if (header.size - 4 > source.Remaining())
        throw EReadError();
    const std::size_t prefix = std::min<std::size_t>(header.size, kHeaderPrefix);
    if (!source.Read(h.data() + 4, prefix - 4))
        throw EReadError();
    if (source.Skip(header.size - prefix) != header.size - prefix)
        throw EReadError();

    if (header.size == kCoreHeaderSize) {
        // Unsigned 16-bit sizes: always bottom-up, never compressed.
        header.width = U16(&h[4]);
        header.height = U16(&h[6]);
        header.planes = U16(&h[8]);
        header.bitsPerPixel = U16(&h[10]);
        return header;
    }
    header.width = static_cast<std::int32_t>(U32(&h[4]));
    header.height = static_cast<std::int32_t>(U32(&h[8]));
    header.planes = U16(&h[12]);
    header.bitsPerPixel = U16(&h[14]);
    header.compression = U32(&h[16]);
    header.colorsUsed = U32(&h[32]);
    if (header.size >= kHeaderWithMasks)
        header.masks = {U32(&h[40]), U32(&h[44]), U32(&h[48])};
    return header;
}

bool ValidCompression(std::uint32_t compression, std::uint16_t bpp) noexcept {
    switch (compression) {
    case kUncompressed: return true;
    case kRle8: return bpp == 8;
    case kRle4: return bpp == 4;
    case kBitFields: return bpp == 16 || bpp == 32;
    default: return false;
    }
}

// One colour component of a bit-field pixel. Fields narrower than 8 bits are widened by bit
// replication (the value repeated from the top bit down until 8 bits are filled), so 0 gives 0,
// the field's maximum gives 255 and the steps in between stay even; wider fields keep their top
// 8 bits. A zero mask gives a component that is always 0.
class TChannel {
public:
    TChannel() = default;

    // A mask that is not one contiguous run of bits, or that reaches beyond the pixel's bits,
    // describes no picture: EInvalidGraphic.
    TChannel(std::uint32_t mask, int pixelBits) : mask_(mask) {
        if (mask == 0)
            return;
        if (pixelBits < 32 && (mask >> pixelBits) != 0)
            throw EInvalidGraphic();
        shift_ = std::countr_zero(mask);
        const std::uint32_t field = mask >> shift_;
        if ((field & (field + 1)) != 0)
            throw EInvalidGraphic();
        bits_ = std::popcount(field);
        if (bits_ >= 8)
            return;
        for (std::uint32_t v = 0; v <= field; ++v) {
            std::uint32_t wide = 0;
            int filled = 0;
            for (; filled < 8; filled += bits_)
                wide = wide << bits_ | v;
            widened_[v] = static_cast<std::uint8_t>(wide >> (filled - 8));
        }
    }

    std::uint8_t operator()(std::uint32_t pixel) const noexcept {
        const std::uint32_t v = (pixel & mask_) >> shift_;
        return bits_ >= 8 ? static_cast<std::uint8_t>(v >> (bits_ - 8)) : widened_[v & 0xFF];
    }

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
    std::array<std::uint8_t, 256> widened_{};
};

using TPalette = std::array<TRGB, 256>; // entries the file does not give stay black

void Put(std::uint8_t* dst, TRGB c) noexcept {
    dst[0] = c.Red;
    dst[1] = c.Green;
    dst[2] = c.Blue;
}

// Turns stored pixels into RGB triples. A run of pixels starts on a byte boundary.
class TRowConverter {
public:
    enum TKind { kIndexed1, kIndexed4, kIndexed8, kBgr24, kBgrx32, kFields16, kFields32 };

    TRowConverter(TKind kind, const TPalette& palette, const std::array<TChannel, 3>& channels)
        : kind_(kind), palette_(palette), channels_(channels) {}

    void operator()(const std::uint8_t* src, std::size_t count, std::uint8_t* dst) const noexcept {
        switch (kind_) {
        case kIndexed1:
            for (std::size_t i = 0; i < count; ++i, dst += 3)
                Put(dst, palette_[(src[i >> 3] >> (7 - (i & 7))) & 1]);
            break;
        case kIndexed4:
            for (std::size_t i = 0; i < count; ++i, dst += 3)
                Put(dst, palette_[(i & 1) ? src[i >> 1] & 0x0F : src[i >> 1] >> 4]);
            break;
        case kIndexed8:
            for (std::size_t i = 0; i < count; ++i, dst += 3)
                Put(dst, palette_[src[i]]);
            break;
        case kBgr24:
            for (std::size_t i = 0; i < count; ++i, src += 3, dst += 3) {
                dst[0] = src[2];
                dst[1] = src[1];
                dst[2] = src[0];
            }
            break;
        case kBgrx32:
            for (std::size_t i = 0; i < count; ++i, src += 4, dst += 3) {
                dst[0] = src[2];
                dst[1] = src[1];
                dst[2] = src[0];
            }
            break;
        case kFields16:
            for (std::size_t i = 0; i < count; ++i, src += 2, dst += 3)
                Fields(U16(src), dst);
            break;
        case kFields32:
            for (std::size_t i = 0; i < count; ++i, src += 4, dst += 3)
                Fields(U32(src), dst);
            break;
        }
    }

private:
    void Fields(std::uint32_t pixel, std::uint8_t* dst) const noexcept {
        dst[0] = channels_[0](pixel);
        dst[1] = channels_[1](pixel);
        dst[2] = channels_[2](pixel);
    }

    TKind kind_;
    const TPalette& palette_;
    const std::array<TChannel, 3>& channels_;
};

// Where the picture's rows go: file row r is picture row r when stored top-down.
struct TGeometry {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool topDown = false;

    std::int32_t PictureRow(std::int64_t fileRow) const noexcept {
        return static_cast<std::int32_t>(topDown ? fileRow : height - 1 - fileRow);
    }
};

TRasterImage AllocatePicture(const TGeometry& g) {
    // Beyond what the address space can hold: the same failure as any other lack of memory.
    const std::uint64_t bytes = 3 * static_cast<std::uint64_t>(g.width) * static_cast<std::uint64_t>(g.height);
    if (bytes > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()))
        throw std::bad_alloc();
    return TRasterImage(g.width, g.height);
}

// Uncompressed and bit-field pixels. The data must hold every pixel; the last row's padding
// may be missing. Checked before the picture is allocated, so a short file never makes a big
// picture.
TRasterImage DecodeUncompressed(TByteSource& source, const TGeometry& g, int bpp, const TRowConverter& convert) {
    const std::uint64_t rowBits = static_cast<std::uint64_t>(g.width) * static_cast<std::uint64_t>(bpp);
    const std::uint64_t rowBytes = (rowBits + 7) / 8;
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    const std::uint64_t available = source.Remaining();
    const auto rowsBefore = static_cast<std::uint64_t>(g.height) - 1;
    if (rowBytes > available || (rowsBefore != 0 && stride > (available - rowBytes) / rowsBefore))
        throw EInvalidGraphic();

    TRasterImage image = AllocatePicture(g);
    const std::size_t unit = bpp >= 8 ? static_cast<std::size_t>(bpp / 8) : 1;
    const std::size_t pixelsPerUnit = bpp >= 8 ? 1 : static_cast<std::size_t>(8 / bpp);
    const auto width = static_cast<std::size_t>(g.width);
    for (std::int64_t r = 0; r < g.height; ++r) {
        std::uint8_t* dst = image.Row(g.PictureRow(r));
        std::size_t x = 0;
        while (x < width) {
            // Enough data was there at the start; a file cut short since then ends here.
            if (source.Ensure(unit) < unit)
                throw EInvalidGraphic();
            const std::size_t units = source.Buffered() / unit;
            const std::size_t count = std::min(width - x, units * pixelsPerUnit);
            convert(source.Data(), count, dst + 3 * x);
            source.Consume(bpp >= 8 ? count * unit : (count * static_cast<std::size_t>(bpp) + 7) / 8);
            x += count;
        }
        source.Skip(stride - rowBytes);
    }
    return image;
}

// Run-length encoded pixels, 8 or 4 bits each. Pixels the data never sets keep colour-table
// entry 0; runs, literal runs and deltas that go past the right edge are cut there, and rows past
// the last one end the decoding. Data that ends before the end-of-bitmap code and before the last
// row is finished is cut short: EInvalidGraphic. Both row orders are decoded.
TRasterImage DecodeRunLength(TByteSource& source, const TGeometry& g, bool fourBit, const TPalette& palette) {
    TRasterImage image = AllocatePicture(g);
    if (palette[0] != TRGB{}) {
        for (std::int32_t x = 0; x < g.width; ++x)
            image.SetPixelColor(x, 0, palette[0]);
        for (std::int32_t y = 1; y < g.height; ++y)
            std::memcpy(image.Row(y), image.Row(0), image.RowBytes());
    }

    std::int64_t x = 0; // kept <= width
    std::int64_t r = 0; // file row
    // Writes n pixels of index(i) at the cursor, dropping those past the right edge.
    auto put = [&](std::size_t n, auto index) {
        const auto inside = static_cast<std::size_t>(std::min(static_cast<std::int64_t>(n), g.width - x));
        std::uint8_t* dst = image.Row(g.PictureRow(r)) + 3 * x;
        for (std::size_t i = 0; i < inside; ++i, dst += 3)
            Put(dst, palette[static_cast<std::size_t>(index(i))]);
        x += static_cast<std::int64_t>(inside);
    };

    while (r < g.height) {
        if (source.Ensure(2) < 2)
            throw EInvalidGraphic();
        const std::uint8_t count = source.Data()[0];
        const std::uint8_t code = source.Data()[1];
        source.Consume(2);
        if (count != 0) {
            const auto high = static_cast<std::uint8_t>(code >> 4);
            const auto low = static_cast<std::uint8_t>(code & 0x0F);
            if (fourBit)
                put(count, [&](std::size_t i) { return (i & 1) ? low : high; });
            else
                put(count, [&](std::size_t) { return code; });
            continue;
        }
        switch (code) {
        case 0: // end of line
            x = 0;
            ++r;
            break;
        case 1: // end of bitmap
            return image;
        case 2: { // delta: right and towards the top of the picture
            std::uint8_t d[2];
            if (!source.Read(d, 2))
                throw EInvalidGraphic();
            x = std::min<std::int64_t>(x + d[0], g.width);
            r += d[1];
            break;
        }
        default: { // literal run, padded to an even byte count
            const std::size_t bytes = fourBit ? (code + 1u) / 2 : code;
            if (source.Ensure(bytes + 1) < bytes)
                throw EInvalidGraphic();
            const std::uint8_t* lit = source.Data();
            if (fourBit)
                put(code, [&](std::size_t i) { return (i & 1) ? lit[i >> 1] & 0x0F : lit[i >> 1] >> 4; });
            else
                put(code, [&](std::size_t i) { return lit[i]; });
            source.Consume(std::min(bytes + (bytes & 1), source.Buffered()));
            break;
        }
        }
    }
    return image;
}

} // namespace

TRasterImage DecodeBitmap(TByteSource& source, std::uint64_t maxPixels) {
    if (source.Size() == 0)
        return TRasterImage();

    std::array<std::uint8_t, 14> fileHeader{};
    if (!source.Read(fileHeader.data(), fileHeader.size()))
        throw EReadError();
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M')
        throw EInvalidGraphic();
    const std::uint32_t pixelOffset = U32(&fileHeader[10]);

    const THeader header = ReadInfoHeader(source);
    const int bpp = header.bitsPerPixel;
    if (header.planes != 1)
        throw EInvalidGraphic();
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        throw EInvalidGraphic();
    if (!ValidCompression(header.compression, header.bitsPerPixel))
        throw EInvalidGraphic();
    // Width or height 0 holds no picture; it is refused rather than loaded as Empty.
    if (header.width <= 0 || header.height == 0 || header.height == std::numeric_limits<std::int32_t>::min())
        throw EInvalidGraphic();
    const TGeometry geometry{header.width, header.height < 0 ? -header.height : header.height, header.height < 0};
    if (static_cast<std::uint64_t>(geometry.width) * static_cast<std::uint64_t>(geometry.height) > maxPixels)
        throw EInvalidGraphic();

    std::array<TChannel, 3> channels;
    if (header.compression == kBitFields) {
        std::array<std::uint32_t, 3> masks = header.masks;
        if (header.size < kHeaderWithMasks) {
            std::array<std::uint8_t, 12> m{};
            if (!source.Read(m.data(), m.size()))
                throw EReadError();
            masks = {U32(&m[0]), U32(&m[4]), U32(&m[8])};
        }
        for (std::size_t i = 0; i < 3; ++i)
            channels[i] = TChannel(masks[i], bpp);
    } else if (bpp == 16) {
        channels = {TChannel(0x7C00, 16), TChannel(0x03E0, 16), TChannel(0x001F, 16)};
    }

    // The colour table: read for indexed pixels, otherwise only stepped over.
    TPalette palette{};
    const std::uint64_t entrySize = header.size == kCoreHeaderSize ? 3 : 4;
    std::uint64_t tableBytes = entrySize * header.colorsUsed;
    if (bpp <= 8) {
        const std::uint64_t entries = header.colorsUsed != 0 ? header.colorsUsed : std::uint64_t{1} << bpp;
        tableBytes = entrySize * entries;
        if (tableBytes > source.Remaining())
            throw EReadError();
        const auto kept = static_cast<std::size_t>(std::min<std::uint64_t>(entries, palette.size()));
        for (std::size_t i = 0; i < kept; ++i) {
            std::array<std::uint8_t, 4> e{};
            if (!source.Read(e.data(), static_cast<std::size_t>(entrySize)))
                throw EReadError();
            palette[i] = TRGB{e[2], e[1], e[0]};
        }
        if (source.Skip(tableBytes - kept * entrySize) != tableBytes - kept * entrySize)
            throw EReadError();
        tableBytes = 0;
    }

    // An offset pointing back into the headers (often 0) means the pixels follow the table.
    if (pixelOffset >= source.Position())
        source.Skip(pixelOffset - source.Position());
    else
        source.Skip(tableBytes);

    if (header.compression == kRle8 || header.compression == kRle4)
        return DecodeRunLength(source, geometry, header.compression == kRle4, palette);

    using K = TRowConverter::TKind;
    K kind = K::kBgr24;
    switch (bpp) {
    case 1: kind = K::kIndexed1; break;
    case 4: kind = K::kIndexed4; break;
    case 8: kind = K::kIndexed8; break;
    case 16: kind = K::kFields16; break;
    case 24: kind = K::kBgr24; break;
    case 32: kind = header.compression == kBitFields ? K::kFields32 : K::kBgrx32; break;
    }
    return DecodeUncompressed(source, geometry, bpp, TRowConverter(kind, palette, channels));
}

} // namespace vellomar::detail
