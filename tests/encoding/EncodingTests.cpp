// Pixel values, luminance, component counts and the pixels-per-line reading.
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "TestImages.h"
#include "vellomar/ConvertOptions.h"
#include "vellomar/PixelEncoding.h"

namespace vellomar {
namespace {

using test::kBlack;
using test::kBlue;
using test::kGreen;
using test::kGrey128;
using test::kRed;
using test::kWhite;
using test::MakeFilled;

constexpr TRGB kMixed{0x12, 0x34, 0x56};

TEST(Luminance, UsesIntegerWeightsRoundedDown) {
    struct Case { TRGB colour; int grey; };
    const Case cases[] = {
        {kBlack, 0}, {kWhite, 255}, {kRed, 76}, {kGreen, 149}, {kBlue, 28}, {kGrey128, 128}, {kMixed, 45},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Luminance(c.colour), c.grey) << int(c.colour.Red) << "," << int(c.colour.Green) << ","
                                               << int(c.colour.Blue);
}

TEST(ComponentCount, FollowsModeAndMaskPresence) {
    EXPECT_EQ(ComponentCount(cmGrayscale, false), 1);
    EXPECT_EQ(ComponentCount(cmGrayscale, true), 2);
    EXPECT_EQ(ComponentCount(cmRGB, false), 3);
    EXPECT_EQ(ComponentCount(cmRGB, true), 4);
}

TEST(PixelValue, CombinesColourAndMaskBrightness) {
    struct Case {
        TRGB pixel;
        bool masked;
        TRGB maskPixel;
        TColorMode mode;
        std::uint32_t value;
    };
    const Case cases[] = {
        {kBlack, false, {}, cmRGB, 0},
        {kWhite, false, {}, cmRGB, 0xFFFFFF},
        {kRed, false, {}, cmRGB, 0xFF0000},
        {kGreen, false, {}, cmRGB, 0xFF00},
        {kBlue, false, {}, cmRGB, 0xFF},
        {kMixed, false, {}, cmRGB, 0x123456},
        {kWhite, false, {}, cmGrayscale, 255},
        {kRed, false, {}, cmGrayscale, 76},
        {kMixed, false, {}, cmGrayscale, 45},
        // Above 0x7FFFFFFF: must stay unsigned.
        {kRed, true, kWhite, cmRGB, 0xFF0000FF},
        {kWhite, true, kBlack, cmRGB, 0xFFFFFF00},
        {kBlack, true, kWhite, cmRGB, 0xFF},
        {kWhite, true, kWhite, cmGrayscale, 0xFFFF},
        {kBlack, true, kWhite, cmGrayscale, 0xFF},
        {kWhite, true, kBlack, cmGrayscale, 0xFF00},
        // Only the mask's brightness counts, not its hue.
        {kWhite, true, kRed, cmRGB, 0xFFFFFF4C},
    };
    for (const Case& c : cases) {
        const TRasterImage image = MakeFilled(1, 1, c.pixel);
        const TRasterImage mask = MakeFilled(1, 1, c.maskPixel);
        EXPECT_EQ(PixelValue(image, c.masked ? &mask : nullptr, c.mode, 0, 0), c.value)
            << std::hex << "expected 0x" << c.value;
    }
}

TEST(PixelValue, ReadsTheMaskAtTheSamePosition) {
    const TRasterImage image = test::MakeImage({{kWhite, kBlack}, {kRed, kBlue}});
    const TRasterImage mask = test::MakeImage({{kBlack, kWhite}, {kGrey128, kRed}});
    EXPECT_EQ(PixelValue(image, &mask, cmRGB, 0, 0), 0xFFFFFF00u);
    EXPECT_EQ(PixelValue(image, &mask, cmRGB, 1, 0), 0x000000FFu);
    EXPECT_EQ(PixelValue(image, &mask, cmRGB, 0, 1), 0xFF000080u);
    EXPECT_EQ(PixelValue(image, &mask, cmRGB, 1, 1), 0x0000FF4Cu);
}

TEST(ReadPixelsPerLine, ReadsLikeAtolWithWrapAround) {
    struct Case { std::string text; std::int32_t value; };
    const Case cases[] = {
        {"32", 32},
        {" 12ab", 12},
        {"abc", 0},
        {"", 0},
        {"-5", -5},
        {"+7", 7},
        {"\t\n\v\f\r 9", 9},
        {"+-3", 0},
        {"- 3", 0},
        {"0012", 12},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        // Accumulated modulo 2^32, sign applied to the result.
        {"2147483648", std::numeric_limits<std::int32_t>::min()},
        {"4294967297", 1},
        {"-4294967297", -1},
        {"99999999999999999999", static_cast<std::int32_t>(UINT32_C(1661992959))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadPixelsPerLine(c.text), c.value) << '"' << c.text << '"';
}

} // namespace
} // namespace vellomar
