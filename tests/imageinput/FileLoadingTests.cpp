// Loading from a named file: opening errors, and files larger than the read buffer giving the
// same picture as the same bytes in memory.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BitmapWriter.h"
#include "vellomar/BitmapErrors.h"
#include "vellomar/RasterImage.h"

namespace vellomar {
namespace {

using test::BuildBitmap;
using test::PackRows;
using test::TBitmapLayout;
using test::TBytes;
using test::TTempDir;

std::string OpenFailure(const std::string& name) {
    try {
        TRasterImage image;
        image.LoadFromFile(name);
    } catch (const EFOpenError& e) {
        return e.Message;
    }
    return "no EFOpenError";
}

TEST(BitmapFile, CannotOpenGivesTheNameAsGiven) {
    const TTempDir dir;
    const std::string missing = (dir.Path() / " no such file.bmp").string();
    EXPECT_EQ(OpenFailure(missing), "Cannot open file " + missing);
    EXPECT_EQ(OpenFailure("relative/ missing .bmp"), "Cannot open file relative/ missing .bmp");
    EXPECT_EQ(OpenFailure(""), "Cannot open file ");
    EXPECT_EQ(OpenFailure(dir.Path().string()), "Cannot open file " + dir.Path().string()); // a folder
    // Not a regular file: no length to check the header's sizes against.
    EXPECT_EQ(OpenFailure("/dev/null"), "Cannot open file /dev/null");
}

TEST(BitmapFile, CannotOpenWithoutReadAccess) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const TTempDir dir;
    const std::string name = dir.Write("locked.bmp", BuildBitmap([] {
        TBitmapLayout s;
        s.width = s.height = 1;
        s.pixels = PackRows({{0}}, 24);
        return s;
    }()));
    std::filesystem::permissions(name, std::filesystem::perms::none);
    EXPECT_EQ(OpenFailure(name), "Cannot open file " + name);
}

TEST(BitmapFile, SmallFilesFollowTheSameRules) {
    const TTempDir dir;
    TRasterImage image;
    image.LoadFromFile(dir.Write("empty.bmp", TBytes{}));
    EXPECT_TRUE(image.Empty());
    EXPECT_THROW(image.LoadFromFile(dir.Write("short.bmp", TBytes(13, 'B'))), EReadError);
    const std::string text = "Fourteen bytes or more of plain text.";
    EXPECT_THROW(image.LoadFromFile(dir.Write("text.bmp", TBytes(text.begin(), text.end()))), EInvalidGraphic);
}

std::vector<std::uint32_t> RandomValues(std::size_t n, std::uint32_t& seed) {
    std::vector<std::uint32_t> v(n);
    for (auto& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = seed;
    }
    return v;
}

TBitmapLayout Uncompressed(std::int32_t width, std::int32_t height, std::uint16_t bpp, bool topDown) {
    std::uint32_t seed = 7;
    std::vector<std::vector<std::uint32_t>> rows;
    for (std::int32_t y = 0; y < height; ++y) {
        rows.push_back(RandomValues(static_cast<std::size_t>(width), seed));
        if (bpp <= 8)
            for (auto& value : rows.back())
                value &= (1u << bpp) - 1;
    }
    TBitmapLayout s;
    s.width = width;
    s.height = topDown ? -height : height;
    s.bitsPerPixel = bpp;
    s.pixels = PackRows(rows, bpp, topDown);
    if (bpp <= 8)
        for (std::uint32_t i = 0; i < (1u << bpp); ++i)
            s.palette.push_back(TRGB{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7});
    return s;
}

// Runs and literals of many lengths, so codes straddle the read buffer's edges.
TBitmapLayout RunLength(std::int32_t width, std::int32_t height) {
    std::uint32_t seed = 11;
    TBitmapLayout s;
    s.width = width;
    s.height = height;
    s.bitsPerPixel = 8;
    s.compression = test::kBiRle8;
    for (std::uint32_t i = 0; i < 256; ++i)
        s.palette.push_back(TRGB{static_cast<std::uint8_t>(i), 3, static_cast<std::uint8_t>(i ^ 0x55)});
    for (std::int32_t y = 0; y < height; ++y) {
        std::int32_t x = 0;
        while (x < width) {
            const std::uint32_t r = RandomValues(1, seed)[0];
            const auto left = static_cast<std::uint32_t>(width - x);
            const auto n = static_cast<std::uint8_t>(std::min<std::uint32_t>(3 + (r >> 8) % 253, left));
            if (n >= 3 && (r & 1)) {
                s.pixels.insert(s.pixels.end(), {0, n});
                for (std::uint8_t i = 0; i < n; ++i)
                    s.pixels.push_back(static_cast<std::uint8_t>(RandomValues(1, seed)[0] >> 24));
                if (n & 1)
                    s.pixels.push_back(0);
            } else {
                s.pixels.insert(s.pixels.end(), {n, static_cast<std::uint8_t>(r >> 24)});
            }
            x += n;
        }
        s.pixels.insert(s.pixels.end(), {0, 0});
    }
    s.pixels.insert(s.pixels.end(), {0, 1});
    return s;
}

TEST(BitmapFile, LargeFilesLoadAsFromMemory) {
    struct Case {
        const char* name;
        TBitmapLayout layout;
    };
    TBitmapLayout fields = Uncompressed(601, 500, 32, false);
    fields.compression = test::kBiBitFields;
    fields.masks = {{0x3FF00000, 0x000FFC00, 0x000003FF}};
    const Case cases[] = {
        {"24 bpp", Uncompressed(1237, 300, 24, false)},
        {"24 bpp top-down", Uncompressed(1237, 300, 24, true)},
        {"4 bpp", Uncompressed(2001, 1100, 4, false)},
        {"1 bpp", Uncompressed(4099, 2100, 1, false)},
        {"16 bpp", Uncompressed(1001, 600, 16, false)},
        {"32 bpp bit fields", fields},
        {"RLE8", RunLength(1000, 3000)},
    };
    const TTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TBytes bytes = BuildBitmap(c.layout);
        ASSERT_GT(bytes.size(), std::size_t{1} << 20);
        TRasterImage fromMemory;
        fromMemory.LoadFromMemory(bytes);
        TRasterImage fromFile;
        fromFile.LoadFromFile(dir.Write("large.bmp", bytes));
        ASSERT_EQ(fromFile.Width(), fromMemory.Width());
        ASSERT_EQ(fromFile.Height(), fromMemory.Height());
        for (std::int32_t y = 0; y < fromFile.Height(); ++y)
            ASSERT_EQ(std::memcmp(fromFile.Row(y), fromMemory.Row(y), fromFile.RowBytes()), 0) << "row " << y;
    }
}

TEST(BitmapFile, LargeFileCutShortIsRefused) {
    const TTempDir dir;
    const TBytes bytes = BuildBitmap(Uncompressed(1237, 300, 24, false));
    TRasterImage image;
    EXPECT_THROW(image.LoadFromFile(dir.Write("cut.bmp", test::Truncated(bytes, bytes.size() - 100))),
                 EInvalidGraphic);
    const TBytes rle = BuildBitmap(RunLength(1000, 3000));
    EXPECT_THROW(image.LoadFromFile(dir.Write("cut-rle.bmp", test::Truncated(rle, rle.size() - 3000))),
                 EInvalidGraphic);
}

} // namespace
} // namespace vellomar
