#include "qt/qt_file_dialog.h"

#include <QFileDialog>

#include "qt/qt_text.h"

namespace tessorin::qt {

QStringList qtNameFilters(std::string_view filter) {
    QStringList filters;
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    // The pairs end at the first empty part ("||").
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty() && !parts[i + 1].isEmpty(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

std::optional<std::string> QtFileDialog::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(owner_, QString(), toQString(request.initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The filter list shows the names as Windows shows them; the patterns still apply.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(request.filter));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return fromQString(chosen.front());
}

}  // namespace tessorin::qt
