// Convert and Save through the real window: lines, previews, messages, saved bytes, the desktop hand-off.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBlock>

#include "BitmapWriter.h"
#include "GuiSession.h"
#include "LineVector.h"
#include "TestImages.h"
#include "vellomar/ImageFieldWriter.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using test::kBlack;
using test::kBlue;
using test::kGreen;
using test::kGrey128;
using test::kRed;
using test::kWhite;
using Lines = std::vector<std::string>;

// The view's lines as Save reads them: split at the breaks, a last empty piece is no line.
Lines ViewLines(const QPlainTextEdit& view) {
    Lines lines;
    for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
        if (!(b.text().isEmpty() && !b.next().isValid()))
            lines.push_back(b.text().toStdString());
    return lines;
}

class ConvertSaveTest : public ::testing::Test {
protected:
    void SetUp() override { session_.Show(); }

    TFormMain& Form() { return session_.Form(); }
    test::TScriptedDesktop& Desktop() { return session_.Desktop(); }

    // Fills the controls and presses Convert.
    void Convert(const std::string& image, const std::string& mask = "", bool useMask = false, int style = 0,
                 int colors = 0, const QString& perLine = "32", bool upper = false) {
        Form().LabeledEditInputImage->setText(QString::fromStdString(image));
        Form().LabeledEditInputMask->setText(QString::fromStdString(mask));
        Form().CheckBoxUseMask->setChecked(useMask);
        Form().RadioGroupOutput->Items().at(style)->setChecked(true);
        Form().RadioGroupColors->Items().at(colors)->setChecked(true);
        Form().LabeledEditPixelsPerLine->setText(perLine);
        Form().CheckBoxUppercase->setChecked(upper);
        Form().BitBtnConvert->click();
    }

    Lines Encoded(const TRasterImage& image, const TRasterImage* mask, const TConvertOptions& options) const {
        test::TLineVector lines;
        TImageFieldWriter::Write(image, mask, options, lines);
        return lines.Lines;
    }

    // Presses Save and confirms fileName in the dialog.
    void Save(const fs::path& fileName) {
        Desktop().Confirm(QString::fromStdString(fileName.string()));
        Form().BitBtnSave->click();
    }

    std::vector<QString> BoxTexts() const {
        std::vector<QString> texts;
        for (const auto& box : session_.Desktop().Boxes)
            texts.push_back(box.Text);
        return texts;
    }

    test::TGuiSession session_;
    test::TTempDir dir_;
    const TRasterImage image_ = test::MakeImage({{kRed, kGreen, kBlue}, {kBlack, kWhite, kGrey128}});
    const TRasterImage mask_ = test::MakeImage({{kWhite, kWhite, kBlack}, {kBlack, kGrey128, kWhite}});
    const TRasterImage other_ = test::MakeFilled(5, 4, kBlue);
    const std::string imageFile_ = dir_.Write("image.bmp", test::Bitmap24(image_));
    const std::string maskFile_ = dir_.Write("mask.bmp", test::Bitmap24(mask_));
    const std::string otherFile_ = dir_.Write("other.bmp", test::Bitmap24(other_));
    const std::string emptyFile_ = dir_.Write("empty.bmp", {});
    const std::string missingFile_ = (dir_.Path() / "missing.bmp").string();
};

TEST_F(ConvertSaveTest, ConvertFillsTheViewWithTheEncoderLines) {
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    Convert(imageFile_, maskFile_, true, 1, 1, " 2x", true);
    EXPECT_EQ(ViewLines(*Form().MemoOutput), Encoded(image_, &mask_, {cmGrayscale, osCSource, 2, true}));
    EXPECT_TRUE(Desktop().Boxes.empty());
    EXPECT_EQ(Form().ImagePreview->Picture().size(), QSize(3, 2));
    EXPECT_EQ(Form().ImageMask->Picture().size(), QSize(3, 2));
    EXPECT_EQ(Form().ImagePreview->Picture().pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_TRUE(Form().BitBtnSave->isEnabled());
    EXPECT_FALSE(Form().MemoOutput->isHidden());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor); // the cursor set before is back
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Form().PageControlOutput->currentWidget(), Form().TabSheetMask); // the tab is not switched

    // A second conversion replaces every line of the first.
    Convert(otherFile_, "", false, 2);
    EXPECT_EQ(ViewLines(*Form().MemoOutput), Encoded(other_, nullptr, {cmRGB, osVRMLBox, 32, false}));
    EXPECT_TRUE(Form().ImageMask->Picture().isNull());
}

