#include "UpDown.h"

#include <algorithm>
#include <cstdint>

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace vellomar {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    setFocusPolicy(Qt::NoFocus);
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
    }
    up_->setObjectName(QStringLiteral("UpDownUp"));
    up_->setArrowType(Qt::UpArrow);
    down_->setObjectName(QStringLiteral("UpDownDown"));
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::setAssociate(QLineEdit* edit) {
    if (edit_ != nullptr)
        edit_->removeEventFilter(this);
    edit_ = edit;
    if (edit_ == nullptr)
        return;
    edit_->installEventFilter(this);
    setGeometry(edit_->x() + edit_->width(), edit_->y(), width(), edit_->height());
}

void TUpDown::Step(int delta) {
    std::int64_t from = position_;
    if (edit_ != nullptr) {
        bool isNumber = false;
        const int typed = edit_->text().trimmed().toInt(&isNumber);
        if (isNumber)
            from = typed;
    }
    position_ = static_cast<int>(std::clamp<std::int64_t>(std::clamp<std::int64_t>(from, minimum_, maximum_) + delta,
                                                          minimum_, maximum_));
    if (edit_ != nullptr)
        edit_->setText(QString::number(position_));
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    // The type first: the edit's own teardown passes through here while it is no longer an edit.
    if (event->type() == QEvent::KeyPress && watched == edit_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == 0 && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            Step(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace vellomar
