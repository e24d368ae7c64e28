// vellomar-convert: the window's conversion from a shell. Same loader, same encoder, and the bytes
// the window's Save writes for an unedited conversion.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "vellomar/Exception.h"
#include "vellomar/ImageFieldWriter.h"
#include "vellomar/LineFileWriter.h"
#include "vellomar/MaskLoading.h"
#include "vellomar/Messages.h"
#include "vellomar/RasterImage.h"

namespace {

using namespace vellomar;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Message boxes become one line each on standard error.
class TStderrMessages : public IMessageBox {
public:
    int MessageBox(const std::string& text, const std::string&, int) override {
        std::cerr << text << '\n';
        return 0;
    }
};

// Stops the encoder at the first failed write: nothing after it can reach the file.
struct TWriteFailed {};

class TCheckedSink : public TOutputLines {
public:
    explicit TCheckedSink(TLineFileWriter& writer) : writer_(writer) {}
    void Add(std::string_view line) override {
        writer_.WriteLine(line);
        if (writer_.Failed())
            throw TWriteFailed{};
    }

private:
    TLineFileWriter& writer_;
};

struct TArguments {
    std::string image;
    std::string mask;
    bool grayscale = false;
    std::string style = "plain";
    std::string pixelsPerLine = "32";
    bool uppercase = false;
    std::string output;
};

TOutputStyle StyleOf(const std::string& name) {
    if (name == "c")
        return osCSource;
    if (name == "vrml")
        return osVRMLBox;
    return osPlainText;
}

int Convert(const TArguments& args) {
    TStderrMessages messages;
    TRasterImage image;
    image.LoadFromFile(args.image);
    if (image.Empty()) {
        messages.MessageBox(kCannotLoadBitmap, kErrorCaption, MB_OK | MB_ICONERROR);
        return kExitFailure;
    }
    std::optional<TRasterImage> mask;
    if (MaskWanted(args.mask, true))
        mask = LoadMask(args.mask, image, messages);

    const TConvertOptions options{args.grayscale ? cmGrayscale : cmRGB, StyleOf(args.style),
                                  ReadPixelsPerLine(args.pixelsPerLine), args.uppercase};

    TLineFileWriter writer;
    const bool toFile = !args.output.empty();
    bool created = false;
    if (toFile) {
        std::error_code ec;
        created = !std::filesystem::exists(args.output, ec);
        if (!writer.Open(args.output)) {
            messages.MessageBox(kCannotCreateOutput, kErrorCaption, MB_OK | MB_ICONERROR);
            return kExitFailure;
        }
    } else {
        writer.Attach(stdout);
    }

    TCheckedSink sink(writer);
    try {
        TImageFieldWriter::Write(image, mask ? &*mask : nullptr, options, sink);
    } catch (const TWriteFailed&) {
    }
    if (!writer.Close()) {
        messages.MessageBox(kCannotWriteOutput, kErrorCaption, MB_OK | MB_ICONERROR);
        if (toFile && created) {
            std::error_code ec;
            std::filesystem::remove(args.output, ec);
        }
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    TArguments args;
    CLI::App app{"Converts a bitmap picture into the text of a VRML97 PixelTexture image field.",
                 "vellomar-convert"};
    app.set_version_flag("-V,--version", "vellomar-convert " VELLOMAR_VERSION);
    app.add_option("IMAGE", args.image, "bitmap file to convert")->required();
    app.add_option("-m,--mask", args.mask, "mask picture; its brightness becomes alpha");
    app.add_flag("-g,--grayscale", args.grayscale, "grey levels instead of colour");
    app.add_option("-s,--style", args.style, "output style (default plain)")
        ->check(CLI::IsMember({"plain", "c", "vrml"}));
    app.add_option("-p,--pixels-per-line", args.pixelsPerLine,
                   "maximum values per line, read as the window reads its field (default 32)");
    app.add_flag("-u,--uppercase", args.uppercase, "upper-case hexadecimal");
    app.add_option("-o,--output", args.output, "write to FILE instead of standard output");

    // "--name=" with nothing after it is an empty value; the parser would take the next argument
    // instead, so hand it the two-argument form.
    std::vector<std::string> words;
    for (int i = argc - 1; i > 0; --i) {
        std::string word = argv[i];
        if (word.size() > 3 && word.starts_with("--") && word.back() == '=' &&
            word.find('=') == word.size() - 1) {
            words.emplace_back();
            word.pop_back();
        }
        words.push_back(std::move(word));
    }

    try {
        app.parse(words);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << e.what() << '\n'
                  << "usage: vellomar-convert [-m FILE] [-g] [-s plain|c|vrml] [-p N] [-u] [-o FILE] IMAGE\n"
                  << "Run with --help for more information.\n";
        return kExitUsage;
    }

    try {
        return Convert(args);
    } catch (const vellomar::Exception& e) {
        std::cerr << vellomar::ErrorDisplayText(e.Message) << '\n';
    } catch (const std::bad_alloc&) {
        std::cerr << "Out of memory.\n";
    } catch (const std::exception& e) {
        std::cerr << vellomar::ErrorDisplayText(e.what()) << '\n';
    }
    return kExitFailure;
}
