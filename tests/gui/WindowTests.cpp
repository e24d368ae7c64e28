// The main window: its controls as described, the enabling rules, the keyboard and the up-down.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest/QTest>

#include "GuiSession.h"
#include "TestImages.h"

namespace vellomar {
namespace {

using test::TGuiSession;

// The name a person would give the focused control: the first named widget from it upwards,
// skipping Qt's own inner parts (a tab widget's tab bar, say).
QString ControlName(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget())
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            return widget->objectName();
    return QStringLiteral("(none)");
}

// Every widget the window description makes: the controls, the radio items, the labels, the tab
// sheets and what they hold. Not Qt's own inner parts.
QList<QWidget*> DescribedWidgets(TFormMain& f) {
    QList<QWidget*> widgets{f.ButtonBrowseInputFile, f.BitBtnConvert, f.BitBtnQuit, f.PageControlOutput,
                            f.TabSheetOutput, f.MemoOutput, f.TabSheetPreview, f.ScrollBoxPreview, f.ImagePreview,
                            f.ButtonBrowseInputMask, f.CheckBoxUseMask, f.RadioGroupColors, f.RadioGroupOutput,
                            f.LabeledEditPixelsPerLine, f.UpDownPixelsPerLine, f.LabeledEditInputImage,
                            f.LabeledEditInputMask, f.CheckBoxUppercase, f.BitBtnSave, f.BitBtnAbout, f.TabSheetMask,
                            f.ScrollBoxMask, f.ImageMask};
    for (const TRadioGroup* group : {f.RadioGroupColors, f.RadioGroupOutput})
        for (QRadioButton* item : group->Items())
            widgets << item;
    for (const TLabeledEdit* edit : {f.LabeledEditPixelsPerLine, f.LabeledEditInputImage, f.LabeledEditInputMask})
        widgets << edit->EditLabel();
    return widgets;
}

QString Caption(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* group = qobject_cast<const TRadioGroup*>(control))
        return group->title();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* tabs = qobject_cast<const QTabWidget*>(control)) {
        QStringList texts;
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
        return texts.join(u'|');
    }
    return {};
}

