#include "Application.h"

#include <algorithm>
#include <new>

#include "QtDesktop.h"

namespace vellomar {

TApplication* Application = nullptr;

QString TitleFromExecutableName(const QString& path) {
    const qsizetype folderEnd = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    QString name = path.mid(folderEnd + 1);
    const qsizetype stop = name.indexOf(u'.');
    if (stop >= 0)
        name.truncate(stop);
    return name.left(1) + name.mid(1).toLower();
}

Exception AsException(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return Exception(TApplication::tr("Out of memory").toStdString());
    } catch (const std::exception& e) {
        return Exception(e.what());
    } catch (...) {
        return Exception(std::string());
    }
}

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), title_(TitleFromExecutableName(applicationFilePath())),
      desktop_(std::make_unique<TQtDesktop>()) {
    Application = this;
}

TApplication::~TApplication() {
    while (!forms_.empty()) {
        TOwnedForm owned = std::move(forms_.back());
        forms_.pop_back();
        if (owned.Form.get() == mainForm_)
            mainForm_ = nullptr;
        owned.Form.reset();
        owned.Forget();
    }
    Application = nullptr;
}

void TApplication::Initialize() {
    // The desktop matches the window to its task-bar button and menu entry by these.
    setApplicationName(title_);
    setDesktopFileName(QStringLiteral("vellomar"));
}

void TApplication::Adopt(std::unique_ptr<TForm> form, std::function<void()> forget) {
    TForm* created = form.get();
    forms_.push_back({std::move(form), std::move(forget)});
    if (mainForm_ == nullptr)
        mainForm_ = created;
}

void TApplication::Run() {
    if (mainForm_ == nullptr)
        return;
    mainForm_->show();
    exec();
}

void TApplication::ShowException(const Exception& failure) {
    MessageBox(ErrorDisplayText(failure.Message), title_.toStdString(), MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, int flags) {
    QWidget* owner = mainForm_ != nullptr && mainForm_->isVisible() ? mainForm_ : nullptr;
    return desktop_->MessageBox(owner, QString::fromStdString(text), QString::fromStdString(caption), flags);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowFailure(std::current_exception());
        return false;
    }
}

void TApplication::ShowFailure(std::exception_ptr failure) noexcept {
    try {
        ShowException(AsException(failure));
    } catch (...) {
        // The error box itself failed (no memory left for it): nothing remains to show it with.
    }
}

} // namespace vellomar
