// Bytes and failure reporting of TLineFileWriter.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BitmapWriter.h"

#include "vellomar/LineFileWriter.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

class LineFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vellomar-lfw-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::vector<std::string>& lines) {
        const fs::path file = dir_ / "out.txt";
        TLineFileWriter writer;
        EXPECT_TRUE(writer.Open(file.string()));
        for (const std::string& line : lines)
            writer.WriteLine(line);
        EXPECT_TRUE(writer.Close());
        return test::ReadFileBytes(file);
    }

    fs::path dir_;
};

TEST_F(LineFileWriterTest, EndsEveryLineWithCrLf) {
    struct Case { std::vector<std::string> lines; std::string bytes; };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\r\n"},
        {{"ab", ""}, "ab\r\n\r\n"},
        {{"a\nb"}, "a\r\nb\r\n"},       // a line feed inside a line becomes CR LF
        {{"a\rb"}, "a\rb\r\n"},         // a lone carriage return stays one byte
        {{"\n\n"}, "\r\n\r\n\r\n"},
        {{"\xC3\xA9t\xC3\xA9"}, "\xC3\xA9t\xC3\xA9\r\n"}, // bytes beyond ASCII unchanged
    };
    for (const Case& c : cases)
        EXPECT_EQ(Write(c.lines), c.bytes);
}

TEST_F(LineFileWriterTest, WritesLinesLongerThanItsBufferWhole) {
    const std::string longLine(3 * 1024 * 1024 + 7, 'f');
    EXPECT_EQ(Write({"x", longLine, "y"}), "x\r\n" + longLine + "\r\ny\r\n");
}

TEST_F(LineFileWriterTest, CutsAnExistingFileInPlace) {
    const fs::path file = dir_ / "out.txt";
    const fs::path link = dir_ / "link.txt";
    std::ofstream(file, std::ios::binary) << std::string(100, 'z');
    // A hard link sees the new content only when the same file is rewritten, not replaced.
    fs::create_hard_link(file, link);
    TLineFileWriter writer;
    ASSERT_TRUE(writer.Open(file.string()));
    writer.WriteLine("ok");
    ASSERT_TRUE(writer.Close());
    EXPECT_EQ(test::ReadFileBytes(link), "ok\r\n");
}

TEST_F(LineFileWriterTest, OpenFailsForMissingFolderAndForAFolder) {
    TLineFileWriter writer;
    EXPECT_FALSE(writer.Open((dir_ / "no-such-folder" / "out.txt").string()));
    EXPECT_FALSE(writer.Open(dir_.string()));
    EXPECT_FALSE(fs::exists(dir_ / "no-such-folder"));
}

TEST_F(LineFileWriterTest, ReportsAFullDisk) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    for (std::size_t lines : {std::size_t{1}, std::size_t{200000}}) { // fails at closing, and while writing
        TLineFileWriter writer;
        ASSERT_TRUE(writer.Open("/dev/full"));
        for (std::size_t i = 0; i < lines; ++i)
            writer.WriteLine("0xffffff 0xffffff");
        EXPECT_FALSE(writer.Close()) << lines << " lines";
    }
}

} // namespace
} // namespace vellomar
