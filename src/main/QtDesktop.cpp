#include "QtDesktop.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>
#include <QMessageBox>

#include "FileDialog.h"
#include "vellomar/MessageBox.h"

namespace vellomar {

namespace {

constexpr int kIconMask = 0xF0;

} // namespace

QStringList NameFilters(const QString& filter) {
    QStringList result;
    for (const TFilterEntry& entry : ParseFilter(filter)) {
        QStringList patterns = entry.Pattern.split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file; here it would skip the names that have no extension.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        result << entry.Description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return result;
}

int TQtDesktop::MessageBox(QWidget* owner, const QString& text, const QString& caption, int flags) {
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(owner, text, caption, flags);
    box->exec();
    return IDOK;
}

std::unique_ptr<QMessageBox> TQtDesktop::BuildMessageBox(QWidget* owner, const QString& text, const QString& caption,
                                                         int flags) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(caption);
    // Messages carry file names as the user typed them: show them as text, never as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setIcon((flags & kIconMask) == MB_ICONERROR ? QMessageBox::Critical : QMessageBox::NoIcon);
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

bool TQtDesktop::ExecuteFileDialog(TOpenDialog& settings, QWidget* owner) {
    const std::unique_ptr<QFileDialog> dialog = BuildFileDialog(settings, owner);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    ReadBack(*dialog, settings);
    return true;
}

void TQtDesktop::OpenDocument(QWidget*, const QString& fileName) {
    (void)QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

std::unique_ptr<QFileDialog> TQtDesktop::BuildFileDialog(const TOpenDialog& settings, QWidget* owner) {
    auto dialog = std::make_unique<QFileDialog>(owner);
    // Qt's own dialog, so that the title, the filter names and the must-exist check are the same
    // on every desktop.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The filter list shows each entry's description as written, without Qt's pattern suffix.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(settings.Kind() == TDialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode((settings.Options & ofFileMustExist) != 0 ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, (settings.Options & ofOverwritePrompt) == 0);
    dialog->setSizeGripEnabled((settings.Options & ofEnableSizing) != 0);
    // ofHideReadOnly needs nothing: this dialog has no read-only check box.
    if (!settings.Title.isEmpty())
        dialog->setWindowTitle(settings.Title);

    const QStringList filters = NameFilters(settings.Filter);
    dialog->setNameFilters(filters);
    if (!filters.isEmpty()) {
        const qsizetype index = std::clamp<qsizetype>(settings.FilterIndex, 1, filters.size()) - 1;
        dialog->selectNameFilter(filters.at(index));
    }
    dialog->setDefaultSuffix(settings.DefaultExt);
    if (!settings.FileName.isEmpty())
        dialog->selectFile(settings.FileName);
    return dialog;
}

void TQtDesktop::ReadBack(const QFileDialog& dialog, TOpenDialog& settings) {
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        settings.FileName = files.first();
    // With the details hidden Qt names the selected entry by its description alone.
    const QString selected = dialog.selectedNameFilter();
    const QStringList filters = dialog.nameFilters();
    const std::vector<TFilterEntry> entries = ParseFilter(settings.Filter);
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const bool isDescription = i < static_cast<qsizetype>(entries.size()) &&
                                   entries[static_cast<std::size_t>(i)].Description == selected;
        if (filters[i] == selected || isDescription) {
            settings.FilterIndex = static_cast<int>(i) + 1;
            break;
        }
    }
}

} // namespace vellomar
