#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vellomar {

// A small stepper of an edit's number: an up and a down arrow attached to the edit's right side.
// Each step moves position by one between minimum and maximum and stops at the ends; the Up and
// Down arrow keys in the edit step too. The edit itself stays a plain edit: it accepts any text.
// A step starts from the edit's number when the edit holds one (limited to the range), otherwise
// from the last position. Never takes the focus.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int position READ Position WRITE setPosition)
public:
    explicit TUpDown(QWidget* parent = nullptr);

    // Places the stepper at the edit's right side, as high as the edit, and steps its text.
    void setAssociate(QLineEdit* edit);
    QLineEdit* associate() const { return edit_; }

    int minimum() const { return minimum_; }
    void setMinimum(int value) { minimum_ = value; }
    int maximum() const { return maximum_; }
    void setMaximum(int value) { maximum_ = value; }
    int Position() const { return position_; }
    void setPosition(int value) { position_ = value; }

    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    QPointer<QLineEdit> edit_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};

} // namespace vellomar
