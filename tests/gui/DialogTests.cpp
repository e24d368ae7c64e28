// Browse, About and the dialogs and boxes the desktop builds for them.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "GuiSession.h"
#include "QtDesktop.h"

namespace vellomar {
namespace {

using test::TGuiSession;

const QString kOpenFilter = QStringLiteral("Image Files (*.bmp)|*.bmp|All Files|*.*");
constexpr unsigned kOpenOptions = ofHideReadOnly | ofFileMustExist | ofEnableSizing;

// One of the two Browse commands: its button, its name edit, the control its name enables.
struct TBrowse {
    const char* name;
    std::function<QPushButton*(TFormMain&)> button;
    std::function<TLabeledEdit*(TFormMain&)> edit;
    std::function<QWidget*(TFormMain&)> enables;
};

const TBrowse kBrowses[] = {
    {"image", [](TFormMain& f) { return f.ButtonBrowseInputFile; }, [](TFormMain& f) { return f.LabeledEditInputImage; },
     [](TFormMain& f) { return f.BitBtnConvert; }},
    {"mask", [](TFormMain& f) { return f.ButtonBrowseInputMask; }, [](TFormMain& f) { return f.LabeledEditInputMask; },
     [](TFormMain& f) { return f.CheckBoxUseMask; }},
};

// What a person sees of the window's state: every enabled flag, every text, every tick.
QStringList Snapshot(TFormMain& f) {
    QStringList state;
    for (QWidget* w : f.findChildren<QWidget*>()) {
        state << w->objectName() + (w->isEnabled() ? " on" : " off");
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            state << edit->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            state << (button->isChecked() ? "ticked" : "clear");
    }
    return state;
}

TEST(Browse, ShowsTheSharedDialogStartingFromTheFieldsText) {
    for (const TBrowse& b : kBrowses) {
        for (const char* start : {"", "bare.bmp", "/full/path/to/picture.bmp"}) {
            SCOPED_TRACE(std::string(b.name) + " from \"" + start + '"');
            TGuiSession session;
            TFormMain& f = session.Form();
            session.Show();
            b.edit(f)->setText(start);
            session.Desktop().Cancel();
            QTest::mouseClick(b.button(f), Qt::LeftButton);
            ASSERT_EQ(session.Desktop().Dialogs.size(), 1u);
            const auto& shown = session.Desktop().Dialogs[0];
            EXPECT_EQ(shown.Title, "Input File");
            EXPECT_EQ(shown.Filter, kOpenFilter);
            EXPECT_EQ(shown.FilterIndex, 1);
            EXPECT_EQ(shown.DefaultExt, "bmp");
            EXPECT_EQ(shown.Options, kOpenOptions);
            EXPECT_EQ(shown.FileName, start);
        }
    }
}

TEST(Browse, AConfirmedNameReplacesTheFieldAndRunsItsChangeHandler) {
    for (const TBrowse& b : kBrowses) {
        for (const char* start : {"", "old.bmp"}) {
            SCOPED_TRACE(std::string(b.name) + " from \"" + start + '"');
            TGuiSession session;
            TFormMain& f = session.Form();
            session.Show();
            b.edit(f)->setText(start);
            session.Desktop().Confirm("/pictures/chosen.bmp");
            QTest::mouseClick(b.button(f), Qt::LeftButton);
            EXPECT_EQ(b.edit(f)->text(), "/pictures/chosen.bmp");
            EXPECT_TRUE(b.enables(f)->isEnabled());
            EXPECT_FALSE(f.CheckBoxUseMask->isChecked()) << "browsing does not tick Use Mask";
            EXPECT_FALSE(f.BitBtnSave->isEnabled());
        }
    }
}

TEST(Browse, CancelChangesNothing) {
    for (const TBrowse& b : kBrowses) {
        for (const char* start : {"", "kept.bmp"}) {
            SCOPED_TRACE(std::string(b.name) + " from \"" + start + '"');
            TGuiSession session;
            TFormMain& f = session.Form();
            session.Show();
            b.edit(f)->setText(start);
            const QStringList before = Snapshot(f);
            session.Desktop().Cancel();
            QTest::mouseClick(b.button(f), Qt::LeftButton);
            EXPECT_EQ(Snapshot(f), before);
            EXPECT_EQ(f.OpenDialogInputFile->FilterIndex, 1);
        }
    }
}

TEST(Browse, TheFilterConfirmedLastIsSelectedNextTimeByEitherButton) {
    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();
    auto& desktop = session.Desktop();
    struct Step {
        QPushButton* button;
        int confirmIndex; // 0: cancel with whatever is selected
        int shownIndex;   // the entry selected when the dialog opens
    };
    const Step steps[] = {
        {f.ButtonBrowseInputFile, 2, 1},
        {f.ButtonBrowseInputMask, 0, 2},
        {f.ButtonBrowseInputFile, 0, 2},
        {f.ButtonBrowseInputMask, 1, 2},
        {f.ButtonBrowseInputFile, 0, 1},
    };
    for (const Step& s : steps) {
        if (s.confirmIndex == 0)
            desktop.Cancel();
        else
            desktop.Confirm("/pictures/p.bmp", s.confirmIndex);
        QTest::mouseClick(s.button, Qt::LeftButton);
    }
    ASSERT_EQ(desktop.Dialogs.size(), std::size(steps));
    for (size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(desktop.Dialogs[i].FilterIndex, steps[i].shownIndex) << "showing " << i;
}

TEST(About, ShowsTheSentenceAnEmptyLineAndTheCreditUnderVellomar) {
    TGuiSession session;
    TFormMain& f = session.Form();
    session.Show();
    QTest::mouseClick(f.BitBtnAbout, Qt::LeftButton);
    ASSERT_EQ(session.Desktop().Boxes.size(), 1u);
    const auto& box = session.Desktop().Boxes[0];
    EXPECT_EQ(box.Caption, "Vellomar");
    EXPECT_EQ(box.Flags, 0);
    const QString sentence = QStringLiteral("Convert bitmap images to VRML PixelTexture node\n\n");
    ASSERT_TRUE(box.Text.startsWith(sentence)) << box.Text.toStdString();
    const QString credit = box.Text.mid(sentence.size());
    EXPECT_FALSE(credit.trimmed().isEmpty());
    EXPECT_FALSE(credit.contains(u'\n')) << "the credit is one line";
    EXPECT_EQ(box.Text.toStdString(), AboutText());
}

// The Qt dialogs, built as they would be shown.

QStringList ComboItems(const QFileDialog& dialog) {
    QStringList items;
    const auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (combo != nullptr)
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
    return items;
}

TEST(QtFileDialog, TheOpenDialogIsConfiguredAsTheWindowSetsItUp) {
    TGuiSession session;
    TFormMain& f = session.Form();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString picture = folder.filePath(QStringLiteral("picture.bmp"));

    struct Case {
        const char* fileName; // relative to the folder
        int filterIndex;
        int selectedEntry; // counted from 1
        const char* selectedFile;
    };
    const Case cases[] = {
        {"picture.bmp", 1, 1, "picture.bmp"},
        {"picture.bmp", 2, 2, "picture.bmp"},
        {"typed", 1, 1, "typed.bmp"},       // the default extension is added
        {"picture.bmp", 7, 2, "picture.bmp"}, // an index past the end takes the last entry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName + std::string(" #") + std::to_string(c.filterIndex));
        f.OpenDialogInputFile->FileName = folder.filePath(c.fileName);
        f.OpenDialogInputFile->FilterIndex = c.filterIndex;
        const auto dialog = TQtDesktop::BuildFileDialog(*f.OpenDialogInputFile, &f);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->parentWidget(), &f);
        EXPECT_EQ(dialog->windowTitle(), "Input File");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile) << "only an existing file can be confirmed";
        EXPECT_EQ(dialog->defaultSuffix(), "bmp");
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(dialog->isSizeGripEnabled());
        EXPECT_EQ(dialog->nameFilters(), QStringList({"Image Files (*.bmp) (*.bmp)", "All Files (*)"}));
        EXPECT_EQ(ComboItems(*dialog), QStringList({"Image Files (*.bmp)", "All Files"}));
        const auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->currentIndex(), c.selectedEntry - 1);
        EXPECT_EQ(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
        EXPECT_EQ(dialog->selectedFiles(), QStringList{folder.filePath(c.selectedFile)});
    }

