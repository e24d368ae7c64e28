#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace vellomar {

// An edit with a caption label of its own. The label is the edit's buddy, so its accelerator moves
// the focus to the edit; it sizes itself to its caption, stands above or left of the edit at
// labelSpacing pixels, and is greyed whenever the edit is disabled.
class TLabeledEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString labelText READ labelText WRITE setLabelText)
    Q_PROPERTY(TLabelPosition labelPosition READ labelPosition WRITE setLabelPosition)
    Q_PROPERTY(int labelSpacing READ labelSpacing WRITE setLabelSpacing)
public:
    enum TLabelPosition { lpAbove, lpLeft };
    Q_ENUM(TLabelPosition)

    // The label is placed on parent beside the edit.
    explicit TLabeledEdit(QWidget* parent);
    ~TLabeledEdit() override;

    QLabel* EditLabel() const { return label_; }

    QString labelText() const;
    void setLabelText(const QString& text);
    TLabelPosition labelPosition() const { return position_; }
    void setLabelPosition(TLabelPosition position);
    int labelSpacing() const { return spacing_; }
    void setLabelSpacing(int spacing);

protected:
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceLabel();

    QPointer<QLabel> label_;
    TLabelPosition position_ = lpAbove;
    int spacing_ = 3;
};

} // namespace vellomar
