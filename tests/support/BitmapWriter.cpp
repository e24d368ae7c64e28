#include "BitmapWriter.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace vellomar::test {
namespace {

void Put16(TBytes& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(TBytes& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v);
    Put16(out, at + 2, v >> 16);
}

void Append32(TBytes& out, std::uint32_t v) {
    out.resize(out.size() + 4);
    Put32(out, out.size() - 4, v);
}

} // namespace

TBytes BuildBitmap(const TBitmapLayout& layout) {
    const bool core = layout.headerSize == 12;
    TBytes out(14 + std::max<std::size_t>(layout.headerSize, 4), 0);
    out[0] = static_cast<std::uint8_t>(layout.magic[0]);
    out[1] = static_cast<std::uint8_t>(layout.magic[1]);
    Put32(out, 14, layout.headerSize);
    if (core) {
        Put16(out, 18, static_cast<std::uint32_t>(layout.width));
        Put16(out, 20, static_cast<std::uint32_t>(layout.height));
        Put16(out, 22, layout.planes);
        Put16(out, 24, layout.bitsPerPixel);
    } else if (layout.headerSize >= 40) {
        Put32(out, 18, static_cast<std::uint32_t>(layout.width));
        Put32(out, 22, static_cast<std::uint32_t>(layout.height));
        Put16(out, 26, layout.planes);
        Put16(out, 28, layout.bitsPerPixel);
        Put32(out, 30, layout.compression);
        Put32(out, 34, static_cast<std::uint32_t>(layout.pixels.size()));
        Put32(out, 38, 2835); // 72 dots per inch
        Put32(out, 42, 2835);
        Put32(out, 46, layout.colorsUsed);
        if (layout.masks && layout.headerSize >= 52)
            for (std::size_t i = 0; i < 3; ++i)
                Put32(out, 54 + 4 * i, (*layout.masks)[i]);
    }
    if (layout.masks && layout.headerSize < 52)
        for (std::uint32_t m : *layout.masks)
            Append32(out, m);
    for (const TRGB& c : layout.palette) {
        out.insert(out.end(), {c.Blue, c.Green, c.Red});
        if (!core)
            out.push_back(0);
    }
    const auto offset = static_cast<std::uint32_t>(out.size());
    Put32(out, 10, layout.pixelOffset.value_or(offset));
    out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    return out;
}

TBytes PackRows(const std::vector<std::vector<std::uint32_t>>& rows, int bitsPerPixel, bool topDown) {
    TBytes out;
    const auto bpp = static_cast<std::size_t>(bitsPerPixel);
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const auto& row = rows[topDown ? n : rows.size() - 1 - n];
        TBytes packed((row.size() * bpp + 31) / 32 * 4, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const std::uint32_t v = row[x];
            switch (bitsPerPixel) {
            case 1:
            case 4:
            case 8: {
                const std::size_t bit = x * bpp;
                const auto shift = 8 - bpp - bit % 8;
                packed[bit / 8] = static_cast<std::uint8_t>(packed[bit / 8] | (v & ((1u << bpp) - 1)) << shift);
                break;
            }
            case 16: Put16(packed, 2 * x, v); break;
            case 24: // stored blue, green, red
                packed[3 * x] = static_cast<std::uint8_t>(v);
                packed[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                packed[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
                break;
            case 32: Put32(packed, 4 * x, v); break;
            default: throw std::invalid_argument("PackRows: bits per pixel");
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

TBytes Bitmap24(const TRasterImage& picture, bool topDown) {
    std::vector<std::vector<std::uint32_t>> rows(static_cast<std::size_t>(picture.Height()));
    for (std::int32_t y = 0; y < picture.Height(); ++y)
        for (std::int32_t x = 0; x < picture.Width(); ++x) {
            const TRGB c = picture.PixelColor(x, y);
            rows[static_cast<std::size_t>(y)].push_back(std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 |
                                                        c.Blue);
        }
    TBitmapLayout layout;
    layout.width = picture.Width();
    layout.height = topDown ? -picture.Height() : picture.Height();
    layout.pixels = PackRows(rows, 24, topDown);
    return BuildBitmap(layout);
}

TBytes Truncated(const TBytes& bytes, std::size_t n) {
    return TBytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

TTempDir::TTempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("vellomar-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = std::move(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TTempDir::Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
    const auto path = path_ / name;
    WriteFileBytes(path, bytes);
    return path.string();
}

} // namespace vellomar::test
