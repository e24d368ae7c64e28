// Whether a mask is wanted, and which masks LoadMask keeps.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BitmapWriter.h"
#include "TestImages.h"
#include "vellomar/BitmapErrors.h"
#include "vellomar/MaskLoading.h"

namespace vellomar {
namespace {

using test::BuildBitmap;
using test::PackRows;
using test::TBitmapLayout;
using test::TBytes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct TCall {
    std::string text;
    std::string caption;
    int flags;
    friend bool operator==(const TCall&, const TCall&) = default;
};

void PrintTo(const TCall& c, std::ostream* os) {
    *os << '"' << c.text << "\", \"" << c.caption << "\", " << c.flags;
}

class TRecordingBox : public IMessageBox {
public:
    int MessageBox(const std::string& text, const std::string& caption, int flags) override {
        calls.push_back({text, caption, flags});
        return 1;
    }
    std::vector<TCall> calls;
};

TEST(MaskWanted, NeedsANameAndTheTick) {
    struct Case {
        std::string name;
        bool useMask;
        bool wanted;
    };
    const Case cases[] = {
        {"mask.bmp", true, true},
        {"mask.bmp", false, false},
        {"", true, false},
        {"", false, false},
        {" ", true, true}, // used as typed: a blank is a name
        {"does not exist.bmp", true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskWanted(c.name, c.useMask), c.wanted) << '"' << c.name << "\" " << c.useMask;
}

class LoadMaskTest : public ::testing::Test {
protected:
    // A white picture of any size and depth.
    std::string Write(const std::string& name, std::int32_t width, std::int32_t height, std::uint16_t bpp = 24) {
        TBitmapLayout s;
        s.width = width;
        s.height = height;
        s.bitsPerPixel = bpp;
        const std::vector<std::uint32_t> row(static_cast<std::size_t>(width), bpp <= 8 ? 1 : 0xFFFFFF);
        s.pixels = PackRows(std::vector<std::vector<std::uint32_t>>(static_cast<std::size_t>(height), row), bpp);
        if (bpp <= 8)
            s.palette = {test::kBlack, test::kWhite};
        s.colorsUsed = bpp <= 8 ? 2 : 0;
        return dir.Write(name, BuildBitmap(s));
    }

    test::TTempDir dir;
    TRasterImage image = test::MakeFilled(3, 2, test::kRed);
    TRecordingBox box;
};

TEST_F(LoadMaskTest, KeepsAMaskOfTheImageSize) {
    const auto mask = LoadMask(Write("mask.bmp", 3, 2), image, box);
    ASSERT_TRUE(mask.has_value());
    EXPECT_EQ(mask->Width(), 3);
    EXPECT_EQ(mask->Height(), 2);
    EXPECT_THAT(box.calls, IsEmpty());
}

TEST_F(LoadMaskTest, AcceptsAnotherColourDepth) {
    for (std::uint16_t bpp : {std::uint16_t{1}, std::uint16_t{8}, std::uint16_t{32}}) {
        const auto mask = LoadMask(Write("mask.bmp", 3, 2, bpp), image, box);
        ASSERT_TRUE(mask.has_value()) << bpp;
        EXPECT_EQ(mask->PixelColor(2, 1), test::kWhite) << bpp;
    }
    EXPECT_THAT(box.calls, IsEmpty());
}

TEST_F(LoadMaskTest, DropsAnEmptyOrDifferentlySizedMaskWithOneMessage) {
    struct Case {
        const char* name;
        std::string file;
        const char* message;
    };
    const Case cases[] = {
        {"empty", dir.Write("empty.bmp", TBytes{}), "Cannot load the mask"},
        {"other width", Write("wide.bmp", 4, 2), "Mask dimensions differ from image"},
        {"other height", Write("tall.bmp", 3, 1), "Mask dimensions differ from image"},
        {"both differ", Write("both.bmp", 2, 3), "Mask dimensions differ from image"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingBox one;
        EXPECT_FALSE(LoadMask(c.file, image, one).has_value());
        EXPECT_THAT(one.calls, ElementsAre(TCall{c.message, "Error", 16}));
    }
}

TEST_F(LoadMaskTest, LoaderErrorsPassThroughWithoutAMessage) {
    const std::string missing = (dir.Path() / "missing.bmp").string();
    try {
        LoadMask(missing, image, box);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file " + missing);
    }
    EXPECT_THROW(LoadMask(dir.Write("short.bmp", TBytes{'B', 'M', 0}), image, box), EReadError);
    EXPECT_THAT(box.calls, IsEmpty());
}

} // namespace
} // namespace vellomar
