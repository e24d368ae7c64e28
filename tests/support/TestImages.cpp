#include "TestImages.h"

#include <stdexcept>

namespace vellomar::test {

TRasterImage MakeImage(std::initializer_list<std::initializer_list<TRGB>> rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height == 0 ? 0 : static_cast<int>(rows.begin()->size());
    TRasterImage image(width, height);
    int y = 0;
    for (const auto& row : rows) {
        if (static_cast<int>(row.size()) != width)
            throw std::invalid_argument("rows differ in length");
        int x = 0;
        for (const TRGB& c : row)
            image.SetPixelColor(x++, y, c);
        ++y;
    }
    return image;
}

TRasterImage MakeFilled(int width, int height, TRGB colour) {
    TRasterImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelColor(x, y, colour);
    return image;
}

} // namespace vellomar::test