TEST(MainWindow, HasEveryControlAsDescribed) {
    TGuiSession session;
    TFormMain& f = session.Form();
    struct Case {
        QWidget* control;
        const char* name;
        const char* kind;
        const char* caption;
        const char* toolTip;
        QRect bounds;
    };
    const Case cases[] = {
        {f.ButtonBrowseInputFile, "ButtonBrowseInputFile", "QPushButton", "&Browse", "Browse for input file", {304, 8, 81, 25}},
        {f.BitBtnConvert, "BitBtnConvert", "QPushButton", "&Convert", "Convert input image", {8, 344, 89, 25}},
        {f.BitBtnQuit, "BitBtnQuit", "QPushButton", "&Quit", "Quit the application", {200, 344, 89, 25}},
        {f.PageControlOutput, "PageControlOutput", "QTabWidget", "Output|Image|Mask", "", {104, 72, 281, 265}},
        {f.ButtonBrowseInputMask, "ButtonBrowseInputMask", "QPushButton", "B&rowse", "Browse for input mask file", {304, 40, 81, 25}},
        {f.CheckBoxUseMask, "CheckBoxUseMask", "QCheckBox", "&Use Mask", "Use the image mask file", {8, 72, 73, 17}},
        {f.RadioGroupColors, "RadioGroupColors", "vellomar::TRadioGroup", "Colors", "Color or grayscale output", {8, 96, 89, 65}},
        {f.RadioGroupOutput, "RadioGroupOutput", "vellomar::TRadioGroup", "Output",
         "Plain text or C/C++ source or sample VRML output", {8, 168, 89, 89}},
        {f.LabeledEditPixelsPerLine, "LabeledEditPixelsPerLine", "vellomar::TLabeledEdit", "32",
         "Maximum number of pixels per line", {8, 280, 57, 21}},
        {f.UpDownPixelsPerLine, "UpDownPixelsPerLine", "vellomar::TUpDown", "", "", {65, 280, 10, 21}},
        {f.LabeledEditInputImage, "LabeledEditInputImage", "vellomar::TLabeledEdit", "", "Name of image file to convert", {72, 8, 225, 21}},
        {f.LabeledEditInputMask, "LabeledEditInputMask", "vellomar::TLabeledEdit", "", "Name of file with image mask", {72, 40, 225, 21}},
        {f.CheckBoxUppercase, "CheckBoxUppercase", "QCheckBox", "&Uppercase", "Uppercase output", {8, 312, 81, 17}},
        {f.BitBtnSave, "BitBtnSave", "QPushButton", "&Save", "Save converted image to file", {104, 344, 89, 25}},
        {f.BitBtnAbout, "BitBtnAbout", "QPushButton", "&About", "About the application", {296, 344, 89, 25}},
    };
    QList<const QWidget*> withToolTip;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.control, nullptr);
        EXPECT_EQ(c.control->objectName(), c.name);
        EXPECT_EQ(c.control->parentWidget(), &f);
        EXPECT_STREQ(c.control->metaObject()->className(), c.kind);
        EXPECT_EQ(Caption(c.control), c.caption);
        EXPECT_EQ(c.control->toolTip(), c.toolTip);
        EXPECT_EQ(c.control->geometry(), c.bounds);
        if (!c.control->toolTip().isEmpty())
            withToolTip << c.control;
    }
    for (const QWidget* w : DescribedWidgets(f)) {
        if (!withToolTip.contains(w)) {
            EXPECT_TRUE(w->toolTip().isEmpty()) << "unexpected tooltip on " << w->objectName().toStdString();
        }
    }

    struct Group { TRadioGroup* group; QStringList items; };
    for (const Group& g : {Group{f.RadioGroupColors, {"&RGB", "&Grayscale"}},
                           Group{f.RadioGroupOutput, {"Plain &Text", "C &Source", "&VRML box"}}}) {
        QStringList items;
        for (const QRadioButton* item : g.group->Items())
            items << item->text();
        EXPECT_EQ(items, g.items);
        EXPECT_EQ(g.group->ItemIndex(), 0);
    }

    EXPECT_EQ(f.PageControlOutput->widget(0), f.TabSheetOutput);
    EXPECT_EQ(f.PageControlOutput->widget(1), f.TabSheetPreview);
    EXPECT_EQ(f.PageControlOutput->widget(2), f.TabSheetMask);
    EXPECT_EQ(f.MemoOutput->parentWidget(), f.TabSheetOutput);
    EXPECT_EQ(f.ScrollBoxPreview->widget(), f.ImagePreview);
    EXPECT_EQ(f.ScrollBoxMask->widget(), f.ImageMask);
}

