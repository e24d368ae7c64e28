#include "GuiSession.h"

#include <gtest/gtest.h>

#include <QtTest/QTest>

namespace vellomar::test {

namespace {

int argc = 1;
char programName[] = "gui_tests";
char* argv[] = {programName, nullptr};

} // namespace

int TScriptedDesktop::MessageBox(QWidget*, const QString& text, const QString& caption, int flags) {
    Boxes.push_back({text, caption, flags});
    return IDOK;
}

bool TScriptedDesktop::ExecuteFileDialog(TOpenDialog& dialog, QWidget*) {
    Dialogs.push_back({dialog.Title, dialog.Filter, dialog.FilterIndex, dialog.DefaultExt, dialog.Options, dialog.FileName});
    if (Answers.empty()) {
        ADD_FAILURE() << "a file dialog was shown with no answer scripted";
        return false;
    }
    const std::optional<TAnswer> answer = std::move(Answers.front());
    Answers.pop_front();
    if (!answer)
        return false;
    if (answer->Act) {
        answer->Act();
        return false;
    }
    dialog.FileName = answer->FileName;
    dialog.FilterIndex = answer->FilterIndex;
    return true;
}

TGuiSession::TGuiSession() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<TApplication>(argc, argv);
    auto desktop = std::make_unique<TScriptedDesktop>();
    desktop_ = desktop.get();
    Application->SetDesktop(std::move(desktop));
    Application->Initialize();
    Application->CreateForm(FormMain);
}

TGuiSession::~TGuiSession() {
    EXPECT_TRUE(desktop_->Answers.empty()) << "scripted answers left unused";
}

void TGuiSession::Show() {
    FormMain->show();
    FormMain->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FormMain));
}

} // namespace vellomar::test
