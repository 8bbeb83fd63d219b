#include "common/ui/filedialogs.h"

#include "common/ui/qtext.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

namespace panolcd {
namespace {
bool fileDialogsSuppressed = false;
}

void SuppressFileDialogs(bool suppressed) {
    fileDialogsSuppressed = suppressed;
}

bool FileDialogsSuppressed() {
    return fileDialogsSuppressed;
}

QStringList NameFilters(const char* filters) {
    const QStringList parts = QString::fromUtf8(filters).split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';')) {
            patterns << pattern;
            if (pattern != "*.*")
                patterns << pattern.toUpper();
        }
        QString caption = parts[i];
        caption.remove(QRegularExpression(R"(\s*\(.*\)$)"));
        result << caption + " (" + patterns.join(' ') + ")";
    }
    return result;
}

std::optional<std::string> AskOpenFileName(QWidget* parent, const char* title, const char* filters,
                                           const char* suffix, const std::string& initialDir) {
    if (fileDialogsSuppressed)
        return std::nullopt;
    QFileDialog dialog(parent, QString::fromUtf8(title), FileNameToQString(initialDir));
    dialog.setNameFilters(NameFilters(filters));
    dialog.setDefaultSuffix(QString::fromUtf8(suffix));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileNameFromQString(dialog.selectedFiles().front());
}

std::optional<std::string> AskSaveFileName(QWidget* parent, const char* title, const char* filters,
                                           const char* suffix, const std::string& initialDir,
                                           const std::string& fileName) {
    if (fileDialogsSuppressed)
        return std::nullopt;
    QFileDialog dialog(parent, QString::fromUtf8(title), FileNameToQString(initialDir));
    dialog.setNameFilters(NameFilters(filters));
    dialog.setDefaultSuffix(QString::fromUtf8(suffix));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!fileName.empty())
        dialog.selectFile(FileNameToQString(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileNameFromQString(dialog.selectedFiles().front());
}

} // namespace panolcd