    // What a confirmed dialog gives back.
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    f.OpenDialogInputFile->FileName.clear();
    f.OpenDialogInputFile->FilterIndex = 1;
    const auto dialog = TQtDesktop::BuildFileDialog(*f.OpenDialogInputFile, &f);
    for (int entry : {2, 1}) {
        dialog->selectNameFilter(dialog->nameFilters().at(entry - 1));
        dialog->selectFile(picture);
        TQtDesktop::ReadBack(*dialog, *f.OpenDialogInputFile);
        EXPECT_EQ(f.OpenDialogInputFile->FileName, picture);
        EXPECT_EQ(f.OpenDialogInputFile->FilterIndex, entry);
    }
}

TEST(QtFileDialog, TheSaveDialogAsksBeforeReplacingAndAddsNoExtension) {
    TGuiSession session;
    TFormMain& f = session.Form();
    const auto dialog = TQtDesktop::BuildFileDialog(*f.SaveDialogOutputFile, &f);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
    EXPECT_FALSE(dialog->windowTitle().isEmpty()) << "the platform's own title";
    EXPECT_EQ(ComboItems(*dialog), QStringList({"Text Files (*.txt)", "C Files (*.c)", "C++ Files (*.cpp)",
                                                "VRML Files (*.wrl)", "All Files (*.*)"}));
}

TEST(QtMessageBox, ShowsTheTextAsTextWithOneOkButtonAndTheIconOfItsFlags) {
    TGuiSession session;
    struct Case {
        int flags;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {{MB_OK, QMessageBox::NoIcon}, {MB_OK | MB_ICONERROR, QMessageBox::Critical}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const QString text = QStringLiteral("Cannot open file <b>bold</b>.bmp");
        const auto box = TQtDesktop::BuildMessageBox(&session.Form(), text, "Caption", c.flags);
        EXPECT_EQ(box->windowTitle(), "Caption");
        EXPECT_EQ(box->text(), text);
        EXPECT_EQ(box->textFormat(), Qt::PlainText) << "a file name is never read as markup";
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    }
}

} // namespace
} // namespace vellomar
