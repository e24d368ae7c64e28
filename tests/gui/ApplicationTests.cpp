// The application object: its title, the default error display, failures escaping handlers and
// start-up, and how the event loop ends.
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "GuiSession.h"

namespace vellomar {
namespace {

using test::TGuiSession;

TEST(ApplicationTitle, DerivedFromTheExecutableName) {
    struct Case { const char* path; const char* title; };
    const Case cases[] = {
        {"Vellomar", "Vellomar"},
        {"/usr/local/bin/Vellomar", "Vellomar"},
        {"VELLOMAR", "Vellomar"},
        {"vellomar", "vellomar"},
        {"/opt/tools/MyTool.exe.old", "Mytool"},
        {"C:\\Program Files\\VELLO.MAR.EXE", "Vello"},
        {"/home/u/dir.with.dots/Converter", "Converter"},
        {"/home/u/.hidden", ""},
        {"\xc3\x84RGER.bin", "\xc3\x84rger"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TitleFromExecutableName(QString::fromUtf8(c.path)), QString::fromUtf8(c.title)) << c.path;
}

TEST(ErrorDisplay, AddsAFullStopAfterCharactersAboveIt) {
    struct Case { const char* message; const char* shown; };
    const Case cases[] = {
        {"Cannot open file a.bmp", "Cannot open file a.bmp."},
        {"Stream read error", "Stream read error."},
        {"Ends in a digit 7", "Ends in a digit 7."},
        {"Really?", "Really?."},
        {"[bracket]", "[bracket]."},
        {"path/", "path/."}, // '/' is code 47, just above '.'
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"(aside)", "(aside)"},
        {"trailing comma,", "trailing comma,"},
        {"trailing space ", "trailing space "},
        {"dash-", "dash-"}, // '-' is code 45
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorDisplayText(c.message), c.shown) << '"' << c.message << '"';
}

TEST(ErrorDisplay, ShowsAnErrorBoxUnderTheApplicationTitle) {
    TGuiSession session;
    for (const char* message : {"Bitmap image is not valid", ""}) {
        session.Desktop().Boxes.clear();
        Application->ShowException(Exception(message));
        ASSERT_EQ(session.Desktop().Boxes.size(), 1u);
        EXPECT_EQ(session.Desktop().Boxes[0].Text, QString::fromStdString(ErrorDisplayText(message)));
        EXPECT_EQ(session.Desktop().Boxes[0].Caption, Application->Title());
        EXPECT_EQ(session.Desktop().Boxes[0].Flags, MB_OK | MB_ICONERROR);
    }
    EXPECT_EQ(Application->Title(), "gui_tests"); // the test program's own name
}

// The failures a handler may let escape, and what the error box then says.
struct TFailure {
    const char* name;
    std::function<void()> raise;
    const char* shown;
};

const TFailure kFailures[] = {
    {"Exception", [] { throw Exception("Cannot open file missing.bmp"); }, "Cannot open file missing.bmp."},
    {"bad_alloc", [] { throw std::bad_alloc(); }, "Out of memory."},
    {"runtime_error", [] { throw std::runtime_error("disk on fire"); }, "disk on fire."},
    {"not an exception", [] { throw 42; }, ""},
};

// An object whose event handler fails, as a window's might.
class TFailingObject : public QObject {
public:
    explicit TFailingObject(std::function<void()> raise) : raise_(std::move(raise)) {}
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            raise_();
        return QObject::event(event);
    }

private:
    std::function<void()> raise_;
};

TEST(FailureInAHandler, EscapingAnEventIsShownAndTheLoopGoesOn) {
    for (const TFailure& f : kFailures) {
        SCOPED_TRACE(f.name);
        TGuiSession session;
        TFailingObject failing(f.raise);
        bool laterEventRan = false;
        QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
        QTimer::singleShot(0, [&] {
            laterEventRan = true;
            QCoreApplication::quit();
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
        EXPECT_EQ(QCoreApplication::exec(), 0);
        EXPECT_TRUE(laterEventRan);
        ASSERT_EQ(session.Desktop().Boxes.size(), 1u);
        EXPECT_EQ(session.Desktop().Boxes[0].Text, f.shown);
        EXPECT_EQ(session.Desktop().Boxes[0].Caption, Application->Title());
        EXPECT_EQ(session.Desktop().Boxes[0].Flags, MB_OK | MB_ICONERROR);
    }
}

TEST(FailureInAHandler, EndsTheCommandThereAndTheWindowStillWorks) {
    for (const TFailure& f : kFailures) {
        SCOPED_TRACE(f.name);
        TGuiSession session;
        session.Show();
        TFormMain& form = session.Form();
        form.LabeledEditInputImage->setText("before.bmp");
        session.Desktop().Act(f.raise); // the failure comes while the Browse dialog is open
        QTest::mouseClick(form.ButtonBrowseInputFile, Qt::LeftButton);

        ASSERT_EQ(session.Desktop().Boxes.size(), 1u);
        EXPECT_EQ(session.Desktop().Boxes[0].Text, f.shown);
        EXPECT_EQ(form.LabeledEditInputImage->text(), "before.bmp");

        form.LabeledEditInputImage->clear();
        EXPECT_FALSE(form.BitBtnConvert->isEnabled());
        session.Desktop().Confirm("/pictures/after.bmp");
        QTest::mouseClick(form.ButtonBrowseInputFile, Qt::LeftButton);
        EXPECT_EQ(form.LabeledEditInputImage->text(), "/pictures/after.bmp");
        EXPECT_TRUE(form.BitBtnConvert->isEnabled());
        EXPECT_TRUE(form.isVisible());
    }
}

// A window that cannot be built.
class TBrokenForm : public TForm {
public:
    TBrokenForm() { throw Exception("Window cannot be built"); }
};

TEST(StartUp, AFailureIsShownAndTheWindowNeverAppears) {
    TGuiSession session;
    TBrokenForm* broken = nullptr;
    Application->Start(broken);
    EXPECT_EQ(broken, nullptr);
    ASSERT_EQ(session.Desktop().Boxes.size(), 1u);
    EXPECT_EQ(session.Desktop().Boxes[0].Text, "Window cannot be built.");
    EXPECT_EQ(session.Desktop().Boxes[0].Caption, Application->Title());
}

TEST(StartUp, CreateFormFillsTheReferenceAndTheFirstFormIsTheMainWindow) {
    TGuiSession session;
    ASSERT_NE(FormMain, nullptr);
    EXPECT_EQ(Application->MainForm(), FormMain);
    EXPECT_FALSE(FormMain->isVisible()); // not shown before Run
}

TEST(EventLoop, EndsWhenTheMainWindowIsClosedWhicheverWay) {
    struct Case {
        const char* name;
        std::function<void(TFormMain&)> close;
    };
    const Case cases[] = {
        {"Quit button", [](TFormMain& f) { QTest::mouseClick(f.BitBtnQuit, Qt::LeftButton); }},
        {"Esc", [](TFormMain& f) { QTest::keyClick(f.focusWidget(), Qt::Key_Escape); }},
        {"Alt+Q", [](TFormMain& f) { QTest::keyClick(&f, Qt::Key_Q, Qt::AltModifier); }},
        {"close box", [](TFormMain& f) { f.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGuiSession session;
        TFormMain& form = session.Form();
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
            c.close(form);
        });
        bool timedOut = false;
        QTimer::singleShot(5000, [&] {
            timedOut = true;
            QCoreApplication::quit();
        });
        Application->Run();
        EXPECT_FALSE(timedOut);
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(session.Desktop().Boxes.empty()) << "closing asks nothing";
    }
}

} // namespace
} // namespace vellomar