TEST_F(ConvertSaveTest, MaskCases) {
    const std::string narrow = dir_.Write("narrow.bmp", test::Bitmap24(test::MakeFilled(2, 2, kWhite)));
    const std::string low = dir_.Write("low.bmp", test::Bitmap24(test::MakeFilled(3, 1, kWhite)));
    struct Case {
        std::string mask;
        bool useMask;
        std::vector<QString> boxes;
        bool masked;
    };
    const Case cases[] = {
        {maskFile_, true, {}, true},
        {emptyFile_, true, {"Cannot load the mask"}, false},
        {narrow, true, {"Mask dimensions differ from image"}, false},
        {low, true, {"Mask dimensions differ from image"}, false},
        {missingFile_, false, {}, false}, // not wanted: never opened
        {"", true, {}, false},
    };
    for (const Case& c : cases) {
        Desktop().Boxes.clear();
        Convert(imageFile_, c.mask, c.useMask);
        EXPECT_EQ(BoxTexts(), c.boxes) << c.mask;
        for (const auto& box : Desktop().Boxes) {
            EXPECT_EQ(box.Caption, "Error");
            EXPECT_EQ(box.Flags, 16);
        }
        EXPECT_EQ(ViewLines(*Form().MemoOutput), Encoded(image_, c.masked ? &mask_ : nullptr, {}));
        EXPECT_EQ(Form().ImageMask->Picture().isNull(), !c.masked);
        EXPECT_TRUE(Form().BitBtnSave->isEnabled());
    }
}

