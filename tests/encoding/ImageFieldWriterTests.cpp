// The lines TImageFieldWriter produces in each style.
#include <cctype>
#include <limits>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LineVector.h"
#include "TestImages.h"
#include "vellomar/ImageFieldWriter.h"

namespace vellomar {
namespace {

using test::kBlack;
using test::kBlue;
using test::kGreen;
using test::kGrey128;
using test::kRed;
using test::kWhite;
using test::MakeFilled;
using test::MakeImage;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Lines = std::vector<std::string>;

const std::string kOpen = "  \"";
const std::string kClose = "\\n\"";

const Lines kTrailer = {"}", "Shape {", "  appearance Appearance {", "    material Material {}",
                        "    texture USE TEXTURE", "  }", "  geometry Box {}", "}"};

Lines Write(const TRasterImage& image, const TRasterImage* mask, TColorMode mode, TOutputStyle style,
            std::int32_t perLine, bool upper) {
    test::TLineVector out;
    TImageFieldWriter::Write(image, mask, TConvertOptions{mode, style, perLine, upper}, out);
    return out.Lines;
}

Lines CSource(const Lines& bare) {
    Lines result;
    for (const std::string& line : bare)
        result.push_back(kOpen + line + kClose);
    return result;
}

// The 3 x 2 picture of the worked examples and its mask.
class WorkedExample : public ::testing::Test {
protected:
    const TRasterImage image = MakeImage({{kRed, kGreen, kBlue}, {kBlack, kWhite, kGrey128}});
    const TRasterImage mask = MakeImage({{kWhite, kWhite, kBlack}, {kBlack, kGrey128, kWhite}});
};

TEST_F(WorkedExample, PlainRgbTwoPerLine) {
    EXPECT_THAT(Write(image, nullptr, cmRGB, osPlainText, 2, false),
                ElementsAre("image 3 2 3", "0x0 0xffffff", "0x808080 ", "0xff0000 0xff00", "0xff "));
}

TEST_F(WorkedExample, PlainRgbUppercaseLeavesHeaderAlone) {
    EXPECT_THAT(Write(image, nullptr, cmRGB, osPlainText, 2, true),
                ElementsAre("image 3 2 3", "0X0 0XFFFFFF", "0X808080 ", "0XFF0000 0XFF00", "0XFF "));
}

TEST_F(WorkedExample, CSourceGreyWithMaskUppercase) {
    EXPECT_THAT(Write(image, &mask, cmGrayscale, osCSource, 2, true),
                ElementsAreArray(CSource({"image 3 2 2", "0X0 0XFF80", "0X80FF ", "0X4CFF 0X95FF", "0X1C00 "})));
}

TEST_F(WorkedExample, VrmlBoxRgbWithMask) {
    Lines expected = {"#VRML V2.0 utf8", "DEF TEXTURE PixelTexture {", "image 3 2 4",
                      "0x0 0xffffff80 0x808080ff ", "0xff0000ff 0xff00ff 0xff00 "};
    expected.insert(expected.end(), kTrailer.begin(), kTrailer.end());
    EXPECT_THAT(Write(image, &mask, cmRGB, osVRMLBox, 32, false), ElementsAreArray(expected));
}

TEST(ImageFieldWriter, RowFillingItsLastLineGetsATokenlessLine) {
    const TRasterImage image = MakeImage({{kRed, kGreen}});
    EXPECT_THAT(Write(image, nullptr, cmRGB, osCSource, 2, false),
                ElementsAre(kOpen + "image 2 1 3" + kClose, kOpen + "0xff0000 0xff00" + kClose, kOpen + kClose));
    EXPECT_THAT(Write(image, nullptr, cmRGB, osPlainText, 2, false),
                ElementsAre("image 2 1 3", "0xff0000 0xff00", ""));
}

// How PixelsPerLine cuts a 3-pixel row; the counter is compared signed.
TEST(ImageFieldWriter, PixelsPerLineCutsRows) {
    const TRasterImage image = MakeImage({{kBlack, kWhite, kBlue}});
    const Lines oneEach = {"image 3 1 3", "0x0", "0xffffff", "0xff", ""};
    struct Case { std::int32_t perLine; Lines lines; };
    const Case cases[] = {
        {1, oneEach},
        {0, oneEach},
        {-5, oneEach},
        {std::numeric_limits<std::int32_t>::min(), oneEach},
        {2, {"image 3 1 3", "0x0 0xffffff", "0xff "}},
        {3, {"image 3 1 3", "0x0 0xffffff 0xff", ""}},
        {4, {"image 3 1 3", "0x0 0xffffff 0xff "}},
        {std::numeric_limits<std::int32_t>::max(), {"image 3 1 3", "0x0 0xffffff 0xff "}},
    };
    for (const Case& c : cases)
        EXPECT_THAT(Write(image, nullptr, cmRGB, osPlainText, c.perLine, false), ElementsAreArray(c.lines))
            << "PixelsPerLine " << c.perLine;
}

TEST(ImageFieldWriter, CSourceFramesEveryLineAndKeepsItsLowercaseN) {
    const TRasterImage image = MakeImage({{kWhite, kRed, kBlue}, {kGreen, kBlack, kGrey128}});
    const Lines lines = Write(image, nullptr, cmRGB, osCSource, 1, true);
    ASSERT_EQ(lines.size(), 1u + 2 * 4);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.substr(0, 3), kOpen) << line;
        EXPECT_EQ(line.substr(line.size() - 3), kClose) << line;
    }
    EXPECT_EQ(lines[1], kOpen + "0XFF00" + kClose);
    EXPECT_EQ(lines[4], kOpen + kClose);
}

