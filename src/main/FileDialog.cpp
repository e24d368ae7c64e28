#include "FileDialog.h"

#include <QStringList>
#include <QWidget>

#include "Application.h"

namespace vellomar {

std::vector<TFilterEntry> ParseFilter(const QString& filter) {
    std::vector<TFilterEntry> entries;
    if (filter.isEmpty())
        return entries;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.push_back({parts[i], parts[i + 1]});
    return entries;
}

TOpenDialog::TOpenDialog(QWidget* owner, TDialogKind kind) : QObject(owner), owner_(owner), kind_(kind) {}

bool TOpenDialog::Execute() {
    return Application->Desktop().ExecuteFileDialog(*this, owner_);
}

} // namespace vellomar
