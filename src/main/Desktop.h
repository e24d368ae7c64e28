#pragma once

#include <QString>

class QWidget;

namespace vellomar {

class TOpenDialog;

// What MessageBox returns for its one OK button.
inline constexpr int IDOK = 1;

// Everything the program asks of the desktop that waits for the user: message boxes and the file
// dialogs. The application object holds one; the default shows Qt's boxes and dialogs, and the tests
// put a scripted one in its place, so that nothing there waits on a modal loop.
class IDesktop {
public:
    virtual ~IDesktop() = default;

    // A modal box over owner (may be null) with the flags of MessageBox.h; returns the button pressed.
    virtual int MessageBox(QWidget* owner, const QString& text, const QString& caption, int flags) = 0;

    // Shows the dialog modally, starting from its FileName and FilterIndex. When the user confirms a
    // file, writes the chosen FileName and FilterIndex back and returns true; a cancel changes nothing.
    virtual bool ExecuteFileDialog(TOpenDialog& dialog, QWidget* owner) = 0;

    // Hands a file to the desktop, which opens it with the application set for its type. The
    // outcome is neither waited for nor reported.
    virtual void OpenDocument(QWidget* owner, const QString& fileName) = 0;
};

} // namespace vellomar
