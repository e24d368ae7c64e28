#include "RadioGroup.h"

#include <algorithm>

#include <QChildEvent>
#include <QRadioButton>

namespace vellomar {

QList<QRadioButton*> TRadioGroup::Items() const {
    return findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

int TRadioGroup::ItemIndex() const {
    const QList<QRadioButton*> items = Items();
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

void TRadioGroup::childEvent(QChildEvent* event) {
    QGroupBox::childEvent(event);
    // An item is complete once it is polished, before it is first shown.
    if (event->type() != QEvent::ChildPolished)
        return;
    if (auto* item = qobject_cast<QRadioButton*>(event->child())) {
        connect(item, &QRadioButton::toggled, this, &TRadioGroup::KeepTabStopOnChecked, Qt::UniqueConnection);
        KeepTabStopOnChecked();
    }
}

void TRadioGroup::KeepTabStopOnChecked() {
    const QList<QRadioButton*> items = Items();
    const int stop = std::max(ItemIndex(), 0);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Qt::FocusPolicy policy = items[i]->focusPolicy();
        items[i]->setFocusPolicy(i == stop ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                           : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

} // namespace vellomar
