#include "common/ui/qtext.h"

#include "common/cp1250.h"

#include <QList>

namespace panolcd {

QString Utf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

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

QString FileNameToQString(std::string_view fileName) {
    return QString::fromUtf8(FileNameToUtf8(fileName));
}

std::string FileNameFromQString(const QString& fileName) {
    return FileNameFromUtf8(fileName.toStdString());
}

std::optional<char32_t> FirstForeignChar(const QString& text) {
    for (const char32_t codePoint : text.toUcs4()) {
        if (!UnicodeToCp1250(codePoint))
            return codePoint;
    }
    return std::nullopt;
}

} // namespace panolcd