TEST(ImageFieldWriter, UppercaseRaisesOnlyTokenLetters) {
    const TRasterImage image = MakeFilled(1, 1, TRGB{0xAB, 0xCD, 0xEF});
    for (TOutputStyle style : {osPlainText, osCSource, osVRMLBox}) {
        const Lines lower = Write(image, nullptr, cmRGB, style, 32, false);
        const Lines upper = Write(image, nullptr, cmRGB, style, 32, true);
        ASSERT_EQ(lower.size(), upper.size());
        for (std::size_t i = 0; i < lower.size(); ++i) {
            const bool token = lower[i].find("0x") != std::string::npos;
            std::string raised = lower[i];
            if (token)
                for (char& ch : raised)
                    if (ch == 'x' || (ch >= 'a' && ch <= 'f'))
                        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            if (style == osCSource && token)
                raised.replace(raised.size() - 3, 3, kClose); // the closing's n stays lower case
            EXPECT_EQ(upper[i], raised) << "style " << style << " line " << i;
        }
    }
}

TEST(ImageFieldWriter, TokensHaveNoLeadingZerosAndNoSign) {
    struct Case { TRGB pixel; bool masked; TRGB maskPixel; const char* token; };
    const Case cases[] = {
        {kBlack, false, {}, "0x0 "},
        {TRGB{0, 0, 1}, false, {}, "0x1 "},
        {TRGB{0, 0x10, 0}, false, {}, "0x1000 "},
        {TRGB{0x0F, 0xFF, 0xFF}, false, {}, "0xfffff "},
        {kRed, true, kWhite, "0xff0000ff "},
        {kWhite, true, kWhite, "0xffffffff "},
        {kBlack, true, TRGB{1, 1, 1}, "0x1 "},
    };
    for (const Case& c : cases) {
        const TRasterImage image = MakeFilled(1, 1, c.pixel);
        const TRasterImage mask = MakeFilled(1, 1, c.maskPixel);
        EXPECT_EQ(Write(image, c.masked ? &mask : nullptr, cmRGB, osPlainText, 32, false).at(1), c.token);
    }
}

TEST(ImageFieldWriter, EmptyDimensions) {
    EXPECT_THAT(Write(TRasterImage(5, 0), nullptr, cmRGB, osPlainText, 32, false), ElementsAre("image 5 0 3"));
    EXPECT_THAT(Write(TRasterImage(0, 3), nullptr, cmGrayscale, osPlainText, 32, false),
                ElementsAre("image 0 3 1", "", "", ""));
    EXPECT_THAT(Write(TRasterImage(0, 2), nullptr, cmRGB, osCSource, 32, false),
                ElementsAre(kOpen + "image 0 2 3" + kClose, kOpen + kClose, kOpen + kClose));

    Lines vrml = {"#VRML V2.0 utf8", "DEF TEXTURE PixelTexture {", "image 5 0 3"};
    vrml.insert(vrml.end(), kTrailer.begin(), kTrailer.end());
    EXPECT_THAT(Write(TRasterImage(5, 0), nullptr, cmRGB, osVRMLBox, 32, false), ElementsAreArray(vrml));
}

TEST(ImageFieldWriter, VisitsRowsBottomUpAndColumnsLeftToRight) {
    const TRasterImage column = MakeImage({{kRed}, {kGreen}, {kBlue}});
    EXPECT_THAT(Write(column, nullptr, cmRGB, osPlainText, 32, false),
                ElementsAre("image 1 3 3", "0xff ", "0xff00 ", "0xff0000 "));
    EXPECT_THAT(Write(MakeFilled(1, 1, kWhite), nullptr, cmRGB, osPlainText, 32, false),
                ElementsAre("image 1 1 3", "0xffffff "));
}

TEST(ImageFieldWriter, HeaderKeepsDecimalAfterHexTokens) {
    // Wide enough for a multi-digit header, written after a call full of hex output.
    const TRasterImage image = MakeFilled(255, 16, kWhite);
    (void)Write(image, nullptr, cmRGB, osPlainText, 32, true);
    EXPECT_EQ(Write(image, nullptr, cmRGB, osPlainText, 32, true).front(), "image 255 16 3");
}

} // namespace
} // namespace vellomar
