#pragma once

#include <QGroupBox>
#include <QList>

class QRadioButton;

namespace vellomar {

// A group box of radio items; ItemIndex is the checked item's index in the order the items were
// created, -1 when none is checked. The Tab key stops at the group once, on its checked item.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr) : QGroupBox(parent) {}

    QList<QRadioButton*> Items() const;
    int ItemIndex() const;

protected:
    void childEvent(QChildEvent* event) override;

private:
    void KeepTabStopOnChecked();
};

} // namespace vellomar
