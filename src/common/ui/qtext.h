#pragma once
// Stored texts (Windows-1250) at the Qt edge.

#include <QString>

#include <string>
#include <string_view>

namespace panolcd {

QString ToQString(std::string_view cp1250);
// Characters Windows-1250 cannot hold become '?'.
std::string FromQString(const QString& text);

} // namespace panolcd
