// Writes the seed corpus: the loader tests' sample bitmaps, one file each, into the folder given.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "BitmapWriter.h"
#include "SampleBitmaps.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        int n = 0;
        for (const auto& sample : vellomar::test::SampleBitmaps())
            vellomar::test::WriteFileBytes(folder / ("seed-" + std::to_string(n++) + ".bmp"),
                                           vellomar::test::BuildBitmap(sample.layout));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bmp_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
