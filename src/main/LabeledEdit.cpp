#include "LabeledEdit.h"

#include <QEvent>
#include <QLabel>

namespace vellomar {

TLabeledEdit::TLabeledEdit(QWidget* parent) : QLineEdit(parent), label_(new QLabel(parent)) {
    label_->setBuddy(this);
}

TLabeledEdit::~TLabeledEdit() {
    delete label_;
}

QString TLabeledEdit::labelText() const {
    return label_->text();
}

void TLabeledEdit::setLabelText(const QString& text) {
    label_->setText(text);
    PlaceLabel();
}

void TLabeledEdit::setLabelPosition(TLabelPosition position) {
    position_ = position;
    PlaceLabel();
}

void TLabeledEdit::setLabelSpacing(int spacing) {
    spacing_ = spacing;
    PlaceLabel();
}

void TLabeledEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        label_->setEnabled(isEnabled());
}

void TLabeledEdit::moveEvent(QMoveEvent* event) {
    QLineEdit::moveEvent(event);
    PlaceLabel();
}

void TLabeledEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    PlaceLabel();
}

void TLabeledEdit::PlaceLabel() {
    label_->adjustSize();
    const QRect edit = geometry();
    if (position_ == lpAbove)
        label_->move(edit.left(), edit.top() - label_->height() - spacing_);
    else
        label_->move(edit.left() - label_->width() - spacing_, edit.top() + (edit.height() - label_->height()) / 2);
}

} // namespace vellomar
