#pragma once

#include <memory>

#include <QStringList>

#include "Desktop.h"

class QFileDialog;
class QMessageBox;

namespace vellomar {

// The desktop as the user meets it: Qt's message boxes and file dialogs, shown modally.
class TQtDesktop : public IDesktop {
public:
    int MessageBox(QWidget* owner, const QString& text, const QString& caption, int flags) override;
    bool ExecuteFileDialog(TOpenDialog& dialog, QWidget* owner) override;
    void OpenDocument(QWidget* owner, const QString& fileName) override;

    // The box and the dialog exactly as they are shown, built without showing them.
    static std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* owner, const QString& text, const QString& caption,
                                                        int flags);
    static std::unique_ptr<QFileDialog> BuildFileDialog(const TOpenDialog& settings, QWidget* owner);
    // Takes a confirmed dialog's answer into the settings.
    static void ReadBack(const QFileDialog& dialog, TOpenDialog& settings);
};

// The dialog's filter entries in Qt's form, "Description (patterns)".
QStringList NameFilters(const QString& filter);

} // namespace vellomar
