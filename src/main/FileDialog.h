#pragma once

#include <vector>

#include <QObject>
#include <QString>

class QWidget;

namespace vellomar {

enum TOpenOption : unsigned {
    ofHideReadOnly = 1u << 0,    // no read-only check box
    ofFileMustExist = 1u << 1,   // only an existing file can be confirmed
    ofEnableSizing = 1u << 2,    // the dialog can be resized
    ofOverwritePrompt = 1u << 3, // confirming an existing file asks before it is replaced
};

enum class TDialogKind { Open, Save };

struct TFilterEntry {
    QString Description;
    QString Pattern; // one or more patterns separated by ';'
};

// Splits "Description|Pattern|Description|Pattern..." into its entries; a description left
// without a pattern at the end is dropped.
std::vector<TFilterEntry> ParseFilter(const QString& filter);

// One file dialog of a window: its settings and the answer last confirmed. Owned by the window,
// like its controls; shown through the application's desktop.
class TOpenDialog : public QObject {
public:
    explicit TOpenDialog(QWidget* owner) : TOpenDialog(owner, TDialogKind::Open) {}

    // Shows the dialog; true when the user confirmed a file, now in FileName.
    bool Execute();
    TDialogKind Kind() const { return kind_; }

    QString Title;      // empty: the platform's own title
    QString Filter;     // see ParseFilter
    int FilterIndex = 1; // the entry selected, counted from 1
    QString DefaultExt; // added to a name typed without an extension
    unsigned Options = 0; // TOpenOption flags
    QString FileName;

protected:
    TOpenDialog(QWidget* owner, TDialogKind kind);

private:
    QWidget* owner_;
    TDialogKind kind_;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(QWidget* owner) : TOpenDialog(owner, TDialogKind::Save) {}
};

} // namespace vellomar
