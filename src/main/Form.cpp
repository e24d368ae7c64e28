#include "Form.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVariant>

namespace vellomar {

TForm::TForm(QWidget* parent) : QWidget(parent) {}

void TForm::FinishBuilding() {
    designSize_ = size();
    anchored_.clear();
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant anchors = control->property("anchors");
        if (!anchors.isValid())
            continue;
        const QStringList sides = anchors.toString().split(u',', Qt::SkipEmptyParts);
        const auto has = [&sides](const char* side) { return sides.contains(QLatin1String(side)); };
        anchored_.push_back({control, control->geometry(), has("left"), has("top"), has("right"), has("bottom")});
    }
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    // Propagated keys reach the focused control's parents too; act once, where the key arrives.
    if (event->type() != QEvent::KeyPress || watched != focusWidget())
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool escape = key->key() == Qt::Key_Escape;
    if (!enter && !escape)
        return false;
    if (qobject_cast<QPlainTextEdit*>(watched) != nullptr)
        return escape;
    constexpr Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((key->modifiers() & held) != 0)
        return true; // pressed with a modifier, Enter and Esc press nothing, not even a focused button
    QPushButton* target = nullptr;
    if (escape)
        target = cancelButton_;
    else if (auto* focused = qobject_cast<QPushButton*>(watched))
        target = focused;
    else if (defaultButton_ != nullptr && defaultButton_->isEnabled())
        target = defaultButton_;
    if (target != nullptr)
        target->click();
    return true;
}

void TForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (designSize_.isEmpty())
        return;
    const int dx = width() - designSize_.width();
    const int dy = height() - designSize_.height();
    for (const TAnchored& a : anchored_) {
        if (a.Control == nullptr)
            continue;
        QRect r = a.Bounds;
        if (a.Right) {
            if (a.Left)
                r.setWidth(r.width() + dx);
            else
                r.moveLeft(r.left() + dx);
        }
        if (a.Bottom) {
            if (a.Top)
                r.setHeight(r.height() + dy);
            else
                r.moveTop(r.top() + dy);
        }
        a.Control->setGeometry(r);
    }
}

} // namespace vellomar
