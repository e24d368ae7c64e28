#include "FormMain.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include "Application.h"
#include "ui_FormMain.h"
#include "vellomar/MessageBox.h"

namespace vellomar {

TFormMain* FormMain = nullptr;

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
    // The Convert command is the next step of the build.
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
    // The Save command is the step after Convert.
}

void TFormMain::BitBtnAboutClick(QObject*) {
    Application->MessageBox(AboutText(), "Vellomar", MB_OK);
}

} // namespace vellomar
