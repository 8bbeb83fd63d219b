#pragma once
// Stored texts (Windows-1250) at the Qt edge.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

QString ToQString(std::string_view cp1250);
// A UTF-8 text of the program's own (captions, labels) as Qt's.
QString Utf8(std::string_view utf8);
// Characters Windows-1250 cannot hold become '?'.
std::string FromQString(const QString& text);
// File names (see FileNameFromUtf8): exact both ways, whatever the name is spelt in.
QString FileNameToQString(std::string_view fileName);
std::string FileNameFromQString(const QString& fileName);
// The first character of the text that Windows-1250 cannot hold.
std::optional<char32_t> FirstForeignChar(const QString& text);

} // namespace panolcd
