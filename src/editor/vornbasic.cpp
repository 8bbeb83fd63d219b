#include "editor/vornbasic.h"

#include "common/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <mutex>

namespace panolcd {
namespace {

// The tables give colours as red-green-blue; the editor keeps 0x00BBGGRR.
constexpr std::uint32_t Rgb(std::uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

struct VornElement {
    const char* name; // Windows-1250
    bool styleApplies;
    std::array<TLexElementMap, 3> schemes;
};

const std::array<VornElement, vorn::kElementCount> kElements = {{
    {"Oby\xE8"
     "ejn\xFD text",
     true,
     {{{Rgb(0x000000), Rgb(0xFFFFFF), 0},
       {Rgb(0x00FFFF), Rgb(0x000000), 0},
       {Rgb(0xFFFF00), Rgb(0x000080), 0}}}},
    {"Ozna\xE8"
     "en\xFD text",
     false,
     {{{Rgb(0xFFFFFF), Rgb(0x000080), 0},
       {Rgb(0x000000), Rgb(0xC0C0C0), 0},
       {Rgb(0x000000), Rgb(0x808080), 0}}}},
    {"Mezery",
     true,
     {{{Rgb(0x000000), Rgb(0xFFFFFF), 0},
       {Rgb(0xFFFFFF), Rgb(0x000000), 0},
       {Rgb(0xFFFF00), Rgb(0x000080), 0}}}},
    {"Prav\xFD okraj",
     false,
     {{{Rgb(0xC0C0C0), Rgb(0xFFFFFF), 0},
       {Rgb(0xC0C0C0), Rgb(0x000000), 0},
       {Rgb(0x808080), Rgb(0x000080), 0}}}},
    {"Panel",
     false,
     {{{Rgb(0x808080), Rgb(0xC0C0C0), 0},
       {Rgb(0x808080), Rgb(0xC0C0C0), 0},
       {Rgb(0x808080), Rgb(0xC0C0C0), 0}}}},
    {"Nalezen\xFD text",
     false,
     {{{Rgb(0xFFFFFF), Rgb(0x000000), 0},
       {Rgb(0x000000), Rgb(0xFFFFFF), 0},
       {Rgb(0x000000), Rgb(0xFFFFFF), 0}}}},
    {"Koment\xE1\xF8",
     true,
     {{{Rgb(0x000080), Rgb(0xFFFFFF), style::kItalic},
       {Rgb(0x808000), Rgb(0x000000), 0},
       {Rgb(0x808080), Rgb(0x000080), 0}}}},
    {"Textov\xFD \xF8"
     "et\xEC"
     "zec",
     true,
     {{{Rgb(0x008080), Rgb(0xFFFFFF), 0},
       {Rgb(0xFF0000), Rgb(0x000000), 0},
       {Rgb(0xFFFF00), Rgb(0x000080), 0}}}},
    {"\xC8\xEDslo",
     true,
     {{{Rgb(0x008080), Rgb(0xFFFFFF), 0},
       {Rgb(0xFF00FF), Rgb(0x000000), 0},
       {Rgb(0xFFFF00), Rgb(0x000080), 0}}}},
    {"Symbol",
     true,
     {{{Rgb(0x000000), Rgb(0xFFFFFF), 0},
       {Rgb(0xFFFF00), Rgb(0x000000), 0},
       {Rgb(0xFFFF00), Rgb(0x000080), 0}}}},
    {"Kl\xED\xE8ov\xE9 slovo",
     true,
     {{{Rgb(0x000000), Rgb(0xFFFFFF), style::kBold},
       {Rgb(0x00FFFF), Rgb(0x000000), 0},
       {Rgb(0xFFFFFF), Rgb(0x000080), 0}}}},
    {"Identifik\xE1tor",
     true,
     {{{Rgb(0x000000), Rgb(0xFFFFFF), 0},
       {Rgb(0x00FF00), Rgb(0x000000), 0},
       {Rgb(0xFFFF00), Rgb(0x000080), 0}}}},
    {"Assembler",
     true,
     {{{Rgb(0x008000), Rgb(0xFFFFFF), 0},
       {Rgb(0xFFFFFF), Rgb(0x000000), 0},
       {Rgb(0x008000), Rgb(0x000080), 0}}}},
    {"\xD8\xE1"
     "dka s chybou",
     false,
     {{{Rgb(0xFFFFFF), Rgb(0x800000), 0},
       {Rgb(0xFFFFFF), Rgb(0xFF0000), 0},
       {Rgb(0xFFFFFF), Rgb(0xFF0000), 0}}}},
}};

const char* const kSchemeNames[] = {"Standardn\xED", "Inverzn\xED dle Zorvana",
                                    "Klasick\xE9 (Borland IDE)"};

const char* const kKeywordClasses[][30] = {
    {"options", "configuration", "constant", "symbol", "procedure", "terminal", "begin", "end",
     "if",      "then",          "else",     "while",  "do",        "for",      "to",    "downto",
     "repeat",  "until",         "case",     "of",     "goto",      "exit",     "and",   "or",
     "xor",     "shl",           "shr",      "help",   "onkey",     "editenter"},
    {"bit", "byte", "word", "integer", "longint", "real", "datetime", "string"},
    {"hwobj", "swobj"},
};

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '\\' || c == '_';
}

} // namespace

// ---- TStringHashTable

TStringHashTable::TStringHashTable(std::size_t buckets)
    : buckets_(std::max<std::size_t>(1, buckets)) {}

TStringHashTable::~TStringHashTable() {
    // Unlinked one by one: a long chain must not recurse through its destructors.
    for (std::unique_ptr<Item>& head : buckets_) {
        while (head)
            head = std::move(head->next);
    }
}

std::uint32_t TStringHashTable::Hash(std::string_view key) {
    std::uint32_t h = 0;
    for (const char c : key) {
        h = (h & ~0xFFu) | ((h ^ static_cast<unsigned char>(c)) & 0xFFu);
        h = std::rotl(h, 7);
    }
    return h;
}

void TStringHashTable::Insert(std::string_view key, std::int32_t value) {
    if (Find(key))
        throw EHashDupError("Duplicate name.");
    std::unique_ptr<Item>& head = buckets_[Hash(key) % buckets_.size()];
    if (head)
        ++collisions_;
    auto item = std::make_unique<Item>(Item{std::string(key), value, std::move(head)});
    head = std::move(item);
    ++count_;
}

std::optional<std::int32_t> TStringHashTable::Find(std::string_view key) const {
    for (const Item* item = buckets_[Hash(key) % buckets_.size()].get(); item != nullptr;
         item = item->next.get()) {
        if (item->key == key)
            return item->value;
    }
    return std::nullopt;
}

std::shared_ptr<const TStringHashTable> VornKeywords() {
    static std::mutex guard;
    static std::weak_ptr<const TStringHashTable> shared;
    const std::lock_guard<std::mutex> lock(guard);
    if (std::shared_ptr<const TStringHashTable> table = shared.lock())
        return table;
    auto table = std::make_shared<TStringHashTable>();
    for (std::int32_t kind = 0; kind < 3; ++kind) {
        for (const char* word : kKeywordClasses[kind]) {
            if (word != nullptr)
                table->Insert(AsciiUpper(word), kind);
        }
    }
    shared = table;
    return table;
}

// ---- VornBasicSyntax

VornBasicSyntax::VornBasicSyntax() : keywords_(VornKeywords()) {}

std::string VornBasicSyntax::ElementName(int element) const {
    if (element < 0 || element >= vorn::kElementCount)
        return {};
    return kElements[static_cast<std::size_t>(element)].name;
}

bool VornBasicSyntax::StyleApplies(int element) const {
    return element >= 0 && element < vorn::kElementCount &&
           kElements[static_cast<std::size_t>(element)].styleApplies;
}

std::string VornBasicSyntax::SchemeName(int scheme) const {
    if (scheme < 0 || scheme >= SchemeCount())
        return {};
    return kSchemeNames[scheme];
}

TElementMap VornBasicSyntax::DefaultElementMap(int scheme) const {
    const auto index = static_cast<std::size_t>(std::clamp(scheme, 0, SchemeCount() - 1));
    TElementMap map;
    for (const VornElement& element : kElements)
        map.push_back(element.schemes[index]);
    return map;
}

TSmartEditorSettings VornBasicSyntax::DefaultSettings() const {
    TSmartEditorSettings settings = EditorSyntax::DefaultSettings();
    settings.Options = vorn::kDefaultOptions;
    settings.SyntaxExtensions = "prg;pri";
    return settings;
}

std::uint8_t VornBasicSyntax::LineEndState(std::string_view line, std::uint8_t start) {
    return Lex(line, start, nullptr);
}

std::uint8_t VornBasicSyntax::ColourLine(std::string_view line, std::uint8_t start,
                                         std::uint8_t* elements) {
    return Lex(line, start, elements);
}

int VornBasicSyntax::LineElementOverride(std::size_t line) {
    return errorMarkShown_ && errorLine_ >= 0 && static_cast<std::size_t>(errorLine_) == line
               ? vorn::kErrorLine
               : 0;
}

std::uint8_t VornBasicSyntax::Lex(std::string_view line, std::uint8_t start,
                                  std::uint8_t* elements) const {
    // States kept across lines: 1 { } comment, 2 after "(", 3 (* *) comment, 4 the same after "*".
    // Within a line also 6 string, 7..10 number, 11..12 character code, 13 hex number,
    // 14 identifier.
    int state = start <= 4 ? start : 0;
    std::size_t wordStart = 0;
    const auto set = [&](std::size_t i, int element) {
        if (elements != nullptr)
            elements[i] = static_cast<std::uint8_t>(element);
    };
    const auto endWord = [&](std::size_t end) {
        if (elements == nullptr)
            return;
        if (keywords_->Find(AsciiUpper(line.substr(wordStart, end - wordStart))))
            std::fill(elements + wordStart, elements + end, std::uint8_t{vorn::kKeyword});
    };
    std::size_t i = 0;
    while (i < line.size()) {
        const auto c = static_cast<unsigned char>(line[i]);
        int next = -1; // -1: the token ends, the character is read again in state 0
        int element = 0;
        switch (state) {
        case 0:
            if (c < 32 || c == '*' || c == '.' || c == '`' || c == '}' || c >= 128) {
                next = 0;
            } else if (c == ' ') {
                element = element::kBlanks, next = 0;
            } else if (c == '"') {
                element = vorn::kString, next = 6;
            } else if (c == '#') {
                element = vorn::kString, next = 11;
            } else if (c == '$') {
                element = vorn::kNumber, next = 13;
            } else if (c == '(') {
                element = vorn::kSymbol, next = 2;
            } else if (IsDigit(c)) {
                element = vorn::kNumber, next = 7;
            } else if (IsLetter(c)) {
                element = vorn::kIdentifier, next = 14;
                wordStart = i;
            } else if (c == '{') {
                element = vorn::kComment, next = 1;
            } else {
                element = vorn::kSymbol, next = 0;
            }
            break;
        case 1:
            element = vorn::kComment, next = c == '}' ? 0 : 1;
            break;
        case 2:
            if (c == '*') {
                element = vorn::kComment, next = 3;
                // The "(" before it, unless it ended the line before.
                if (i > 0)
                    set(i - 1, vorn::kComment);
            }
            break;
        case 3:
            element = vorn::kComment, next = c == '*' ? 4 : 3;
            break;
        case 4:
            // "**)" closes too: a further "*" keeps waiting for the ")".
            element = vorn::kComment, next = c == ')' ? 0 : c == '*' ? 4 : 3;
            break;
        case 6:
            element = vorn::kString, next = c == '"' ? 0 : 6;
            break;
        case 7:
            if (IsDigit(c))
                element = vorn::kNumber, next = 7;
            else if (c == '.')
                element = vorn::kNumber, next = 8;
            else if (c == 'E' || c == 'e')
                element = vorn::kNumber, next = 9;
            break;
        case 8:
            if (IsDigit(c))
                element = vorn::kNumber, next = 8;
            else if (c == 'E' || c == 'e')
                element = vorn::kNumber, next = 9;
            break;
        case 9:
            if (c == '-' || IsDigit(c))
                element = vorn::kNumber, next = 10;
            break;
        case 10:
            if (IsDigit(c))
                element = vorn::kNumber, next = 10;
            break;
        case 11:
            if (c == '$')
                element = vorn::kString, next = 12;
            else if (IsDigit(c))
                element = vorn::kString, next = 11;
            break;
        case 12:
            if (IsHexDigit(c))
                element = vorn::kString, next = 12;
            break;
        case 13:
            if (IsHexDigit(c))
                element = vorn::kNumber, next = 13;
            break;
        default: // 14
            if (IsLetter(c) || IsDigit(c))
                element = vorn::kIdentifier, next = 14;
            break;
        }
        if (next < 0) {
            if (state == 14)
                endWord(i);
            state = 0;
            continue;
        }
        set(i, element);
        state = next;
        ++i;
    }
    if (state == 14)
        endWord(line.size());
    return static_cast<std::uint8_t>(state <= 4 ? state : 0);
}

} // namespace panolcd