TEST(MainWindow, StartsInItsDesignedState) {
    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();

    EXPECT_EQ(f.windowTitle(), "Vellomar");
    EXPECT_EQ(f.size(), QSize(392, 375));
    EXPECT_EQ(f.minimumSize(), f.maximumSize()) << "the user cannot resize it";
    const Qt::WindowFlags flags = f.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_EQ(f.frameGeometry().topLeft(), QPoint(192, 109));
    EXPECT_EQ(f.palette().color(QPalette::Window), f.palette().color(QPalette::Button));
    EXPECT_EQ(f.font().family(), "MS Sans Serif");
    EXPECT_EQ(f.font().pointSize(), 8);

    EXPECT_EQ(f.focusWidget(), f.ButtonBrowseInputFile);
    EXPECT_EQ(f.PageControlOutput->currentWidget(), f.TabSheetMask);
    for (const QWidget* control : DescribedWidgets(f)) {
        const bool disabledAtStart =
            control == f.BitBtnConvert || control == f.BitBtnSave || control == f.CheckBoxUseMask;
        EXPECT_EQ(control->isEnabled(), !disabledAtStart) << control->objectName().toStdString();
    }
    EXPECT_TRUE(f.BitBtnConvert->isDefault());
    EXPECT_TRUE(f.LabeledEditInputImage->text().isEmpty());
    EXPECT_TRUE(f.LabeledEditInputMask->text().isEmpty());
    EXPECT_FALSE(f.CheckBoxUseMask->isChecked());
    EXPECT_FALSE(f.CheckBoxUppercase->isChecked());
    EXPECT_EQ(f.LabeledEditPixelsPerLine->text(), "32");
    EXPECT_EQ(f.UpDownPixelsPerLine->Position(), 32);
    EXPECT_EQ(f.UpDownPixelsPerLine->minimum(), 1);
    EXPECT_EQ(f.UpDownPixelsPerLine->maximum(), 100);
    EXPECT_EQ(f.UpDownPixelsPerLine->focusPolicy(), Qt::NoFocus);

    EXPECT_EQ(f.MemoOutput->toPlainText(), "\n") << "one empty line";
    EXPECT_FALSE(f.MemoOutput->isReadOnly());
    EXPECT_EQ(f.MemoOutput->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(f.MemoOutput->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(f.MemoOutput->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(f.MemoOutput->tabChangesFocus());

    for (const QScrollArea* box : {f.ScrollBoxPreview, f.ScrollBoxMask}) {
        EXPECT_EQ(box->frameShadow(), QFrame::Sunken);
        EXPECT_NE(box->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_TRUE(f.ImagePreview->Picture().isNull());
    EXPECT_TRUE(f.ImageMask->Picture().isNull());
    EXPECT_EQ(f.ImagePreview->geometry(), QRect(0, 0, 297, 241));
    EXPECT_EQ(f.ImageMask->geometry(), QRect(0, 0, 273, 233));

    EXPECT_EQ(f.OpenDialogInputFile->parent(), &f);
    EXPECT_EQ(f.SaveDialogOutputFile->parent(), &f);
}

TEST(MainWindow, ConstructorDisablesConvertSaveAndUseMaskInThatOrder) {
    TGuiSession session;
    QStringList described;
    for (const QWidget* w : DescribedWidgets(session.Form()))
        described << w->objectName();
    // Records which of the described controls change their enabled state while a window is built.
    class TRecorder : public QObject {
    public:
        explicit TRecorder(QStringList names) : names_(std::move(names)) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::EnabledChange && names_.contains(watched->objectName()))
                Changed << watched->objectName();
            return false;
        }
        QStringList Changed;

    private:
        QStringList names_;
    } recorder(described);
    qApp->installEventFilter(&recorder);
    const TFormMain second;
    qApp->removeEventFilter(&recorder);
    EXPECT_EQ(recorder.Changed, QStringList({"BitBtnConvert", "BitBtnSave", "CheckBoxUseMask"}));
}

TEST(LabeledEdits, LabelsArePlacedByTheRuleFocusTheirEditAndGreyWithIt) {
    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();
    struct Case {
        TLabeledEdit* edit;
        const char* caption;
        TLabeledEdit::TLabelPosition position;
        int spacing;
        Qt::Key accelerator;
    };
    const Case cases[] = {
        {f.LabeledEditInputImage, "Input &Image:", TLabeledEdit::lpLeft, 3, Qt::Key_I},
        {f.LabeledEditInputMask, "Input &Mask:", TLabeledEdit::lpLeft, 6, Qt::Key_M},
        {f.LabeledEditPixelsPerLine, "Max &pixels per line:", TLabeledEdit::lpAbove, 3, Qt::Key_P},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const QLabel* label = c.edit->EditLabel();
        EXPECT_EQ(label->text(), c.caption);
        EXPECT_EQ(label->buddy(), c.edit);
        EXPECT_EQ(label->parentWidget(), &f);
        EXPECT_EQ(label->size(), label->sizeHint()) << "sized to its caption";
        const QRect e = c.edit->geometry();
        const QRect l = label->geometry();
        if (c.position == TLabeledEdit::lpLeft) {
            EXPECT_EQ(l.left(), e.left() - l.width() - c.spacing);
            EXPECT_EQ(l.top(), e.top() + (e.height() - l.height()) / 2);
        } else {
            EXPECT_EQ(l.left(), e.left());
            EXPECT_EQ(l.top(), e.top() - l.height() - c.spacing);
        }

        f.ButtonBrowseInputFile->setFocus();
        QTest::keyClick(&f, c.accelerator, Qt::AltModifier);
        EXPECT_EQ(f.focusWidget(), c.edit);

        c.edit->setEnabled(false);
        EXPECT_FALSE(label->isEnabled());
        c.edit->setEnabled(true);
        EXPECT_TRUE(label->isEnabled());
    }
}

TEST(MainWindow, AnchoredControlsFollowTheWindowsSize) {
    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();
    const int dx = 50;
    const int dy = 30;
    f.setFixedSize(392 + dx, 375 + dy);
    struct Case { QWidget* control; QRect bounds; };
    const Case cases[] = {
        {f.PageControlOutput, {104, 72, 281 + dx, 265 + dy}},
        {f.ButtonBrowseInputFile, {304 + dx, 8, 81, 25}},
        {f.ButtonBrowseInputMask, {304 + dx, 40, 81, 25}},
        {f.LabeledEditInputImage, {72, 8, 225 + dx, 21}},
        {f.LabeledEditInputMask, {72, 40, 225 + dx, 21}},
        {f.BitBtnConvert, {8, 344, 89, 25}},
        {f.BitBtnAbout, {296, 344, 89, 25}},
        {f.RadioGroupOutput, {8, 168, 89, 89}},
        {f.LabeledEditPixelsPerLine, {8, 280, 57, 21}},
        {f.UpDownPixelsPerLine, {65, 280, 10, 21}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.control->geometry(), c.bounds) << c.control->objectName().toStdString();
    EXPECT_EQ(f.LabeledEditInputImage->EditLabel()->x() + f.LabeledEditInputImage->EditLabel()->width() + 3, 72);
}

// One editing step on a name edit, as the user makes it.
struct TEditStep {
    const char* typed;  // typed at the end of the text
    int backspaces = 0; // then this many backspaces
};

TEST(EnablingRules, ANameEnablesItsControlOnTheRawText) {
    struct Case {
        const char* name;
        std::vector<TEditStep> steps;
        bool enabled;
    };
    const Case cases[] = {
        {"one character", {{"a"}}, true},
        {"one character typed and deleted", {{"a", 1}}, false},
        {"only spaces", {{"   "}}, true},
        {"a file that does not exist", {{"/no/such/folder/picture.bmp"}}, true},
        {"a longer name cut back to one character", {{"ab", 1}}, true},
        {"nothing typed", {}, false},
    };
    struct Edit {
        const char* name;
        std::function<TLabeledEdit*(TFormMain&)> edit;
        std::function<QWidget*(TFormMain&)> enables;
        std::function<QWidget*(TFormMain&)> other;
    };
    const Edit edits[] = {
        {"image name -> Convert", [](TFormMain& f) { return f.LabeledEditInputImage; },
         [](TFormMain& f) { return f.BitBtnConvert; }, [](TFormMain& f) { return f.CheckBoxUseMask; }},
        {"mask name -> Use Mask", [](TFormMain& f) { return f.LabeledEditInputMask; },
         [](TFormMain& f) { return f.CheckBoxUseMask; }, [](TFormMain& f) { return f.BitBtnConvert; }},
    };
    for (const Edit& e : edits) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(e.name) + ": " + c.name);
            TGuiSession session;
            TFormMain& f = session.Form();
            session.Show();
            TLabeledEdit* edit = e.edit(f);
            edit->setFocus();
            for (const TEditStep& step : c.steps) {
                QTest::keyClicks(edit, step.typed);
                for (int i = 0; i < step.backspaces; ++i)
                    QTest::keyClick(edit, Qt::Key_Backspace);
            }
            EXPECT_EQ(e.enables(f)->isEnabled(), c.enabled);
            EXPECT_FALSE(e.other(f)->isEnabled()) << "each name enables only its own control";
            EXPECT_FALSE(f.BitBtnSave->isEnabled()) << "no name changes Save";
        }
    }
}

TEST(EnablingRules, UseMaskKeepsItsTickWhileGreyed) {
    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();
    f.LabeledEditInputMask->setFocus();
    QTest::keyClicks(f.LabeledEditInputMask, "m");
    ASSERT_TRUE(f.CheckBoxUseMask->isEnabled());
    EXPECT_FALSE(f.CheckBoxUseMask->isChecked()) << "a name does not tick it";
    QTest::mouseClick(f.CheckBoxUseMask, Qt::LeftButton);
    ASSERT_TRUE(f.CheckBoxUseMask->isChecked());

    QTest::keyClick(f.LabeledEditInputMask, Qt::Key_Backspace);
    EXPECT_FALSE(f.CheckBoxUseMask->isEnabled());
    EXPECT_TRUE(f.CheckBoxUseMask->isChecked());

    QTest::keyClicks(f.LabeledEditInputMask, "n");
    EXPECT_TRUE(f.CheckBoxUseMask->isEnabled());
    EXPECT_TRUE(f.CheckBoxUseMask->isChecked());
}

std::vector<QString> TabThrough(TFormMain& f, bool forward, int steps) {
    std::vector<QString> visited{ControlName(f.focusWidget())};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(f.focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab);
        visited.push_back(ControlName(f.focusWidget()));
    }
    return visited;
}

