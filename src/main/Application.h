#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QString>

#include "Desktop.h"
#include "Form.h"
#include "vellomar/Exception.h"
#include "vellomar/MessageBox.h"

namespace vellomar {

// The title of an executable: its file name without the folder, cut before the first full stop,
// every character after the first in lower case.
QString TitleFromExecutableName(const QString& path);

// A failure of any kind as the default error display shows it: an Exception as it is, running out
// of memory and the standard library's other failures with their text, anything else with no text.
Exception AsException(std::exception_ptr failure);

// The one application object: the event loop, the default error display, the message boxes and the
// windows, which it owns. Every message box and file dialog goes through its desktop.
class TApplication : public QApplication, public IMessageBox {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    void Initialize();
    // Creates a window of the class, stores it in reference; the first one becomes the main window.
    template <class TFormClass> void CreateForm(TFormClass*& reference);
    // Shows the main window and handles events until it is closed.
    void Run();
    // The default error display: the message, with ErrorDisplayText's rule, in an error box under the title.
    void ShowException(const Exception& failure);
    int MessageBox(const std::string& text, const std::string& caption, int flags) override;

    // Initialize, CreateForm and Run inside one protected region: a failure there is shown by
    // ShowException and ends the start-up.
    template <class TFormClass> void Start(TFormClass*& reference) noexcept;
    // Runs an event handler; a failure escaping it is shown by ShowException and goes no further.
    template <class THandler> void Dispatch(THandler&& handler) noexcept;

    const QString& Title() const { return title_; }
    TForm* MainForm() const { return mainForm_; }
    IDesktop& Desktop() const { return *desktop_; }
    void SetDesktop(std::unique_ptr<IDesktop> desktop) { desktop_ = std::move(desktop); }

    // Catches what an event handler lets escape, so that the event loop goes on.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    struct TOwnedForm {
        std::unique_ptr<TForm> Form;
        std::function<void()> Forget; // clears the reference CreateForm filled in
    };

    void Adopt(std::unique_ptr<TForm> form, std::function<void()> forget);
    void ShowFailure(std::exception_ptr failure) noexcept;

    QString title_;
    std::unique_ptr<IDesktop> desktop_;
    std::vector<TOwnedForm> forms_;
    TForm* mainForm_ = nullptr;
};

extern TApplication* Application;

template <class TFormClass> void TApplication::CreateForm(TFormClass*& reference) {
    auto form = std::make_unique<TFormClass>();
    TFormClass* created = form.get();
    Adopt(std::move(form), [&reference] { reference = nullptr; });
    reference = created;
}

template <class TFormClass> void TApplication::Start(TFormClass*& reference) noexcept {
    try {
        Initialize();
        CreateForm(reference);
        Run();
    } catch (...) {
        ShowFailure(std::current_exception());
    }
}

template <class THandler> void TApplication::Dispatch(THandler&& handler) noexcept {
    // Qt's widget library is built without exception support: a failure must not unwind through
    // it, so handlers are guarded where they are called and notify only catches the rest.
    try {
        std::forward<THandler>(handler)();
    } catch (...) {
        ShowFailure(std::current_exception());
    }
}

} // namespace vellomar
