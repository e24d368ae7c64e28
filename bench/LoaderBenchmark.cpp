// LoadFromFile of a 4096 x 4096 24-bit file (48 MiB of pixels) against reading the same file
// with plain fread, so the loader's own cost shows as the difference. The parts are timed too:
// reading through a buffer that stays in memory, making a fresh picture, decoding from memory.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BitmapWriter.h"
#include "vellomar/RasterImage.h"

namespace {

using namespace vellomar;

constexpr int kSide = 4096;

struct TFixtureFile {
    test::TTempDir dir;
    std::string name;
    std::size_t size = 0;

    TFixtureFile() {
        test::TBitmapLayout layout;
        layout.width = layout.height = kSide;
        layout.pixels.resize(3 * std::size_t{kSide} * kSide);
        std::uint32_t seed = 12345;
        for (auto& b : layout.pixels) {
            seed = seed * 1664525u + 1013904223u;
            b = static_cast<std::uint8_t>(seed >> 24);
        }
        const test::TBytes bytes = test::BuildBitmap(layout);
        size = bytes.size();
        name = dir.Write("large.bmp", bytes);
    }
};

const TFixtureFile& File() {
    static const TFixtureFile file;
    return file;
}

void BM_LoadFromFile(benchmark::State& state) {
    const TFixtureFile& file = File();
    for (auto _ : state) {
        TRasterImage image;
        image.LoadFromFile(file.name);
        benchmark::DoNotOptimize(image.Row(0));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size));
}

// The whole file into a buffer allocated per run, as the loader allocates its picture.
void BM_Fread(benchmark::State& state) {
    const TFixtureFile& file = File();
    for (auto _ : state) {
        std::vector<std::uint8_t> buffer(file.size);
        std::FILE* f = std::fopen(file.name.c_str(), "rb");
        if (f == nullptr || std::fread(buffer.data(), 1, buffer.size(), f) != buffer.size())
            state.SkipWithError("cannot read the fixture file");
        if (f != nullptr)
            std::fclose(f);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size));
}

// Reading alone: 1 MiB chunks into one buffer that stays in memory, as the loader reads.
void BM_FreadChunks(benchmark::State& state) {
    const TFixtureFile& file = File();
    std::vector<std::uint8_t> buffer(std::size_t{1} << 20);
    for (auto _ : state) {
        std::FILE* f = std::fopen(file.name.c_str(), "rb");
        if (f == nullptr) {
            state.SkipWithError("cannot open the fixture file");
            break;
        }
        std::size_t total = 0;
        for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), f)) != 0;)
            total += got;
        std::fclose(f);
        if (total != file.size)
            state.SkipWithError("cannot read the fixture file");
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size));
}

// The picture's memory alone: a fresh, zeroed 4096 x 4096 picture.
void BM_NewPicture(benchmark::State& state) {
    for (auto _ : state) {
        TRasterImage image(kSide, kSide);
        benchmark::DoNotOptimize(image.Row(0));
    }
}

// The decoding alone, from bytes already in memory.
void BM_LoadFromMemory(benchmark::State& state) {
    const TFixtureFile& file = File();
    std::vector<std::uint8_t> bytes(file.size);
    std::FILE* f = std::fopen(file.name.c_str(), "rb");
    const bool read = f != nullptr && std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr)
        std::fclose(f);
    if (!read)
        state.SkipWithError("cannot read the fixture file");
    for (auto _ : state) {
        TRasterImage image;
        image.LoadFromMemory(bytes);
        benchmark::DoNotOptimize(image.Row(0));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size));
}

BENCHMARK(BM_Fread)->Name("Load24/fread")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadChunks)->Name("Load24/fread-1MiB-chunks")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewPicture)->Name("Load24/new-picture")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Name("Load24/LoadFromFile")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromMemory)->Name("Load24/LoadFromMemory")->Unit(benchmark::kMillisecond);

} // namespace
