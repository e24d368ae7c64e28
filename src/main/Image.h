#pragma once

#include <QImage>
#include <QWidget>

#include "vellomar/RasterImage.h"

namespace vellomar {

// A picture as a QImage of its own, RGB888. An Empty picture gives a null image.
// Throws std::bad_alloc when the image does not fit in memory.
QImage ToQImage(const TRasterImage& picture);

// Shows one picture at its natural size from the top-left corner, neither stretched nor centred;
// what lies beyond the view's bounds is not shown. With autoSize the view takes the size of each
// picture put into it (an empty picture leaves the size as it is).
class TImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
public:
    explicit TImage(QWidget* parent = nullptr) : QWidget(parent) {}

    // Keeps a copy of the picture; the caller may release its own.
    void SetPicture(const TRasterImage& picture);
    const QImage& Picture() const { return picture_; }

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on) { autoSize_ = on; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool autoSize_ = false;
};

} // namespace vellomar
