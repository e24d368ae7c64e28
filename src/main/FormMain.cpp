#include "FormMain.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include <optional>

#include <QFile>
#include <QGuiApplication>

#include "Application.h"
#include "MemoOutputLines.h"
#include "OutputFile.h"
#include "ui_FormMain.h"
#include "vellomar/ImageFieldWriter.h"
#include "vellomar/MaskLoading.h"
#include "vellomar/MessageBox.h"
#include "vellomar/Messages.h"
#include "vellomar/RasterImage.h"

namespace vellomar {

TFormMain* FormMain = nullptr;

namespace {

constexpr int kErrorFlags = MB_OK | MB_ICONERROR;

// File names go to the loader in the file system's own encoding.
std::string FileNameBytes(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

// The hourglass and a hidden view while the encoder runs, so the view is not redrawn per line.
// Both come back however the encoder ends: the view first, then the cursor that was set before.
class TBusyView {
public:
    explicit TBusyView(QWidget& view) : view_(view) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        view_.setVisible(false);
    }
    ~TBusyView() {
        view_.setVisible(true);
        QGuiApplication::restoreOverrideCursor();
    }
    TBusyView(const TBusyView&) = delete;
    TBusyView& operator=(const TBusyView&) = delete;

private:
    QWidget& view_;
};

TOutputStyle OutputStyleOf(int itemIndex) {
    return itemIndex == 1 ? osCSource : itemIndex == 2 ? osVRMLBox : osPlainText;
}

} // namespace

std::string AboutText() {
    return "Convert bitmap images to VRML PixelTexture node\n\n" +
           TFormMain::tr("Written by the Vellomar developers").toStdString();
}

TFormMain::TFormMain(QWidget* Owner) : TForm(Owner) {
    BuildControls();
    BitBtnConvert->setEnabled(false);
    BitBtnSave->setEnabled(false);
    CheckBoxUseMask->setEnabled(false);
}

void TFormMain::BuildControls() {
    Ui::TFormMain form;
    form.setupUi(this);
    ButtonBrowseInputFile = form.ButtonBrowseInputFile;
    BitBtnConvert = form.BitBtnConvert;
    BitBtnQuit = form.BitBtnQuit;
    PageControlOutput = form.PageControlOutput;
    TabSheetOutput = form.TabSheetOutput;
    MemoOutput = form.MemoOutput;
    TabSheetPreview = form.TabSheetPreview;
    ScrollBoxPreview = form.ScrollBoxPreview;
    ImagePreview = form.ImagePreview;
    ButtonBrowseInputMask = form.ButtonBrowseInputMask;
    CheckBoxUseMask = form.CheckBoxUseMask;
    RadioGroupColors = form.RadioGroupColors;
    RadioGroupOutput = form.RadioGroupOutput;
    LabeledEditPixelsPerLine = form.LabeledEditPixelsPerLine;
    UpDownPixelsPerLine = form.UpDownPixelsPerLine;
    LabeledEditInputImage = form.LabeledEditInputImage;
    LabeledEditInputMask = form.LabeledEditInputMask;
    CheckBoxUppercase = form.CheckBoxUppercase;
    BitBtnSave = form.BitBtnSave;
    BitBtnAbout = form.BitBtnAbout;
    TabSheetMask = form.TabSheetMask;
    ScrollBoxMask = form.ScrollBoxMask;
    ImageMask = form.ImageMask;

    OpenDialogInputFile = new TOpenDialog(this);
    OpenDialogInputFile->Title = QStringLiteral("Input File");
    OpenDialogInputFile->Filter = QStringLiteral("Image Files (*.bmp)|*.bmp|All Files|*.*");
    OpenDialogInputFile->FilterIndex = 1;
    OpenDialogInputFile->DefaultExt = QStringLiteral("bmp");
    OpenDialogInputFile->Options = ofHideReadOnly | ofFileMustExist | ofEnableSizing;

    SaveDialogOutputFile = new TSaveDialog(this);
    SaveDialogOutputFile->Filter = QStringLiteral(
        "Text Files (*.txt)|*.txt|C Files (*.c)|*.c|C++ Files (*.cpp)|*.cpp|VRML Files (*.wrl)|*.wrl|All Files (*.*)|*.*");
    SaveDialogOutputFile->Options = ofOverwritePrompt | ofHideReadOnly | ofEnableSizing;

    // The memo starts holding one empty line: one line break.
    MemoOutput->setPlainText(QStringLiteral("\n"));
    UpDownPixelsPerLine->setAssociate(LabeledEditPixelsPerLine);

    // A fixed dialog frame: a title bar with the system menu and the close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    move(192, 109);
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    setAutoFillBackground(true);

    SetDefaultButton(BitBtnConvert);
    SetCancelButton(BitBtnQuit);
    FinishBuilding();

    const auto bind = [this](auto* control, auto signal, void (TFormMain::*handler)(QObject*)) {
        connect(control, signal, this, [this, control, handler] {
            Application->Dispatch([this, control, handler] { (this->*handler)(control); });
        });
    };
    bind(BitBtnQuit, &QPushButton::clicked, &TFormMain::BitBtnQuitClick);
    bind(ButtonBrowseInputFile, &QPushButton::clicked, &TFormMain::ButtonBrowseInputFileClick);
    bind(BitBtnConvert, &QPushButton::clicked, &TFormMain::BitBtnConvertClick);
    bind(ButtonBrowseInputMask, &QPushButton::clicked, &TFormMain::ButtonBrowseInputMaskClick);
    bind(LabeledEditInputImage, &QLineEdit::textChanged, &TFormMain::LabeledEditInputImageChange);
    bind(LabeledEditInputMask, &QLineEdit::textChanged, &TFormMain::LabeledEditInputMaskChange);
    bind(BitBtnSave, &QPushButton::clicked, &TFormMain::BitBtnSaveClick);
    bind(BitBtnAbout, &QPushButton::clicked, &TFormMain::BitBtnAboutClick);
}

void TFormMain::BitBtnQuitClick(QObject*) {
    close();
}

void TFormMain::ButtonBrowseInputFileClick(QObject*) {
    OpenDialogInputFile->FileName = LabeledEditInputImage->text();
    if (OpenDialogInputFile->Execute())
        LabeledEditInputImage->setText(OpenDialogInputFile->FileName);
}

void TFormMain::BitBtnConvertClick(QObject*) {
    const TConvertOptions options{
        RadioGroupColors->ItemIndex() == 1 ? cmGrayscale : cmRGB,
        OutputStyleOf(RadioGroupOutput->ItemIndex()),
        ReadPixelsPerLine(LabeledEditPixelsPerLine->text().toStdString()),
        CheckBoxUppercase->isChecked(),
    };
    RunConvert(LabeledEditInputImage->text(), LabeledEditInputMask->text(), CheckBoxUseMask->isChecked(), options);
}

void TFormMain::RunConvert(const QString& imageFileName, const QString& maskFileName, bool useMask,
                           const TConvertOptions& options) {
    MemoOutput->clear();
    TRasterImage image;
    image.LoadFromFile(FileNameBytes(imageFileName));
    ImagePreview->SetPicture(image);
    if (image.Empty()) {
        Application->MessageBox(kCannotLoadBitmap, kErrorCaption, kErrorFlags);
        BitBtnSave->setEnabled(false);
        return;
    }
    std::optional<TRasterImage> mask;
    const std::string maskName = FileNameBytes(maskFileName);
    if (MaskWanted(maskName, useMask))
        mask = LoadMask(maskName, image, *Application);
    ImageMask->SetPicture(mask ? *mask : TRasterImage());
    {
        const TBusyView busy(*MemoOutput);
        TMemoOutputLines lines(*MemoOutput);
        TImageFieldWriter::Write(image, mask ? &*mask : nullptr, options, lines);
        lines.Flush();
    }
    BitBtnSave->setEnabled(true);
}

void TFormMain::ButtonBrowseInputMaskClick(QObject*) {
    OpenDialogInputFile->FileName = LabeledEditInputMask->text();
    if (OpenDialogInputFile->Execute())
        LabeledEditInputMask->setText(OpenDialogInputFile->FileName);
}

void TFormMain::LabeledEditInputImageChange(QObject*) {
    BitBtnConvert->setEnabled(!LabeledEditInputImage->text().isEmpty());
}

void TFormMain::LabeledEditInputMaskChange(QObject*) {
    CheckBoxUseMask->setEnabled(!LabeledEditInputMask->text().isEmpty());
}

void TFormMain::BitBtnSaveClick(QObject*) {
    // The file type offered follows the style selected now, not the one that made the lines.
    const TOutputStyle style = OutputStyleOf(RadioGroupOutput->ItemIndex());
    SaveDialogOutputFile->FilterIndex = style == osCSource ? 2 : style == osVRMLBox ? 4 : 1;
    if (!SaveDialogOutputFile->Execute())
        return;
    switch (WriteOutputFile(SaveDialogOutputFile->FileName, *MemoOutput->document())) {
    case TSaveResult::CannotCreate:
        Application->MessageBox(kCannotCreateOutput, kErrorCaption, kErrorFlags);
        return;
    case TSaveResult::CannotWrite:
        // A partial file is not handed on; the view keeps its lines, so Save can be tried again.
        Application->MessageBox(kCannotWriteOutput, kErrorCaption, kErrorFlags);
        return;
    case TSaveResult::Saved:
        break;
    }
    if (style == osVRMLBox)
        Application->Desktop().OpenDocument(this, SaveDialogOutputFile->FileName);
}

void TFormMain::BitBtnAboutClick(QObject*) {
    Application->MessageBox(AboutText(), "Vellomar", MB_OK);
}

} // namespace vellomar
