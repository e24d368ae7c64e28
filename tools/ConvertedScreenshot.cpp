// Renders the window after converting the samples, as a user would see it: picture and mask named,
// Use Mask ticked, the VRML box style, Convert pressed, the Output tab opened. Offscreen, no display.
// Usage: converted_screenshot PICTURE MASK OUT.png
#include <cstdio>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "Application.h"
#include "FormMain.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: converted_screenshot PICTURE MASK OUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    using namespace vellomar;
    TApplication application(argc, argv);
    application.Initialize();
    application.CreateForm(FormMain);
    FormMain->show();
    FormMain->LabeledEditInputImage->setText(QString::fromLocal8Bit(argv[1]));
    FormMain->LabeledEditInputMask->setText(QString::fromLocal8Bit(argv[2]));
    FormMain->CheckBoxUseMask->setChecked(true);
    FormMain->RadioGroupOutput->Items().at(osVRMLBox)->setChecked(true);
    FormMain->BitBtnConvert->click();
    FormMain->PageControlOutput->setCurrentWidget(FormMain->TabSheetOutput);
    QApplication::processEvents();
    return FormMain->grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
