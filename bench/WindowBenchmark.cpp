// RunConvert of a 4096 x 4096 colour picture into the real text view, offscreen, against the view's
// own floor: setPlainText of the same text. Then Save of that text against one fwrite of its bytes.
// Each benchmark reports the process's peak memory; run one per process to compare them
// (bench/window_benchmark.sh does).
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include <QPlainTextEdit>

#include "Application.h"
#include "BitmapWriter.h"
#include "FormMain.h"
#include "OutputFile.h"
#include "vellomar/ImageFieldWriter.h"

namespace {

using namespace vellomar;

constexpr int kSide = 4096;
const TConvertOptions kOptions{cmRGB, osPlainText, 32, false};

double PeakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct TFixture {
    test::TTempDir dir;
    TRasterImage picture{kSide, kSide};
    std::string file;

    TFixture() {
        std::uint32_t seed = 12345;
        for (int y = 0; y < kSide; ++y) {
            std::uint8_t* row = picture.Row(y);
            for (std::size_t i = 0; i < picture.RowBytes(); ++i) {
                seed = seed * 1664525u + 1013904223u;
                row[i] = static_cast<std::uint8_t>(seed >> 24);
            }
        }
        file = dir.Write("large.bmp", test::Bitmap24(picture));
    }

    // The conversion's text as one string, each line followed by a line feed.
    std::string Text() const {
        struct TJoin : TOutputLines {
            std::string text;
            void Add(std::string_view line) override {
                text.append(line);
                text.push_back('\n');
            }
        } join;
        TImageFieldWriter::Write(picture, nullptr, kOptions, join);
        return std::move(join.text);
    }
};

TFixture& Fixture() {
    static TFixture fixture;
    return fixture;
}

void BM_RunConvert(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state)
        FormMain->RunConvert(QString::fromStdString(f.file), {}, false, kOptions);
    state.counters["blocks"] = FormMain->MemoOutput->document()->blockCount();
    state.counters["peak_rss_MiB"] = PeakRssMiB();
}

void BM_SetPlainTextFloor(benchmark::State& state) {
    QString text = QString::fromLatin1(Fixture().Text());
    for (auto _ : state)
        FormMain->MemoOutput->setPlainText(text);
    state.counters["peak_rss_MiB"] = PeakRssMiB();
}

void BM_Save(benchmark::State& state) {
    TFixture& f = Fixture();
    FormMain->RunConvert(QString::fromStdString(f.file), {}, false, kOptions);
    const QString target = QString::fromStdString((f.dir.Path() / "saved.txt").string());
    for (auto _ : state)
        if (WriteOutputFile(target, *FormMain->MemoOutput->document()) != TSaveResult::Saved)
            state.SkipWithError("save failed");
}

void BM_FwriteFloor(benchmark::State& state) {
    TFixture& f = Fixture();
    std::string bytes;
    {
        const std::string text = f.Text();
        bytes.reserve(text.size() + text.size() / 40);
        for (char c : text) {
            if (c == '\n')
                bytes.push_back('\r');
            bytes.push_back(c);
        }
    }
    const std::string target = (f.dir.Path() / "fwrite.txt").string();
    for (auto _ : state) {
        std::FILE* out = std::fopen(target.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

BENCHMARK(BM_RunConvert)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SetPlainTextFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FwriteFloor)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    application.Initialize();
    application.CreateForm(FormMain);
    FormMain->show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
