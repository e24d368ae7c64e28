// Arbitrary bytes into the in-memory loader. The loader's own errors are expected answers;
// any other exception, a crash or a sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "vellomar/Exception.h"
#include "vellomar/RasterImage.h"

namespace {

// 512 x 512: larger pictures only cost allocation and filling time per run (a cap of 1 << 22
// ran ten times slower) and reach no other code; every size check still runs.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 18;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellomar::TRasterImage image;
    try {
        image.LoadFromMemory(std::span<const std::uint8_t>(data, size), kMaxPixels);
    } catch (const vellomar::Exception&) {
        return 0;
    }
    if (image.Empty()) {
        if (size != 0 || image.Width() != 0 || image.Height() != 0)
            std::abort();
        return 0;
    }
    if (image.Width() <= 0 || image.Height() <= 0 ||
        static_cast<std::uint64_t>(image.Width()) * static_cast<std::uint64_t>(image.Height()) > kMaxPixels)
        std::abort();
    // Reading the corners proves the whole grid is there.
    volatile std::uint8_t sink = image.PixelColor(0, 0).Red;
    sink = static_cast<std::uint8_t>(sink ^ image.PixelColor(image.Width() - 1, image.Height() - 1).Blue);
    return 0;
}
