#include "framework/environment/restext.h"

#include "common/cp1250.h"
#include "common/shortstring.h"
#include "framework/environment/envcontext.h"

#include <utility>

namespace panolcd {
namespace {

// The framework's own messages, written here in UTF-8 and held as Windows-1250.
constexpr std::pair<int, const char*> kBuiltInTexts[] = {
    {100, "Chyba"},
    {101, "Nepřípustné číslo funkce"},
    {102, "Soubor nenalezen"},
    {103, "Cesta nenalezena"},
    {104, "Příliš mnoho otevřených souborů"},
    {105, "Přístup k souboru odmítnut"},
    {106, "Neplatný file handle"},
    {107, "Neplatný file access code"},
    {108, "Neplatné číslo jednotky"},
    {109, "Nelze zrušit aktuální adresář"},
    {110, "Přejmenování nelze provést na jinou jednotku"},
    {111, "Chyba při čtení z disku"},
    {112, "Chyba při zápisu na disk"},
    {113, "Soubor není přiřazen"},
    {114, "Soubor není otevřen"},
    {115, "Soubor není otevřen pro vstup"},
    {116, "Soubor není otevřen pro výstup"},
    {117, "Neplatný formát čísla"},
    {118, "I/O error 150"},
    {119, "I/O error 151"},
    {120, "I/O error 152"},
    {121, "I/O error 153"},
    {122, "I/O error 154"},
    {123, "I/O error 155"},
    {124, "I/O error 156"},
    {125, "I/O error 157"},
    {126, "I/O error 158"},
    {127, "I/O error 159"},
    {128, "I/O error 160"},
    {129, "I/O error 161"},
    {130, "I/O error 162"},
    {131, "I/O error"},
    {132, "Neplatná přípona souboru"},
    {133, "Neplatné jméno souboru"},
    {134, "Syntaktická chyba v zápisu čísla integer"},
    {135, "Hodnota mimo meze"},
    {136, "Syntaktická chyba v zápisu datumu"},
    {137, "Syntaktická chyba v zápisu času"},
    {138, "Syntaktická chyba v zápisu čísla longint"},
    {139, "Syntaktická chyba v zápisu čísla real"},
    {140, "Nesouhlasí typ souboru Databáze"},
    {141, "Nesouhlasí typ podřízené databáze"},
    {142, "Další záznamy nelze založit, dosaženo max. počtu záznamů DB."},
    {143, "Export databází"},
    {144, "Import databází"},
    {145, "Lexikální chyba"},
    {146, "Syntaktická chyba"},
    {147, "Sémantická chyba"},
    {148, "Očekáván znak "},
    {149, "Import databází"},
    {150, "Export databází"},
    {151, "Činnost přerušena"},
    {152, "Chyba v zápisu času"},
    {153, "Chyba v zápisu čísla"},
    {154, "Chyba v zápisu HexBufferu"},
    {155, "čas %s mimo meze <%s;%s>"},
    {156, "Hodnota $%x mimo meze <$%x;$%x>"},
    {157, "Hodnota $%x mimo meze <%d;%d>"},
    {158, "Hodnota %d mimo meze <%d;%d>"},
    {159, "Hodnota %s mimo meze <%s;%s>"},
    {160, "Hodnota %f mimo meze <%f;%f>"},
    {161, "Hodnota %g mimo meze <%g;%g>"},
    {162, "textový řetězec obsahuje nedovolené znaky"},
    {170, "Čekání"},
    {171, "Abort"},
    {172, "běží dotazování"},
    {173, "Čekání na dokončení běžících procesů"},
    {174, "Editační panel změněn"},
    {175, "Použít ?"},
    {176, "Uzavřít okénko ?"},
    {177, "Nelze nalézt okénko, kde by byl záznam zobrazen !"},
    {178, "Editace parametru"},
};

const ResourceLibrary& BuiltInTable() {
    static const ResourceLibrary table = [] {
        ResourceLibrary converted;
        for (const auto& [id, text] : kBuiltInTexts)
            converted.emplace(id, Utf8ToCp1250(text));
        return converted;
    }();
    return table;
}

const std::string* LibraryText(int id) {
    const auto& library = EnvCtx().app.ResLibrary;
    if (!library)
        return nullptr;
    const auto it = library->find(id);
    if (it == library->end() || it->second.empty())
        return nullptr;
    return &it->second;
}

const std::string* LookUp(int id) {
    if (const std::string* text = LibraryText(id))
        return text;
    return BuiltInResText(id);
}

} // namespace

const std::string* BuiltInResText(int id) {
    const auto& table = BuiltInTable();
    const auto it = table.find(id);
    return it == table.end() ? nullptr : &it->second;
}

std::string ResText(int id) {
    if (const std::string* text = LookUp(id))
        return CutShortString(*text, 254);
    return std::string(1, '\x7F');
}

std::string ResTextOr(int id, std::string_view fallback) {
    if (id >= 0) {
        if (const std::string* text = LookUp(id))
            return CutShortString(*text, 254);
    }
    return std::string(fallback);
}

std::string ResTextZ(int id, std::size_t capacity) {
    if (id == 0 || capacity == 0)
        return {};
    const std::string* text = LookUp(id);
    const std::string result = text ? CutShortString(*text, 254) : "string resource error";
    return result.substr(0, capacity - 1);
}

std::string ResFmt(int id, std::initializer_list<FormatArg> args) {
    return CutShortString(Format(ResText(id), args));
}

} // namespace panolcd
