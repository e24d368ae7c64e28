#include "SampleBitmaps.h"

#include <utility>

#include "TestImages.h"

namespace vellomar::test {
namespace {

constexpr TRGB P0 = kSamplePalette[0];
constexpr TRGB P1 = kSamplePalette[1];
constexpr TRGB P2 = kSamplePalette[2];
constexpr TRGB P3 = kSamplePalette[3];
constexpr TRGB P4 = kSamplePalette[4];
constexpr TRGB P5 = kSamplePalette[5];
constexpr TRGB P6 = kSamplePalette[6];
using TValues = std::vector<std::vector<std::uint32_t>>;
using TRows = std::vector<std::vector<TRGB>>;

} // namespace

TBitmapLayout BitmapLayout(std::int32_t width, std::int32_t height, std::uint16_t bpp, TBytes pixels) {
    TBitmapLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bpp;
    layout.pixels = std::move(pixels);
    return layout;
}

std::vector<TSampleBitmap> SampleBitmaps() {
    std::vector<TSampleBitmap> v;
    auto add = [&](const char* name, TBitmapLayout layout, TRows expected) {
        v.push_back({name, std::move(layout), std::move(expected)});
    };
    auto indexed = [](std::uint32_t headerSize, std::uint16_t bpp, const TValues& rows, std::size_t entries) {
        TBitmapLayout s = BitmapLayout(static_cast<std::int32_t>(rows[0].size()), static_cast<std::int32_t>(rows.size()),
                                   bpp, PackRows(rows, bpp));
        s.headerSize = headerSize;
        s.palette.assign(kSamplePalette.begin(), kSamplePalette.begin() + static_cast<std::ptrdiff_t>(entries));
        if (entries < (std::size_t{1} << bpp))
            s.colorsUsed = static_cast<std::uint32_t>(entries);
        return s;
    };

    // Nine columns cross a byte boundary; rows are padded to four bytes.
    add("1bpp", indexed(40, 1, {{1, 0, 1, 1, 0, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 0, 0, 1, 0}}, 2),
        {{P1, P0, P1, P1, P0, P0, P0, P0, P1}, {P0, P1, P0, P0, P0, P0, P0, P1, P0}});
    add("4bpp", indexed(40, 4, {{3, 15, 6}, {0, 1, 2}}, 16),
        {{P3, {15, 15, 15}, P6}, {P0, P1, P2}});
    add("8bpp, colours-used 3", indexed(40, 8, {{2, 0, 1}, {1, 1, 2}}, 3), {{P2, P0, P1}, {P1, P1, P2}});
    {
        TBitmapLayout s = indexed(40, 8, {{5, 4}}, 16);
        s.colorsUsed = 0;
        s.palette.resize(256, TRGB{});
        add("8bpp, 256 entries by default", s, {{P5, P4}});
    }
    add("core header 1bpp", indexed(12, 1, {{0, 1, 1}}, 2), {{P0, P1, P1}});
    add("core header 4bpp", indexed(12, 4, {{6, 5, 4}, {3, 2, 1}}, 16), {{P6, P5, P4}, {P3, P2, P1}});
    {
        TBitmapLayout s = indexed(12, 8, {{2, 1}}, 16);
        s.palette.resize(256, TRGB{});
        add("core header 8bpp", s, {{P2, P1}});
    }
    {
        TBitmapLayout s = BitmapLayout(2, 1, 24, PackRows({{0x123456, 0xFFFFFF}}, 24));
        s.headerSize = 12;
        add("core header 24bpp", s, {{{0x12, 0x34, 0x56}, kWhite}});
    }
    for (std::uint32_t size : {40u, 108u, 124u}) {
        TBitmapLayout s = BitmapLayout(3, 2, 24, PackRows({{0xFF0000, 0x00FF00, 0x0000FF}, {0x010203, 0, 0x808080}}, 24));
        s.headerSize = size;
        add(size == 40 ? "24bpp, 40" : size == 108 ? "24bpp, 108" : "24bpp, 124", s,
            {{kRed, kGreen, kBlue}, {{1, 2, 3}, kBlack, kGrey128}});
    }
    add("32bpp, fourth byte ignored", BitmapLayout(2, 1, 32, PackRows({{0xAB123456, 0xFFFFFFFF}}, 32)),
        {{{0x12, 0x34, 0x56}, kWhite}});
    // 5-5-5, widened by bit replication: 16 -> 132, 31 -> 255.
    add("16bpp 5-5-5", BitmapLayout(4, 1, 16, PackRows({{0x7FFF, 0x7C00, 0x0010, 0x8000}}, 16)),
        {{kWhite, kRed, {0, 0, 132}, kBlack}});
    {
        TBitmapLayout s = BitmapLayout(3, 1, 16, PackRows({{0xF800, 0x0400, 0xFFFF}}, 16));
        s.compression = kBiBitFields;
        s.masks = {{0xF800, 0x07E0, 0x001F}};
        add("16bpp 5-6-5, masks after a 40-byte header", s, {{kRed, {0, 130, 0}, kWhite}});
        s.headerSize = 108;
        add("16bpp 5-6-5, masks in a 108-byte header", s, {{kRed, {0, 130, 0}, kWhite}});
    }
    {
        // Masks in a 108-byte header count only with bit-field compression.
        TBitmapLayout s = BitmapLayout(1, 1, 16, PackRows({{0x7C00}}, 16));
        s.headerSize = 108;
        s.masks = {{0x001F, 0x03E0, 0x7C00}};
        add("16bpp uncompressed ignores header masks", s, {{kRed}});
    }
    {
        TBitmapLayout s = BitmapLayout(2, 1, 32, PackRows({{0x00123456, 0xFF000000}}, 32));
        s.compression = kBiBitFields;
        s.masks = {{0x00FF0000, 0x0000FF00, 0x000000FF}};
        add("32bpp bit fields, 40", s, {{{0x12, 0x34, 0x56}, kBlack}});
    }
    {
        // 10-10-10: the top 8 bits of each field.
        TBitmapLayout s = BitmapLayout(2, 1, 32, PackRows({{0x3FFFFFFF, 0x20000000 | 0x00001000 | 0x0000007F}}, 32));
        s.headerSize = 124;
        s.compression = kBiBitFields;
        s.masks = {{0x3FF00000, 0x000FFC00, 0x000003FF}};
        add("32bpp 10-10-10, 124", s, {{kWhite, {0x80, 0x01, 0x1F}}});
    }
    {
        TBitmapLayout s = BitmapLayout(2, 2, 24, PackRows({{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}}, 24, true));
        s.height = -2;
        add("24bpp top-down", s, {{kRed, kGreen}, {kBlue, kWhite}});
    }
    {
        // A gap between the table and the pixels, as the offset says.
        TBitmapLayout s = indexed(40, 8, {{1}}, 2);
        s.pixels.insert(s.pixels.begin(), {2, 2, 2, 2});
        s.pixelOffset = 14 + 40 + 8 + 4;
        add("pixel offset past a gap", s, {{P1}});
    }
    {
        TBitmapLayout s = indexed(40, 8, {{1}}, 2);
        s.pixelOffset = 0;
        add("pixel offset 0: pixels follow the table", s, {{P1}});
    }
    {
        TBitmapLayout s = indexed(40, 8, {{1, 2}}, 3);
        s.palette.resize(300, kWhite);
        s.colorsUsed = 300;
        add("8bpp, colours-used above 256", s, {{P1, P2}});
    }
    {
        // Bottom row first: a run, an end of line, a literal, a delta, a run, end of bitmap.
        TBitmapLayout s = indexed(40, 8, {{0}}, 4);
        s.width = 4;
        s.height = 3;
        s.compression = kBiRle8;
        s.pixels = {3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 0, 2, 2, 0, 1};
        add("RLE8", s, {{P0, P2, P2, P0}, {P2, P3, P1, P0}, {P1, P1, P1, P0}});
        s.height = -3;
        add("RLE8 top-down", s, {{P1, P1, P1, P0}, {P2, P3, P1, P0}, {P0, P2, P2, P0}});
    }
    {
        TBitmapLayout s = indexed(40, 4, {{0}}, 16);
        s.width = 4;
        s.height = 2;
        s.compression = kBiRle4;
        // Run of alternating 1 and 2; literal 3, 4, 5; run of one 6.
        s.pixels = {3, 0x12, 0, 0, 0, 3, 0x34, 0x50, 1, 0x60, 0, 1};
        add("RLE4", s, {{P3, P4, P5, P6}, {P1, P2, P1, P0}});
    }
    {
        // Five-pixel literal: three bytes and a pad byte; the part past the edge is dropped.
        TBitmapLayout s = indexed(40, 4, {{0}}, 16);
        s.width = 3;
        s.height = 1;
        s.compression = kBiRle4;
        s.pixels = {0, 5, 0x12, 0x31, 0x20, 0, 0, 1};
        add("RLE4 odd literal", s, {{P1, P2, P3}});
    }
    return v;
}

} // namespace vellomar::test
