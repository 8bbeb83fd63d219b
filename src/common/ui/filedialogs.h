#pragma once
// File dialogs from filter texts in the classic form "Caption (*.a)|*.a|All|*.*".

#include <QStringList>

#include <optional>
#include <string>

class QWidget;

namespace panolcd {

// Unattended runs show no file dialog: every one answers as if cancelled.
void SuppressFileDialogs(bool suppressed);
bool FileDialogsSuppressed();

// Qt's name filters of a classic filter text (UTF-8); upper-case patterns are added, since file
// systems here tell letter case apart.
QStringList NameFilters(const char* filters);

// The open dialog for an existing file: `title` and `filters` UTF-8, `suffix` the default
// extension (may be empty), `initialDir` a stored name. The chosen file's stored name, none when
// cancelled.
std::optional<std::string> AskOpenFileName(QWidget* parent, const char* title, const char* filters,
                                           const char* suffix, const std::string& initialDir);

// The save dialog, asking before it overwrites: as AskOpenFileName, starting with `fileName`.
std::optional<std::string> AskSaveFileName(QWidget* parent, const char* title, const char* filters,
                                           const char* suffix, const std::string& initialDir,
                                           const std::string& fileName);

} // namespace panolcd