TEST(TabOrder, RunsAsDescribedSkippingWhatCannotTakeTheFocus) {
    struct Case {
        const char* name;
        std::function<void(TFormMain&)> prepare;
        std::vector<QString> order; // from the first control round to it again
    };
    const Case cases[] = {
        {"at start, on the Mask tab",
         [](TFormMain&) {},
         {"ButtonBrowseInputFile", "BitBtnQuit", "PageControlOutput", "ButtonBrowseInputMask", "RadioButtonRGB",
          "RadioButtonPlainText", "LabeledEditPixelsPerLine", "LabeledEditInputImage", "LabeledEditInputMask",
          "CheckBoxUppercase", "BitBtnAbout", "ButtonBrowseInputFile"}},
        {"all enabled, on the Output tab, other items checked",
         [](TFormMain& f) {
             f.LabeledEditInputImage->setText("a.bmp");
             f.LabeledEditInputMask->setText("m.bmp");
             f.BitBtnSave->setEnabled(true);
             f.RadioGroupColors->Items()[1]->setChecked(true);
             f.RadioGroupOutput->Items()[2]->setChecked(true);
             f.PageControlOutput->setCurrentWidget(f.TabSheetOutput);
         },
         {"ButtonBrowseInputFile", "BitBtnConvert", "BitBtnQuit", "PageControlOutput", "MemoOutput",
          "ButtonBrowseInputMask", "CheckBoxUseMask", "RadioButtonGrayscale", "RadioButtonVRMLBox",
          "LabeledEditPixelsPerLine", "LabeledEditInputImage", "LabeledEditInputMask", "CheckBoxUppercase",
          "BitBtnSave", "BitBtnAbout", "ButtonBrowseInputFile"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGuiSession session;
        TFormMain& f = session.Form();
        session.Show();
        c.prepare(f);
        f.ButtonBrowseInputFile->setFocus();
        const int steps = static_cast<int>(c.order.size()) - 1;
        EXPECT_EQ(TabThrough(f, true, steps), c.order);
        const std::vector<QString> backwards(c.order.rbegin(), c.order.rend());
        EXPECT_EQ(TabThrough(f, false, steps), backwards);
    }
}

// Names the push buttons as they are pressed.
class TPressRecorder {
public:
    explicit TPressRecorder(TFormMain& f) {
        for (QPushButton* b : f.findChildren<QPushButton*>())
            QObject::connect(b, &QPushButton::clicked, b, [this, b] { Pressed << b->objectName(); });
    }
    QStringList Pressed;
};

TEST(Keyboard, EnterAndEscPressTheRightButtonInEachFocusSituation) {
    using Focus = std::function<QWidget*(TFormMain&)>;
    const Focus imageBrowse = [](TFormMain& f) { return f.ButtonBrowseInputFile; };
    const Focus maskBrowse = [](TFormMain& f) { return f.ButtonBrowseInputMask; };
    const Focus convert = [](TFormMain& f) { return f.BitBtnConvert; };
    const Focus quit = [](TFormMain& f) { return f.BitBtnQuit; };
    const Focus about = [](TFormMain& f) { return f.BitBtnAbout; };
    const Focus maskEdit = [](TFormMain& f) { return f.LabeledEditInputMask; };
    const Focus pixelsEdit = [](TFormMain& f) { return f.LabeledEditPixelsPerLine; };
    const Focus checkBox = [](TFormMain& f) { return f.CheckBoxUppercase; };
    const Focus radio = [](TFormMain& f) { return f.RadioGroupOutput->Items()[0]; };
    const Focus pages = [](TFormMain& f) { return f.PageControlOutput; };
    const Focus memo = [](TFormMain& f) {
        f.PageControlOutput->setCurrentWidget(f.TabSheetOutput);
        return f.MemoOutput;
    };
    constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
    struct Case {
        const char* name;
        Focus focus;
        bool convertEnabled;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* pressed; // "" for none
    };
    const Case cases[] = {
        {"Enter on image Browse, Convert disabled", imageBrowse, false, Qt::Key_Return, none, "ButtonBrowseInputFile"},
        {"Enter on image Browse, Convert enabled", imageBrowse, true, Qt::Key_Return, none, "ButtonBrowseInputFile"},
        {"Enter on mask Browse", maskBrowse, true, Qt::Key_Return, none, "ButtonBrowseInputMask"},
        {"Enter on About", about, true, Qt::Key_Return, none, "BitBtnAbout"},
        {"Enter on Quit", quit, true, Qt::Key_Return, none, "BitBtnQuit"},
        {"Enter on Convert", convert, true, Qt::Key_Return, none, "BitBtnConvert"},
        {"Enter in an edit", maskEdit, true, Qt::Key_Return, none, "BitBtnConvert"},
        {"Enter in an edit, Convert disabled", maskEdit, false, Qt::Key_Return, none, ""},
        {"keypad Enter in an edit", pixelsEdit, true, Qt::Key_Enter, Qt::KeypadModifier, "BitBtnConvert"},
        {"Enter on a check box", checkBox, true, Qt::Key_Return, none, "BitBtnConvert"},
        {"Enter on a radio item", radio, true, Qt::Key_Return, none, "BitBtnConvert"},
        {"Enter on the page control", pages, true, Qt::Key_Return, none, "BitBtnConvert"},
        {"Enter in the memo", memo, true, Qt::Key_Return, none, ""},
        {"Shift+Enter in an edit", maskEdit, true, Qt::Key_Return, Qt::ShiftModifier, ""},
        {"Ctrl+Enter on About", about, true, Qt::Key_Return, Qt::ControlModifier, ""},
        {"Alt+Enter on image Browse", imageBrowse, true, Qt::Key_Return, Qt::AltModifier, ""},
        {"Esc in an edit", maskEdit, true, Qt::Key_Escape, none, "BitBtnQuit"},
        {"Esc on a button, Convert disabled", imageBrowse, false, Qt::Key_Escape, none, "BitBtnQuit"},
        {"Esc on a check box", checkBox, true, Qt::Key_Escape, none, "BitBtnQuit"},
        {"Esc on a radio item", radio, true, Qt::Key_Escape, none, "BitBtnQuit"},
        {"Esc on the page control", pages, true, Qt::Key_Escape, none, "BitBtnQuit"},
        {"Esc in the memo", memo, true, Qt::Key_Escape, none, ""},
        {"Shift+Esc in an edit", maskEdit, true, Qt::Key_Escape, Qt::ShiftModifier, ""},
        {"Ctrl+Esc on About", about, true, Qt::Key_Escape, Qt::ControlModifier, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGuiSession session;
        TFormMain& f = session.Form();
        session.Show();
        if (c.convertEnabled)
            f.LabeledEditInputImage->setText("picture.bmp");
        QWidget* target = c.focus(f);
        target->setFocus();
        ASSERT_EQ(ControlName(f.focusWidget()), target->objectName());
        const QString memoBefore = f.MemoOutput->toPlainText();
        const std::string pressed = c.pressed;
        if (pressed.rfind("ButtonBrowse", 0) == 0)
            session.Desktop().Cancel();
        TPressRecorder recorder(f);

        QTest::keyClick(f.focusWidget(), c.key, c.modifiers);

        EXPECT_EQ(recorder.Pressed, pressed.empty() ? QStringList() : QStringList{c.pressed});
        EXPECT_EQ(f.isVisible(), pressed != "BitBtnQuit");
        if (target == f.MemoOutput && c.key != Qt::Key_Escape) {
            EXPECT_EQ(f.MemoOutput->toPlainText(), memoBefore + "\n") << "Enter starts a new line in the memo";
        } else if (pressed != "BitBtnConvert") { // Convert replaces the memo's text
            EXPECT_EQ(f.MemoOutput->toPlainText(), memoBefore);
        }
    }
}

TEST(Keyboard, AltAcceleratorsPressSelectToggleOrFocus) {
    struct Case {
        const char* name;
        Qt::Key key;
        std::function<void(TFormMain&, test::TScriptedDesktop&)> prepare;
        std::function<bool(TFormMain&, const QStringList& pressed)> done;
    };
    const auto nothing = [](TFormMain&, test::TScriptedDesktop&) {};
    const Case cases[] = {
        {"B presses image Browse", Qt::Key_B, [](TFormMain&, test::TScriptedDesktop& d) { d.Cancel(); },
         [](TFormMain&, const QStringList& p) { return p == QStringList{"ButtonBrowseInputFile"}; }},
        {"C presses Convert", Qt::Key_C, [](TFormMain& f, test::TScriptedDesktop&) { f.LabeledEditInputImage->setText("a.bmp"); },
         [](TFormMain&, const QStringList& p) { return p == QStringList{"BitBtnConvert"}; }},
        {"A presses About", Qt::Key_A, nothing,
         [](TFormMain&, const QStringList& p) { return p == QStringList{"BitBtnAbout"}; }},
        {"Q presses Quit", Qt::Key_Q, nothing,
         [](TFormMain& f, const QStringList& p) { return p == QStringList{"BitBtnQuit"} && !f.isVisible(); }},
        {"G selects Grayscale", Qt::Key_G, nothing, [](TFormMain& f, const QStringList&) { return f.RadioGroupColors->ItemIndex() == 1; }},
        {"V selects VRML box", Qt::Key_V, nothing, [](TFormMain& f, const QStringList&) { return f.RadioGroupOutput->ItemIndex() == 2; }},
        {"T selects Plain Text", Qt::Key_T, [](TFormMain& f, test::TScriptedDesktop&) { f.RadioGroupOutput->Items()[1]->setChecked(true); },
         [](TFormMain& f, const QStringList&) { return f.RadioGroupOutput->ItemIndex() == 0; }},
        {"S, with Save greyed, selects C Source", Qt::Key_S, nothing,
         [](TFormMain& f, const QStringList&) { return f.RadioGroupOutput->ItemIndex() == 1; }},
        {"U, with Use Mask greyed, toggles Uppercase", Qt::Key_U, nothing,
         [](TFormMain& f, const QStringList&) { return f.CheckBoxUppercase->isChecked(); }},
        {"U, with Uppercase greyed, toggles Use Mask", Qt::Key_U,
         [](TFormMain& f, test::TScriptedDesktop&) {
             f.LabeledEditInputMask->setText("m.bmp");
             f.CheckBoxUppercase->setEnabled(false);
         },
         [](TFormMain& f, const QStringList&) { return f.CheckBoxUseMask->isChecked(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGuiSession session;
        TFormMain& f = session.Form();
        session.Show();
        c.prepare(f, session.Desktop());
        TPressRecorder recorder(f);
        QTest::keyClick(&f, c.key, Qt::AltModifier);
        // A shortcut presses its button after a short visible press.
        EXPECT_TRUE(QTest::qWaitFor([&] { return c.done(f, recorder.Pressed); }, 2000)) << recorder.Pressed.join(',').toStdString();
    }
}

TEST(UpDown, StepsOneAtATimeBetweenItsEndsFromTheEditsNumber) {
    enum Action { ClickUp, ClickDown, KeyUp, KeyDown };
    struct Case {
        const char* start;
        Action action;
        int times;
        const char* text;
        int position;
    };
    const Case cases[] = {
        {"32", KeyUp, 1, "33", 33},
        {"32", KeyDown, 1, "31", 31},
        {"32", ClickUp, 2, "34", 34},
        {"32", ClickDown, 1, "31", 31},
        {"99", ClickUp, 3, "100", 100},
        {"2", KeyDown, 5, "1", 1},
        {"50", KeyUp, 1, "51", 51},     // from a typed number
        {"500", ClickUp, 1, "100", 100}, // a typed number beyond the ends is taken as the end
        {"0", ClickDown, 1, "1", 1},
        {"abc", ClickUp, 1, "33", 33}, // no number typed: from where the up-down stood
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " x" + std::to_string(c.times));
        TGuiSession session;
        TFormMain& f = session.Form();
        session.Show();
        TLabeledEdit* edit = f.LabeledEditPixelsPerLine;
        edit->setFocus();
        edit->setText(c.start);
        auto* up = f.UpDownPixelsPerLine->findChild<QToolButton*>("UpDownUp");
        auto* down = f.UpDownPixelsPerLine->findChild<QToolButton*>("UpDownDown");
        ASSERT_NE(up, nullptr);
        ASSERT_NE(down, nullptr);
        for (int i = 0; i < c.times; ++i) {
            switch (c.action) {
            case ClickUp: QTest::mouseClick(up, Qt::LeftButton); break;
            case ClickDown: QTest::mouseClick(down, Qt::LeftButton); break;
            case KeyUp: QTest::keyClick(edit, Qt::Key_Up); break;
            case KeyDown: QTest::keyClick(edit, Qt::Key_Down); break;
            }
        }
        EXPECT_EQ(edit->text(), c.text);
        EXPECT_EQ(f.UpDownPixelsPerLine->Position(), c.position);
        EXPECT_EQ(f.focusWidget(), edit) << "stepping leaves the focus in the edit";
    }
}

TEST(UpDown, TheEditAcceptsAnyTypedText) {
    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();
    for (const char* typed : {"0", "500", "letters", "-5", " 12x", ""}) {
        f.LabeledEditPixelsPerLine->setFocus();
        f.LabeledEditPixelsPerLine->selectAll();
        QTest::keyClick(f.LabeledEditPixelsPerLine, Qt::Key_Delete);
        QTest::keyClicks(f.LabeledEditPixelsPerLine, typed);
        EXPECT_EQ(f.LabeledEditPixelsPerLine->text(), typed);
        EXPECT_EQ(f.UpDownPixelsPerLine->Position(), 32) << "typing does not move the up-down";
    }
}

TEST(ImageViews, ShowTheirOwnCopyOfAPictureAtItsNaturalSize) {
    const TRasterImage picture = test::MakeImage({{test::kRed, test::kGreen, test::kBlue}, {test::kWhite, test::kBlack, test::kGrey128}});
    const QImage image = ToQImage(picture);
    ASSERT_EQ(image.size(), QSize(3, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const TRGB c = picture.PixelColor(x, y);
            EXPECT_EQ(image.pixelColor(x, y), QColor(c.Red, c.Green, c.Blue)) << x << "," << y;
        }
    EXPECT_TRUE(ToQImage(TRasterImage()).isNull());

    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();
    TRasterImage large = test::MakeFilled(600, 500, test::kBlue);
    f.ImagePreview->SetPicture(large);
    f.ImageMask->SetPicture(large);
    large.SetPixelColor(0, 0, test::kRed);
    EXPECT_EQ(f.ImagePreview->Picture().pixelColor(0, 0), QColor(0, 0, 255)) << "the view keeps a copy";
    EXPECT_EQ(f.ImagePreview->size(), QSize(600, 500)) << "the Image tab takes the picture's size";
    EXPECT_EQ(f.ImageMask->size(), QSize(273, 233)) << "the Mask tab keeps its size";

    f.PageControlOutput->setCurrentWidget(f.TabSheetPreview);
    QTest::qWait(10);
    EXPECT_GT(f.ScrollBoxPreview->horizontalScrollBar()->maximum(), 0) << "a large picture scrolls";
    EXPECT_EQ(f.ImageMask->grab().toImage().pixelColor(0, 0), QColor(0, 0, 255));

    f.ImagePreview->SetPicture(TRasterImage());
    EXPECT_TRUE(f.ImagePreview->Picture().isNull());
}

} // namespace
} // namespace vellomar
