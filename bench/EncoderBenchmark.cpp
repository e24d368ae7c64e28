// Throughput of TImageFieldWriter::Write on a 4096 x 4096 colour picture, 32 values per line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "vellomar/ImageFieldWriter.h"

namespace {

using namespace vellomar;

constexpr int kSide = 4096;

const TRasterImage& Picture() {
    static const TRasterImage image = [] {
        TRasterImage img(kSide, kSide);
        std::uint32_t seed = 12345;
        for (int y = 0; y < kSide; ++y) {
            std::uint8_t* row = img.Row(y);
            for (std::size_t i = 0; i < img.RowBytes(); ++i) {
                seed = seed * 1664525u + 1013904223u; // varied digit counts, like a photograph
                row[i] = static_cast<std::uint8_t>(seed >> 24);
            }
        }
        return img;
    }();
    return image;
}

class TDiscardLines : public TOutputLines {
public:
    void Add(std::string_view line) override { bytes += line.size() + 2; }
    std::size_t bytes = 0;
};

class TKeepLines : public TOutputLines {
public:
    void Add(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

template <typename Sink>
void BM_Write(benchmark::State& state) {
    const TRasterImage& image = Picture();
    const TConvertOptions options{cmRGB, osPlainText, 32, false};
    std::size_t bytes = 0;
    for (auto _ : state) {
        Sink sink;
        TImageFieldWriter::Write(image, nullptr, options, sink);
        if constexpr (requires { sink.bytes; })
            bytes += sink.bytes;
        else
            for (const std::string& l : sink.lines)
                bytes += l.size() + 2;
        benchmark::DoNotOptimize(sink);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes)); // text as saved, CR LF included
}

BENCHMARK(BM_Write<TDiscardLines>)->Name("Write/discard")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write<TKeepLines>)->Name("Write/keep")->Unit(benchmark::kMillisecond);

} // namespace
