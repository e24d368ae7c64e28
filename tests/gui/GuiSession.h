#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QString>

#include "Application.h"
#include "Desktop.h"
#include "FileDialog.h"
#include "FormMain.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vellomar::test {

// Answers boxes and dialogs from a script and records what was asked, so nothing waits on a
// modal loop.
class TScriptedDesktop : public IDesktop {
public:
    struct TBox {
        QString Text;
        QString Caption;
        int Flags;
    };
    // What a dialog was shown with.
    struct TDialogShown {
        QString Title;
        QString Filter;
        int FilterIndex;
        QString DefaultExt;
        unsigned Options;
        QString FileName;
    };
    // The user's answer: a confirmed file and filter entry, or cancel (nullopt). Act runs while
    // the dialog is open, instead of an answer, when set.
    struct TAnswer {
        QString FileName;
        int FilterIndex = 1;
        std::function<void()> Act;
    };

    int MessageBox(QWidget* owner, const QString& text, const QString& caption, int flags) override;
    bool ExecuteFileDialog(TOpenDialog& dialog, QWidget* owner) override;
    void OpenDocument(QWidget*, const QString& fileName) override { OpenedDocuments.push_back(fileName); }

    void Confirm(const QString& fileName, int filterIndex = 1) { Answers.push_back(TAnswer{fileName, filterIndex, {}}); }
    void Cancel() { Answers.push_back(std::nullopt); }
    void Act(std::function<void()> act) { Answers.push_back(TAnswer{{}, 1, std::move(act)}); }

    std::vector<TBox> Boxes;
    std::vector<TDialogShown> Dialogs;
    std::vector<QString> OpenedDocuments;
    std::deque<std::optional<TAnswer>> Answers;
};

// An application with its main window, built as the entry routine builds them, on a scripted
// desktop. One at a time.
class TGuiSession {
public:
    TGuiSession();
    ~TGuiSession();

    // Shows the window and waits until it is active, as after Run.
    void Show();

    TFormMain& Form() const { return *FormMain; }
    TScriptedDesktop& Desktop() const { return *desktop_; }

private:
    std::unique_ptr<TApplication> application_;
    TScriptedDesktop* desktop_;
};

} // namespace vellomar::test
