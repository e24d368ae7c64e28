#pragma once

#include <vector>

#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace vellomar {

// A top-level window built from a form description. Adds what the description asks of a window
// beyond Qt's widgets: the default and cancel buttons, and anchored controls.
//
// Keyboard: Enter presses the focused push button, elsewhere the default button when it is enabled;
// Esc presses the cancel button. Both act only without Shift, Ctrl, Alt or Meta. A plain-text view
// keeps Enter for its new lines and takes Esc for itself.
//
// Anchors: a control's dynamic property "anchors" lists the window sides ("left,top,right,bottom")
// whose distance it keeps when the window's size changes; without it the control keeps its place.
class TForm : public QWidget {
public:
    explicit TForm(QWidget* parent = nullptr);

protected:
    void SetDefaultButton(QPushButton* button) { defaultButton_ = button; }
    void SetCancelButton(QPushButton* button) { cancelButton_ = button; }
    // Call once every control exists at its designed place and the window has its designed size.
    void FinishBuilding();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TAnchored {
        QPointer<QWidget> Control;
        QRect Bounds;
        bool Left, Top, Right, Bottom;
    };

    QPointer<QPushButton> defaultButton_;
    QPointer<QPushButton> cancelButton_;
    QSize designSize_;
    std::vector<TAnchored> anchored_;
};

} // namespace vellomar
