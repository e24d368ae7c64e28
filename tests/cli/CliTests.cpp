// vellomar-convert end to end: bytes, exit codes and messages.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BitmapWriter.h"
#include "LineVector.h"
#include "TestImages.h"
#include "vellomar/ImageFieldWriter.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using test::kBlack;
using test::kBlue;
using test::kGreen;
using test::kGrey128;
using test::kRed;
using test::kWhite;

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct TRun {
    int exit = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    // Runs the converter with the arguments, optionally as an unprivileged user.
    TRun Run(const std::vector<std::string>& args, const std::string& prefix = "") {
        std::string command = prefix;
        command += Quote(VELLOMAR_CONVERT);
        for (const std::string& a : args)
            command.append(" ").append(Quote(a));
        const fs::path out = dir_.Path() / "stdout";
        const fs::path err = dir_.Path() / "stderr";
        command += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
        const int status = std::system(command.c_str());
        TRun run;
        run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = test::ReadFileBytes(out);
        run.err = test::ReadFileBytes(err);
        return run;
    }

    static std::string SavedBytes(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& l : lines)
            bytes += l + "\r\n";
        return bytes;
    }

    std::string Encoded(const TRasterImage* mask, TConvertOptions options) const {
        test::TLineVector lines;
        TImageFieldWriter::Write(image_, mask, options, lines);
        return SavedBytes(lines.Lines);
    }

    test::TTempDir dir_;
    const TRasterImage image_ = test::MakeImage({{kRed, kGreen, kBlue}, {kBlack, kWhite, kGrey128}});
    const TRasterImage mask_ = test::MakeImage({{kWhite, kWhite, kBlack}, {kBlack, kGrey128, kWhite}});
    const std::string imageFile_ = dir_.Write("image.bmp", test::Bitmap24(image_));
    const std::string maskFile_ = dir_.Write("mask.bmp", test::Bitmap24(mask_));
};

TEST_F(CliTest, WritesTheEncoderLinesWithCrLf) {
    struct Case { std::vector<std::string> args; bool masked; TConvertOptions options; };
    const Case cases[] = {
        {{}, false, {cmRGB, osPlainText, 32, false}},
        {{"-g", "-s", "c", "-p", "2", "-u", "-m", maskFile_}, true, {cmGrayscale, osCSource, 2, true}},
        {{"--style=vrml", "--mask", maskFile_}, true, {cmRGB, osVRMLBox, 32, false}},
        {{"-p", "-5"}, false, {cmRGB, osPlainText, -5, false}},
        {{"--pixels-per-line=-5"}, false, {cmRGB, osPlainText, -5, false}},
        {{"--pixels-per-line="}, false, {cmRGB, osPlainText, 0, false}},
        {{"-p", " 12ab"}, false, {cmRGB, osPlainText, 12, false}},
        {{"-p", "4294967298"}, false, {cmRGB, osPlainText, 2, false}},
        {{"-m", ""}, false, {cmRGB, osPlainText, 32, false}}, // an empty mask name wants no mask
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back(imageFile_);
        const TRun run = Run(args);
        EXPECT_EQ(run.exit, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, Encoded(c.masked ? &mask_ : nullptr, c.options)) << args.front();
    }
}

TEST_F(CliTest, OutputFileHoldsTheSameBytes) {
    const fs::path target = dir_.Path() / "out.wrl";
    const TRun run = Run({"-s", "vrml", "-o", target.string(), imageFile_});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ReadFileBytes(target), Encoded(nullptr, {cmRGB, osVRMLBox, 32, false}));
}

