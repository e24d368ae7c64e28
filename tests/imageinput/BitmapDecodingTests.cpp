// Decoding bitmap bytes: every accepted layout, the colours, the errors and hostile sizes.
#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BitmapWriter.h"
#include "SampleBitmaps.h"
#include "TestImages.h"
#include "vellomar/BitmapErrors.h"
#include "vellomar/RasterImage.h"

namespace vellomar {
namespace {

using test::BuildBitmap;
using test::kBiBitFields;
using test::kBiRle4;
using test::kBiRle8;
using test::PackRows;
using test::TBitmapLayout;
using test::TBytes;
using TRows = std::vector<std::vector<TRGB>>;
using TValues = std::vector<std::vector<std::uint32_t>>;

constexpr TRGB P0 = test::kSamplePalette[0];
constexpr TRGB P1 = test::kSamplePalette[1];
constexpr TRGB P2 = test::kSamplePalette[2];

TRows PixelsOf(const TRasterImage& image) {
    TRows rows(static_cast<std::size_t>(image.Height()));
    for (std::int32_t y = 0; y < image.Height(); ++y)
        for (std::int32_t x = 0; x < image.Width(); ++x)
            rows[static_cast<std::size_t>(y)].push_back(image.PixelColor(x, y));
    return rows;
}

TRasterImage Load(const TBytes& bytes, std::uint64_t maxPixels = std::numeric_limits<std::uint64_t>::max()) {
    TRasterImage image;
    image.LoadFromMemory(bytes, maxPixels);
    return image;
}

TEST(Bitmap, ZeroBytesLoadAsEmpty) {
    TRasterImage image(2, 2);
    image.LoadFromMemory({});
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
}

TEST(Bitmap, LoadsEveryAcceptedVariant) {
    for (const test::TSampleBitmap& c : test::SampleBitmaps()) {
        SCOPED_TRACE(c.name);
        const TRasterImage image = Load(BuildBitmap(c.layout));
        ASSERT_FALSE(image.Empty());
        EXPECT_EQ(image.Width(), static_cast<std::int32_t>(c.expected[0].size()));
        EXPECT_EQ(image.Height(), static_cast<std::int32_t>(c.expected.size()));
        EXPECT_EQ(PixelsOf(image), c.expected);
    }
}

TEST(Bitmap, TopDownEqualsBottomUp) {
    const TValues rows24 = {{0xFF0000, 0x00FF00, 0x0000FF}, {0x102030, 0x405060, 0x708090}, {0, 0xFFFFFF, 1}};
    const TValues rowsIndexed = {{1, 0, 1}, {0, 1, 1}, {1, 1, 0}};
    const TValues rows16 = {{0x7C00, 0x03E0, 0x001F}, {0x1234, 0x4321, 0}, {0x7FFF, 1, 2}};
    const TValues rows32 = {{0xFF0000, 0x00FF00, 0x0000FF}, {1, 2, 3}, {0x11223344, 0, 0xFFFFFF}};
    struct Case {
        std::uint16_t bpp;
        const TValues& rows;
    };
    for (const Case& c : {Case{1, rowsIndexed}, Case{4, rowsIndexed}, Case{8, rowsIndexed}, Case{16, rows16},
                          Case{24, rows24}, Case{32, rows32}}) {
        SCOPED_TRACE(c.bpp);
        TBitmapLayout bottomUp = test::BitmapLayout(3, 3, c.bpp, PackRows(c.rows, c.bpp));
        if (c.bpp <= 8) {
            bottomUp.palette = {P0, P1};
            bottomUp.colorsUsed = 2;
        }
        TBitmapLayout topDown = bottomUp;
        topDown.height = -3;
        topDown.pixels = PackRows(c.rows, c.bpp, true);
        const TRasterImage a = Load(BuildBitmap(bottomUp));
        const TRasterImage b = Load(BuildBitmap(topDown));
        EXPECT_EQ(b.Height(), 3);
        EXPECT_EQ(PixelsOf(a), PixelsOf(b));
    }
}

TEST(Bitmap, TopLeftPixelIsTheFirstOfTheTopRow) {
    const TValues rows = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
    for (bool topDown : {false, true}) {
        TBitmapLayout s = test::BitmapLayout(2, topDown ? -2 : 2, 24, PackRows(rows, 24, topDown));
        EXPECT_EQ(Load(BuildBitmap(s)).PixelColor(0, 0), test::kRed) << "top-down " << topDown;
    }
}

// Bit-field widening: the field is repeated from its top bit until 8 bits are filled; wider
// fields keep their top 8 bits. Shown on the red component of a 32-bit pixel; the green and
// blue masks are 0, which reads as 0.
TEST(Bitmap, WidensBitFieldsByReplication) {
    struct Case {
        std::uint32_t mask;
        std::uint32_t pixel;
        std::uint8_t red;
    };
    const Case cases[] = {
        {0x1, 0x1, 255},                    // 1 bit
        {0x1, 0x0, 0},                      //
        {0x70, 0x40, 0b10010010},           // 3 bits, 100 -> 100 100 10
        {0x70, 0x70, 255},                  //
        {0x1F, 0x10, 132},                  // 5 bits
        {0x1F, 0x1F, 255},                  //
        {0x7E0, 0x400, 130},                // 6 bits, shifted
        {0x7F, 0x7F, 255},                  // 7 bits
        {0xFF00, 0x5A00, 0x5A},             // 8 bits: as stored
        {0xFFF, 0xABC, 0xAB},               // 12 bits: top 8
        {0xFFFFFFFF, 0x80000000, 0x80},     // 32 bits
        {0xFFFFFFFF, 0xFFFFFFFF, 255},      //
    };
    for (const Case& c : cases) {
        TBitmapLayout s = test::BitmapLayout(1, 1, 32, PackRows({{c.pixel}}, 32));
        s.compression = kBiBitFields;
        s.masks = {{c.mask, 0, 0}};
        EXPECT_EQ(Load(BuildBitmap(s)).PixelColor(0, 0), (TRGB{c.red, 0, 0}))
            << std::hex << "mask 0x" << c.mask << " pixel 0x" << c.pixel;
    }
}

TEST(Bitmap, ColourIndexBeyondTheTableIsBlack) {
    TBitmapLayout uncompressed = test::BitmapLayout(3, 1, 8, PackRows({{0, 1, 200}}, 8));
    uncompressed.palette = {P0, P1};
    uncompressed.colorsUsed = 2;
    EXPECT_EQ(PixelsOf(Load(BuildBitmap(uncompressed))), (TRows{{P0, P1, test::kBlack}}));

    TBitmapLayout rle = uncompressed;
    rle.compression = kBiRle8;
    rle.pixels = {1, 1, 2, 9, 0, 1};
    EXPECT_EQ(PixelsOf(Load(BuildBitmap(rle))), (TRows{{P1, test::kBlack, test::kBlack}}));
}

// RLE codes that reach outside the picture are cut at its edges; what they never set keeps
// entry 0. The picture is 3 x 2, stored bottom row first.
TEST(Bitmap, RunLengthCodesStayInsideThePicture) {
    struct Case {
        const char* name;
        TBytes codes;
        TRows expected;
    };
    const Case cases[] = {
        {"run past the right edge does not wrap", {10, 1, 0, 0, 1, 2, 0, 1}, {{P2, P0, P0}, {P1, P1, P1}}},
        {"literal past the right edge", {0, 5, 1, 2, 1, 2, 1, 0, 0, 0, 2, 2, 0, 1}, {{P2, P2, P0}, {P1, P2, P1}}},
        {"delta past the right edge", {0, 2, 7, 0, 2, 1, 0, 0, 1, 1, 0, 1}, {{P1, P0, P0}, {P0, P0, P0}}},
        {"delta past the top", {0, 2, 0, 5, 1, 1, 0, 1}, {{P0, P0, P0}, {P0, P0, P0}}},
        {"delta to the top row", {0, 2, 1, 1, 1, 2, 0, 1}, {{P0, P2, P0}, {P0, P0, P0}}},
        {"end of line past the last row", {0, 0, 0, 0, 0, 0, 0, 0, 3, 1}, {{P0, P0, P0}, {P0, P0, P0}}},
        {"every row ended, no end of bitmap", {3, 1, 0, 0, 3, 2, 0, 0}, {{P2, P2, P2}, {P1, P1, P1}}},
        {"end of bitmap at once", {0, 1}, {{P0, P0, P0}, {P0, P0, P0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmapLayout s = test::BitmapLayout(3, 2, 8, c.codes);
        s.compression = kBiRle8;
        s.palette = {P0, P1, P2};
        s.colorsUsed = 3;
        EXPECT_EQ(PixelsOf(Load(BuildBitmap(s))), c.expected);
    }
}

enum class TFailure { kRead, kInvalid };

struct TBadCase {
    const char* name;
    TBytes bytes;
    TFailure failure;
};

TBytes Patched(TBytes bytes, std::size_t at, std::initializer_list<std::uint8_t> values) {
    for (std::uint8_t v : values)
        bytes.at(at++) = v;
    return bytes;
}

std::vector<TBadCase> BadFiles() {
    const TBitmapLayout good24 = test::BitmapLayout(3, 2, 24, PackRows({{1, 2, 3}, {4, 5, 6}}, 24));
    const TBytes good = BuildBitmap(good24);
    auto with = [&](auto change) {
        TBitmapLayout s = good24;
        change(s);
        return BuildBitmap(s);
    };
    TBitmapLayout indexed = test::BitmapLayout(2, 1, 8, PackRows({{0, 1}}, 8));
    indexed.palette = {P0, P1};
    indexed.colorsUsed = 2;
    const TBytes goodIndexed = BuildBitmap(indexed);
    TBitmapLayout fields = test::BitmapLayout(1, 1, 16, PackRows({{0}}, 16));
    fields.compression = kBiBitFields;
    fields.masks = {{0xF800, 0x07E0, 0x001F}};
    const TBytes goodFields = BuildBitmap(fields);
    auto rle = [](TBytes codes) {
        TBitmapLayout s = test::BitmapLayout(3, 2, 8, std::move(codes));
        s.compression = kBiRle8;
        s.palette = {P0, P1};
        s.colorsUsed = 2;
        return BuildBitmap(s);
    };
    using F = TFailure;
    const std::string text = "This is a plain text file, not a picture.\n";

    return {
        {"1 byte", {'B'}, F::kRead},
        {"13 bytes", test::Truncated(good, 13), F::kRead},
        {"text file", TBytes(text.begin(), text.end()), F::kInvalid},
        {"BA instead of BM", Patched(good, 1, {'A'}), F::kInvalid},
        // A file that ends inside its information header: "Stream read error".
        {"ends inside the header size", test::Truncated(good, 16), F::kRead},
        {"ends inside the header", test::Truncated(good, 14 + 39), F::kRead},
        {"header longer than the file", Patched(good, 14, {200}), F::kRead},
        {"header size 0xFFFFFFFF", Patched(good, 14, {0xFF, 0xFF, 0xFF, 0xFF}), F::kRead},
        {"header size 0", Patched(good, 14, {0, 0, 0, 0}), F::kInvalid},
        {"header size 16", Patched(good, 14, {16}), F::kInvalid},
        {"header size 39", Patched(good, 14, {39}), F::kInvalid},
        {"planes 0", with([](TBitmapLayout& s) { s.planes = 0; }), F::kInvalid},
        {"planes 2", with([](TBitmapLayout& s) { s.planes = 2; }), F::kInvalid},
        {"0 bpp", with([](TBitmapLayout& s) { s.bitsPerPixel = 0; }), F::kInvalid},
        {"2 bpp", with([](TBitmapLayout& s) { s.bitsPerPixel = 2; }), F::kInvalid},
        {"64 bpp", with([](TBitmapLayout& s) { s.bitsPerPixel = 64; }), F::kInvalid},
        {"JPEG compression", with([](TBitmapLayout& s) { s.compression = 4; }), F::kInvalid},
        {"PNG compression", with([](TBitmapLayout& s) { s.compression = 5; }), F::kInvalid},
        {"RLE8 at 24 bpp", with([](TBitmapLayout& s) { s.compression = kBiRle8; }), F::kInvalid},
        {"RLE4 at 8 bpp", Patched(goodIndexed, 30, {kBiRle4}), F::kInvalid},
        {"RLE8 at 4 bpp", Patched(goodIndexed, 28, {4, 0, kBiRle8}), F::kInvalid},
        {"bit fields at 24 bpp", with([](TBitmapLayout& s) { s.compression = kBiBitFields; s.masks = {{1, 2, 4}}; }),
         F::kInvalid},
        // Width or height 0 is refused rather than loaded as Empty.
        {"width 0", with([](TBitmapLayout& s) { s.width = 0; }), F::kInvalid},
        {"height 0", with([](TBitmapLayout& s) { s.height = 0; }), F::kInvalid},
        {"core header width 0", with([](TBitmapLayout& s) { s.headerSize = 12; s.width = 0; }), F::kInvalid},
        {"negative width", with([](TBitmapLayout& s) { s.width = -3; }), F::kInvalid},
        {"height INT_MIN", with([](TBitmapLayout& s) { s.height = std::numeric_limits<std::int32_t>::min(); }),
         F::kInvalid},
        {"ends inside the colour table", test::Truncated(goodIndexed, 14 + 40 + 6), F::kRead},
        {"ends inside a 3-byte colour table", [] {
             TBitmapLayout s = test::BitmapLayout(1, 1, 1, PackRows({{0}}, 1));
             s.headerSize = 12;
             s.palette = {P0};
             s.pixels.clear();
             return BuildBitmap(s);
         }(), F::kRead},
        {"colours-used larger than the file", Patched(goodIndexed, 46, {0xFF, 0xFF, 0xFF, 0xFF}), F::kRead},
        {"ends inside the bit-field masks", test::Truncated(goodFields, 14 + 40 + 10), F::kRead},
        {"non-contiguous mask", [&] {
             TBitmapLayout s = fields;
             s.masks = {{0xF0F0, 0, 0}};
             return BuildBitmap(s);
         }(), F::kInvalid},
        {"mask beyond 16 bits", [&] {
             TBitmapLayout s = fields;
             s.masks = {{0x1F0000, 0x07E0, 0x001F}};
             return BuildBitmap(s);
         }(), F::kInvalid},
        {"pixels one byte short", test::Truncated(good, good.size() - 4), F::kInvalid},
        {"no pixel data", with([](TBitmapLayout& s) { s.pixels.clear(); }), F::kInvalid},
        {"pixel offset past the end", with([](TBitmapLayout& s) { s.pixelOffset = 0x7FFFFFFF; }), F::kInvalid},
        // A few bytes that claim a huge picture: refused before anything is allocated.
        {"30000 x 30000 with no pixels", with([](TBitmapLayout& s) { s.width = s.height = 30000; }), F::kInvalid},
        {"row stride overflow", with([](TBitmapLayout& s) {
             s.width = s.height = std::numeric_limits<std::int32_t>::max();
             s.bitsPerPixel = 32;
         }), F::kInvalid},
        {"RLE data ends before the picture", rle({3, 1}), F::kInvalid},
        {"RLE data empty", rle({}), F::kInvalid},
        {"RLE delta cut short", rle({0, 2, 1}), F::kInvalid},
        {"RLE literal cut short", rle({0, 5, 1, 1}), F::kInvalid},
    };
}

TEST(Bitmap, RefusesBadFiles) {
    for (const TBadCase& c : BadFiles()) {
        SCOPED_TRACE(c.name);
        TRasterImage image;
        if (c.failure == TFailure::kRead) {
            EXPECT_THROW(image.LoadFromMemory(c.bytes), EReadError);
        } else {
            EXPECT_THROW(image.LoadFromMemory(c.bytes), EInvalidGraphic);
        }
    }
}

TEST(Bitmap, ErrorsCarryTheirExactTexts) {
    EXPECT_EQ(EReadError().Message, "Stream read error");
    EXPECT_EQ(EInvalidGraphic().Message, "Bitmap image is not valid");
    EXPECT_EQ(EFOpenError("a b.bmp").Message, "Cannot open file a b.bmp");
    EXPECT_STREQ(EInvalidGraphic().what(), "Bitmap image is not valid");
}

TEST(Bitmap, LastRowMayLackItsPadding) {
    const TBytes full = BuildBitmap(test::BitmapLayout(1, 2, 24, PackRows({{0xFF0000}, {0x0000FF}}, 24)));
    EXPECT_EQ(PixelsOf(Load(test::Truncated(full, full.size() - 1))), (TRows{{test::kRed}, {test::kBlue}}));
}

TEST(Bitmap, AFailedLoadKeepsThePreviousPicture) {
    TRasterImage image = Load(BuildBitmap(test::BitmapLayout(1, 1, 24, PackRows({{0xFF0000}}, 24))));
    EXPECT_THROW(image.LoadFromMemory(TBytes{'B', 'M'}), EReadError);
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.PixelColor(0, 0), test::kRed);
}

TEST(Bitmap, PixelCapRefusesLargerPictures) {
    const TValues black(4, std::vector<std::uint32_t>(4, 0));
    const TBytes bytes = BuildBitmap(test::BitmapLayout(4, 4, 24, PackRows(black, 24)));
    EXPECT_NO_THROW(Load(bytes, 16));
    EXPECT_THROW(Load(bytes, 15), EInvalidGraphic);
}

// RLE may leave any number of pixels at entry 0, so its data cannot bound the picture; a size
// beyond the address space is reported as lack of memory without trying.
TEST(Bitmap, RunLengthPictureBeyondMemoryIsBadAlloc) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    TBitmapLayout s = test::BitmapLayout(kMax, kMax, 8, {0, 1});
    s.compression = kBiRle8;
    s.palette = {P0};
    s.colorsUsed = 1;
    EXPECT_THROW(Load(BuildBitmap(s)), std::bad_alloc);
    EXPECT_THROW(Load(BuildBitmap(s), 1u << 22), EInvalidGraphic);
}

} // namespace
} // namespace vellomar
