#include "common/ui/qtext.h"

#include "common/cp1250.h"

namespace panolcd {

QString ToQString(std::string_view cp1250) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1250.size()));
    for (char c : cp1250)
        out.append(QChar(static_cast<char16_t>(Cp1250ToUnicode(static_cast<std::uint8_t>(c)))));
    return out;
}

std::string FromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const auto byte = UnicodeToCp1250(ch.unicode());
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

} // namespace panolcd
