#include "framework/records/initiatorcoll.h"

#include "common/text.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"

namespace panolcd {

TRecElIniciatorObj* TRecIniciatorColl::Iniciator(int index) const {
    return dynamic_cast<TRecElIniciatorObj*>(At(index));
}

std::vector<TRecElIniciatorObj*>& TRecIniciatorColl::HeaderElColl() {
    if (!headerElColl_)
        headerElColl_ = std::make_unique<std::vector<TRecElIniciatorObj*>>();
    return *headerElColl_;
}

TrbCollection::Item TRecIniciatorColl::AtDelete(int index) {
    headerElColl_.reset();
    return TrbCollection::AtDelete(index);
}

std::vector<TrbCollection::Item> TRecIniciatorColl::DeleteAll() {
    headerElColl_.reset();
    return TrbCollection::DeleteAll();
}

void TRecIniciatorColl::AssignRecValues(std::uint8_t* buffer) const {
    std::size_t offset = 0;
    for (int i = 0; i < Count(); ++i) {
        if (const auto* iniciator = Iniciator(i)) {
            iniciator->AssignValue(buffer + offset);
            offset += iniciator->GetElSize();
        }
    }
}

std::uint16_t TRecIniciatorColl::GetIniciatorRecSize() const {
    std::uint16_t size = 0;
    for (int i = 0; i < Count(); ++i) {
        if (const auto* iniciator = Iniciator(i))
            size = static_cast<std::uint16_t>(size + iniciator->GetElSize());
    }
    return size;
}

int TRecIniciatorColl::DefineHeaderEl(std::string_view name) {
    name = name.substr(0, TRecElIniciatorObj::kNameMax);
    TRecElIniciatorObj* found = nullptr;
    for (int i = 0; i < Count() && found == nullptr; ++i) {
        auto* iniciator = Iniciator(i);
        if (iniciator != nullptr && SameTextAscii(iniciator->IniName(), name))
            found = iniciator;
    }
    auto& columns = HeaderElColl();
    columns.push_back(found);
    return static_cast<int>(columns.size()) - 1;
}

bool TRecIniciatorColl::ImportHeaderListOK(TLexicalElemReader& reader) {
    HeaderElColl().clear();
    if (reader.NextChar() != '[') {
        reader.Expected('[');
        return false;
    }
    while (!reader.IsError()) {
        const std::string name = reader.ReadString();
        if (reader.IsError())
            break;
        const char c = reader.NextChar();
        if (c == ';' || c == ']') {
            DefineHeaderEl(name);
            if (c == ']')
                break;
        } else if (c == '<') {
            reader.Expected(']');
        } else {
            reader.Expected(';');
        }
    }
    return !reader.IsError();
}

bool TRecIniciatorColl::ImportColumn(TLexicalElemReader& reader, TRecElIniciatorObj* iniciator,
                                     bool& nested, char separator) {
    char c = 0;
    if (iniciator != nullptr) {
        if (iniciator->ImportValue(reader))
            nested = true;
        if (reader.IsError())
            return false;
        c = reader.NextChar();
    } else {
        c = reader.SkipValue();
    }
    if (reader.IsError())
        return false;
    if (c != ';' && c != separator) {
        reader.Expected(';');
        return false;
    }
    return true;
}

bool TRecIniciatorColl::ImportHeaderValuesOK(TLexicalElemReader& reader, bool& nested) {
    nested = false;
    if (reader.CurrentChar() != '(' && reader.NextChar() != '(') {
        reader.Expected('(');
        return false;
    }
    for (TRecElIniciatorObj* iniciator : HeaderElColl()) {
        if (!ImportColumn(reader, iniciator, nested, ')'))
            break;
    }
    return !reader.IsError();
}

bool TRecIniciatorColl::ImportRecordCSVValuesOK(TLexicalElemReader& reader, bool& nested,
                                                char csvSeparator) {
    nested = false;
    for (int i = 0; i < Count(); ++i) {
        auto* iniciator = Iniciator(i);
        if (iniciator != nullptr && !ImportColumn(reader, iniciator, nested, csvSeparator))
            break;
    }
    return !reader.IsError();
}

// A quoted name goes to the writer as one piece, so that a line break never falls inside the
// quotes (the reader would take it into the name).
void TRecIniciatorColl::ExportHeaderList(TLexicalElemWriter& writer) const {
    writer.AppendChar('[');
    bool first = true;
    for (int i = 0; i < Count(); ++i) {
        const auto* iniciator = Iniciator(i);
        if (iniciator == nullptr)
            continue;
        if (!first)
            writer.AppendChar(';');
        first = false;
        writer.Append("'" + iniciator->IniName() + "'");
    }
    writer.AppendChar(']');
}

void TRecIniciatorColl::ExportRecordValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    writer.AppendChar('(');
    std::size_t offset = 0;
    bool first = true;
    for (int i = 0; i < Count(); ++i) {
        auto* iniciator = Iniciator(i);
        if (iniciator == nullptr)
            continue;
        if (!first)
            writer.AppendChar(';');
        first = false;
        iniciator->ExportValue(data + offset, writer);
        offset += iniciator->GetElSize();
    }
    writer.AppendChar(')');
}

bool TRecIniciatorColl::TestUniqueHeaderNames(int& index, std::string& name,
                                              std::size_t capacity) const {
    for (int i = 0; i < Count(); ++i) {
        const auto* earlier = Iniciator(i);
        if (earlier == nullptr)
            continue;
        for (int j = i + 1; j < Count(); ++j) {
            const auto* later = Iniciator(j);
            if (later != nullptr && SameTextAscii(earlier->IniName(), later->IniName())) {
                index = i;
                name = earlier->IniName().substr(0, capacity);
                return false;
            }
        }
    }
    index = -1;
    name.clear();
    return true;
}

void TRecIniciatorColl::GetInicCollCSVHeaderStr(std::string& text) const {
    for (int i = 0; i < Count(); ++i) {
        if (const auto* iniciator = Iniciator(i))
            text += "\"" + iniciator->IniName() + "\";";
    }
}

} // namespace panolcd
