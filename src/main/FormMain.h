#pragma once

#include <string>

#include "FileDialog.h"
#include "Form.h"
#include "Image.h"
#include "LabeledEdit.h"
#include "RadioGroup.h"
#include "UpDown.h"
#include "vellomar/ConvertOptions.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace vellomar {

// The application's one window. Its controls are described in FormMain.ui; it owns them all.
class TFormMain : public TForm {
    Q_OBJECT
public:
    QPushButton* ButtonBrowseInputFile = nullptr;
    QPushButton* BitBtnConvert = nullptr;
    QPushButton* BitBtnQuit = nullptr;
    TOpenDialog* OpenDialogInputFile = nullptr;
    QTabWidget* PageControlOutput = nullptr;
    QWidget* TabSheetOutput = nullptr;
    QPlainTextEdit* MemoOutput = nullptr;
    QWidget* TabSheetPreview = nullptr;
    QScrollArea* ScrollBoxPreview = nullptr;
    TImage* ImagePreview = nullptr;
    QPushButton* ButtonBrowseInputMask = nullptr;
    QCheckBox* CheckBoxUseMask = nullptr;
    TRadioGroup* RadioGroupColors = nullptr;
    TRadioGroup* RadioGroupOutput = nullptr;
    TLabeledEdit* LabeledEditPixelsPerLine = nullptr;
    TUpDown* UpDownPixelsPerLine = nullptr;
    TLabeledEdit* LabeledEditInputImage = nullptr;
    TLabeledEdit* LabeledEditInputMask = nullptr;
    QCheckBox* CheckBoxUppercase = nullptr;
    QPushButton* BitBtnSave = nullptr;
    QPushButton* BitBtnAbout = nullptr;
    TSaveDialog* SaveDialogOutputFile = nullptr;
    QWidget* TabSheetMask = nullptr;
    QScrollArea* ScrollBoxMask = nullptr;
    TImage* ImageMask = nullptr;

    void BitBtnQuitClick(QObject* Sender);
    void ButtonBrowseInputFileClick(QObject* Sender);
    void BitBtnConvertClick(QObject* Sender);
    void ButtonBrowseInputMaskClick(QObject* Sender);
    void LabeledEditInputImageChange(QObject* Sender);
    void LabeledEditInputMaskChange(QObject* Sender);
    void BitBtnSaveClick(QObject* Sender);
    void BitBtnAboutClick(QObject* Sender);

    explicit TFormMain(QWidget* Owner = nullptr);

    // The Convert command on the values read from the controls: loads the picture and the mask,
    // shows them, fills MemoOutput with the encoder's lines and enables Save.
    void RunConvert(const QString& imageFileName, const QString& maskFileName, bool useMask,
                    const TConvertOptions& options);

private:
    // Builds the controls from the window description and binds the handlers to their events.
    void BuildControls();
};

extern TFormMain* FormMain;

// The About box's text: what the program does, an empty line, the credit line.
std::string AboutText();

} // namespace vellomar