TEST_F(CliTest, FailuresExitOneWithTheWindowsTexts) {
    const std::string empty = dir_.Write("empty.bmp", {});
    const std::string text = dir_.Write("text.bmp", test::TBytes(20, 'a'));
    const std::string shortFile = dir_.Write("short.bmp", test::TBytes{'B', 'M', 0});
    const std::string missing = (dir_.Path() / "missing.bmp").string();
    struct Case { std::vector<std::string> args; std::string err; };
    const Case cases[] = {
        {{empty}, "Cannot load the bitmap\n"},
        {{missing}, "Cannot open file " + missing + ".\n"},
        {{text}, "Bitmap image is not valid.\n"},
        {{shortFile}, "Stream read error.\n"},
        {{"-m", missing, imageFile_}, "Cannot open file " + missing + ".\n"},
        {{"-o", (dir_.Path() / "no-folder" / "x.txt").string(), imageFile_}, "Cannot create output file\n"},
        {{"-o", dir_.Path().string(), imageFile_}, "Cannot create output file\n"},
    };
    for (const Case& c : cases) {
        const TRun run = Run(c.args);
        EXPECT_EQ(run.exit, 1) << c.args.front();
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(CliTest, MaskProblemsAreWarningsAndTheConversionGoesOn) {
    const std::string empty = dir_.Write("empty-mask.bmp", {});
    const std::string narrow = dir_.Write("narrow.bmp", test::Bitmap24(test::MakeFilled(2, 2, kWhite)));
    const std::string low = dir_.Write("low.bmp", test::Bitmap24(test::MakeFilled(3, 1, kWhite)));
    struct Case { std::string mask; std::string err; };
    for (const Case& c : {Case{empty, "Cannot load the mask\n"}, Case{narrow, "Mask dimensions differ from image\n"},
                          Case{low, "Mask dimensions differ from image\n"}}) {
        const TRun run = Run({"-m", c.mask, imageFile_});
        EXPECT_EQ(run.exit, 0);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, Encoded(nullptr, {cmRGB, osPlainText, 32, false}));
    }
}

TEST_F(CliTest, UsageErrorsExitTwo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"-s", "pascal", imageFile_}, {"--no-such-option", imageFile_}, {imageFile_, "extra"}}) {
        const TRun run = Run(args);
        EXPECT_EQ(run.exit, 2);
        EXPECT_NE(run.err.find("usage: vellomar-convert"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const TRun help = Run({"--help"});
    EXPECT_EQ(help.exit, 0);
    EXPECT_NE(help.out.find("--pixels-per-line"), std::string::npos);
}

TEST_F(CliTest, AFailedWriteIsReportedAndNeverASuccess) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const TRun toFile = Run({"-o", "/dev/full", imageFile_});
    EXPECT_EQ(toFile.exit, 1);
    EXPECT_EQ(toFile.err, "Cannot write output file\n");

    const std::string command = Quote(VELLOMAR_CONVERT) + " " + Quote(imageFile_) + " >/dev/full 2>/dev/null";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "standard output on a full disk";
}

TEST_F(CliTest, RemovesThePartialFileItCreated) {
    // A file size limit makes writes fail part-way, like a disk filling up.
    const std::string big = dir_.Write("big.bmp", test::Bitmap24(test::MakeFilled(64, 64, kWhite)));
    const fs::path created = dir_.Path() / "new.txt";
    const fs::path existing = dir_.Path() / "old.txt";
    std::ofstream(existing) << "old";
    const std::string limit = "trap '' XFSZ; ulimit -f 1; exec ";
    for (const fs::path& target : {created, existing}) {
        const std::string command = "sh -c " + Quote(limit + Quote(VELLOMAR_CONVERT) + " -o " +
                                                      Quote(target.string()) + " " + Quote(big)) + " 2>/dev/null";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << target;
    }
    EXPECT_FALSE(fs::exists(created));
    EXPECT_TRUE(fs::exists(existing)); // not ours to remove
}

TEST_F(CliTest, AReadOnlyTargetIsNotTouched) {
    const fs::path target = dir_.Path() / "locked.txt";
    std::ofstream(target) << "keep";
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // Root writes through read-only bits, so run as an unprivileged user where we are root.
    const std::string prefix = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    if (!prefix.empty() && std::system("command -v setpriv >/dev/null") != 0)
        GTEST_SKIP() << "no setpriv to drop root";
    const TRun run = Run({"-o", target.string(), imageFile_}, prefix);
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.err, "Cannot create output file\n");
    EXPECT_EQ(test::ReadFileBytes(target), "keep");
}

} // namespace
} // namespace vellomar
