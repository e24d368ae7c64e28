#include "Image.h"

#include <cstring>
#include <new>

#include <QPainter>

namespace vellomar {

QImage ToQImage(const TRasterImage& picture) {
    if (picture.Empty() || picture.Width() == 0 || picture.Height() == 0)
        return {};
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB888);
    if (image.isNull())
        throw std::bad_alloc();
    // QImage pads its rows to 32 bits; the picture's rows are packed.
    for (std::int32_t y = 0; y < picture.Height(); ++y)
        std::memcpy(image.scanLine(y), picture.Row(y), picture.RowBytes());
    return image;
}

void TImage::SetPicture(const TRasterImage& picture) {
    picture_ = ToQImage(picture);
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

} // namespace vellomar