TEST_F(ConvertSaveTest, FailuresLeaveTheWindowAsWritten) {
    struct Case {
        std::string image;
        std::string mask;
        QString box;
        QString caption;
        bool imageChanged;
        bool saveEnabled;
    };
    const Case cases[] = {
        {missingFile_, "", "Cannot open file " + QString::fromStdString(missingFile_) + ".", "Gui_tests", false, true},
        {emptyFile_, "", "Cannot load the bitmap", "Error", true, false},
        {otherFile_, missingFile_, "Cannot open file " + QString::fromStdString(missingFile_) + ".", "Gui_tests", true,
         true},
    };
    for (const Case& c : cases) {
        Desktop().Boxes.clear();
        Convert(imageFile_, maskFile_, true); // a good conversion first
        const QImage maskBefore = Form().ImageMask->Picture();
        Convert(c.image, c.mask, true);
        ASSERT_EQ(Desktop().Boxes.size(), 1u) << c.image;
        EXPECT_EQ(Desktop().Boxes[0].Text, c.box);
        EXPECT_EQ(Desktop().Boxes[0].Caption.toLower(), c.caption.toLower());
        EXPECT_TRUE(ViewLines(*Form().MemoOutput).empty());
        if (c.image == emptyFile_)
            EXPECT_TRUE(Form().ImagePreview->Picture().isNull());
        else
            EXPECT_EQ(Form().ImagePreview->Picture().size(), c.imageChanged ? QSize(5, 4) : QSize(3, 2));
        EXPECT_EQ(Form().ImageMask->Picture(), maskBefore) << "the Mask tab keeps the previous mask";
        EXPECT_EQ(Form().BitBtnSave->isEnabled(), c.saveEnabled);
        EXPECT_FALSE(Form().MemoOutput->isHidden());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST_F(ConvertSaveTest, SavedBytesFollowTheViewsLines) {
    struct Case { QString text; std::string bytes; };
    const Case cases[] = {
        {"", ""},
        {"ab\n", "ab\r\n"},
        {"a\nb", "a\r\nb\r\n"},          // no final break
        {"a\n\n", "a\r\n\r\n"},          // two final breaks leave one empty line
        {"a\n\nb\n", "a\r\n\r\nb\r\n"},  // an empty line inside
        {QString("x") + QChar::LineSeparator + "y", "x\r\ny\r\n"}, // a break inside a line
        {QString::fromUtf8("\xC3\xA9t\xC3\xA9\n"), "\xC3\xA9t\xC3\xA9\r\n"},
        {QString(10000, 'f'), std::string(10000, 'f') + "\r\n"}, // no line length limit
    };
    Convert(imageFile_);
    int n = 0;
    for (const Case& c : cases) {
        Form().MemoOutput->setPlainText(c.text);
        const fs::path target = dir_.Path() / ("saved" + std::to_string(n++));
        Save(target);
        EXPECT_EQ(test::ReadFileBytes(target), c.bytes) << c.text.left(20).toStdString();
    }
    // Pasted text with line feeds reaches the file with CR LF.
    Form().MemoOutput->clear();
    Form().MemoOutput->insertPlainText("p\nq");
    Save(dir_.Path() / "pasted");
    EXPECT_EQ(test::ReadFileBytes(dir_.Path() / "pasted"), "p\r\nq\r\n");
    EXPECT_TRUE(Desktop().Boxes.empty());
}

TEST_F(ConvertSaveTest, SaveAfterConvertWritesTheLinesAndHandsVrmlToTheDesktop) {
    Convert(imageFile_, maskFile_, true, 0);
    const Lines lines = ViewLines(*Form().MemoOutput);
    std::string expected;
    for (const std::string& l : lines)
        expected += l + "\r\n";

    struct Case { int style; int filterIndex; bool opened; };
    for (const Case& c : {Case{0, 1, false}, Case{1, 2, false}, Case{2, 4, true}}) {
        Desktop().OpenedDocuments.clear();
        Form().RadioGroupOutput->Items().at(c.style)->setChecked(true); // save in another style than converted
        const fs::path target = dir_.Path() / ("out" + std::to_string(c.style)); // no extension is added
        Save(target);
        EXPECT_EQ(Desktop().Dialogs.back().FilterIndex, c.filterIndex);
        EXPECT_EQ(test::ReadFileBytes(target), expected);
        EXPECT_EQ(Desktop().OpenedDocuments,
                  c.opened ? std::vector<QString>{QString::fromStdString(target.string())} : std::vector<QString>{});
    }
    // The dialog: the five entries, an overwrite prompt, no default extension, the last name filled in.
    const auto& shown = Desktop().Dialogs;
    EXPECT_EQ(shown[0].Filter, "Text Files (*.txt)|*.txt|C Files (*.c)|*.c|C++ Files (*.cpp)|*.cpp|"
                               "VRML Files (*.wrl)|*.wrl|All Files (*.*)|*.*");
    EXPECT_TRUE(shown[0].Options & ofOverwritePrompt);
    EXPECT_EQ(shown[0].DefaultExt, "");
    EXPECT_EQ(shown[0].FileName, "");
    EXPECT_EQ(shown[1].FileName, QString::fromStdString((dir_.Path() / "out0").string()));
}

TEST_F(ConvertSaveTest, AnExistingFileIsRewrittenInPlace) {
    Convert(imageFile_);
    const fs::path target = dir_.Path() / "existing.txt";
    const fs::path link = dir_.Path() / "link.txt";
    std::ofstream(target) << std::string(5000, 'z');
    fs::create_hard_link(target, link);
    Save(target);
    EXPECT_EQ(test::ReadFileBytes(link), test::ReadFileBytes(target));
    EXPECT_EQ(test::ReadFileBytes(target).substr(0, 11), "image 3 2 3");
}

TEST_F(ConvertSaveTest, CancelAndFailedSavesTouchNothingAndCallNoDesktop) {
    Convert(imageFile_, "", false, 2); // the VRML box style, where a good save opens the file
    const Lines before = ViewLines(*Form().MemoOutput);

    Desktop().Cancel();
    Form().BitBtnSave->click();
    EXPECT_TRUE(Desktop().Boxes.empty());

    struct Case { fs::path target; QString box; };
    std::vector<Case> cases = {
        {dir_.Path() / "no-folder" / "x.wrl", "Cannot create output file"},
        {dir_.Path(), "Cannot create output file"}, // a folder
    };
    if (fs::exists("/dev/full"))
        cases.push_back({"/dev/full", "Cannot write output file"});
    for (const Case& c : cases) {
        Desktop().Boxes.clear();
        Save(c.target);
        ASSERT_EQ(Desktop().Boxes.size(), 1u) << c.target;
        EXPECT_EQ(Desktop().Boxes[0].Text, c.box);
        EXPECT_EQ(Desktop().Boxes[0].Caption, "Error");
        EXPECT_EQ(Desktop().Boxes[0].Flags, 16);
    }
    EXPECT_FALSE(fs::exists(dir_.Path() / "no-folder"));
    EXPECT_TRUE(Desktop().OpenedDocuments.empty());
    EXPECT_EQ(ViewLines(*Form().MemoOutput), before); // nothing the user has is lost
    EXPECT_TRUE(Form().BitBtnSave->isEnabled());
}

} // namespace
} // namespace vellomar
