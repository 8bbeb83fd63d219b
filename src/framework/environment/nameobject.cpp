#include "framework/environment/nameobject.h"

#include "common/shortstring.h"
#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/settings.h"
#include "framework/environment/trace.h"

namespace panolcd {
namespace {

constexpr std::string_view kNothing = "{nothing}";

// UPD takes an integer 0..255; a value above 1 is ignored while UPD is already nonzero, so an
// entry cannot turn "written every time" into "written once" behind the program's back.
bool ParseUpd(std::uint8_t& upd) {
    const std::optional<std::int32_t> value = ScanInteger();
    if (!value || *value < 0 || *value > 255)
        return true;
    if (*value > 1 && upd != 0)
        return false;
    upd = static_cast<std::uint8_t>(*value);
    return false;
}

// Steps shared by both classes: read the entry, report an empty one, trace, parse, report an
// error. `parse` returns the error flag and sets the error position.
template <class Parse>
bool ReadAndParse(const std::string& name, std::string_view className, bool trace,
                  std::string_view errorTitle, Parse parse) {
    if (name.empty())
        return false;
    const SettingsLocation& where = EnvCtx().settings;
    const std::string value = ReadIniString(where.readSection, name);
    const std::string origin = name + ":" + std::string(className) + ".ReadParamFromINI:";
    if (value.empty())
        TraceError(0, origin + " chybi/prazdne entry " + name + "=");
    if (trace)
        TraceLine(0,
                  "INIFile=" + where.iniFile + "[" + where.readSection + "]," + name + "=" + value);
    std::size_t errorPos = 0;
    if (!parse(value, errorPos))
        return false;
    TraceError(0, origin + std::string(errorTitle));
    TraceError(0, "### " + value.substr(0, errorPos) + "#");
    return true;
}

std::string WithNothing(std::string text) {
    return text.empty() ? std::string(kNothing) : text;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TNameObject

TNameObject::TNameObject(std::string_view name) : name_(CutShortString(name, kParamNameMax)) {}

bool TNameObject::ReadEntry() {
    return !name_.empty() && ReadParamFromINI(false);
}

bool TNameObject::ReadParamFromINI(bool trace) {
    return ReadAndParse(name_, ClassName(), trace, " - chyba v zadani parametru:",
                        [this](const std::string& value, std::size_t& errorPos) {
                            const bool error = ParseParams(value);
                            errorPos = errorPos_;
                            return error;
                        });
}

void TNameObject::WriteParamToINI() {
    if (UPD == 0)
        return;
    if (UPD == 2)
        UPD = 0;
    WriteIniString(GetKeyName(), WithNothing(BuildParamText()));
}

bool TNameObject::ParseParams(std::string_view text) {
    errorPos_ = 0;
    return RunParamParse(
        text, [this](const std::string& keyword) { return ParseParam(keyword); }, errorPos_);
}

bool TNameObject::ParseParam(const std::string& keyword) {
    switch (MatchKeyword(keyword, "UPD|ALL|")) {
    case 1:
        return ParseUpd(UPD);
    case 2: {
        const std::optional<std::int32_t> value = ScanInteger();
        if (!value)
            return true;
        ALL = *value != 0;
        return false;
    }
    default:
        return true;
    }
}

bool TNameObject::GetParamText(std::string_view keyword, std::string& text) const {
    switch (MatchKeyword(keyword, "UPD|ALL|")) {
    case 1:
        text = std::to_string(UPD);
        return false;
    case 2:
        text = ALL ? "1" : "0";
        return false;
    default:
        return true;
    }
}

std::string TNameObject::BuildParamText() const {
    std::string text;
    if (UPD != 0 || ALL)
        text += " UPD=" + std::to_string(UPD);
    if (ALL)
        text += " ALL=1";
    return text;
}

// ---------------------------------------------------------------------------------------------
// TNameColl

TNameColl::TNameColl(std::string_view name) : name_(CutShortString(name, kParamNameMax)) {}

void TNameColl::Insert(std::unique_ptr<TNameObject> item) {
    if (item)
        items_.push_back(std::move(item));
}

bool TNameColl::ReadEntry() {
    return !name_.empty() && ReadParamFromINI(false);
}

bool TNameColl::ReadParamFromINI(bool trace) {
    return ReadAndParse(name_, ClassName(), trace, " - chyba v zadani parametru",
                        [this](const std::string& value, std::size_t& errorPos) {
                            const bool error = ParseParams(value);
                            errorPos = errorPos_;
                            return error;
                        });
}

bool TNameColl::ParseParams(std::string_view text) {
    errorPos_ = 0;
    return RunParamParse(
        text, [this](const std::string& keyword) { return ParseParam(keyword); }, errorPos_);
}

bool TNameColl::ParseParam(const std::string& keyword) {
    switch (MatchKeyword(keyword, "PFX|MAX|UPD|")) {
    case 1:
        PFX = CutShortString(AsciiUpper(ScanRun()), kParamPrefixMax);
        return false;
    case 2: {
        const std::optional<std::int32_t> value = ScanInteger();
        if (!value)
            return true;
        MAX = *value;
        return false;
    }
    case 3:
        return ParseUpd(UPD);
    default:
        return true;
    }
}

std::string TNameColl::BuildParamText() const {
    std::string text = " PFX=" + PFX + " MAX=" + std::to_string(MAX);
    if (UPD != 0)
        text += " UPD=" + std::to_string(UPD);
    return text;
}

void TNameColl::WriteParamToINI() {
    if (UPD == 0)
        return;
    if (UPD == 2) {
        UPD = 0;
        for (const auto& item : items_) {
            if (item->UPD == 0)
                item->UPD = 2;
        }
    }
    WriteIniString(name_, WithNothing(BuildParamText()));
    for (const auto& item : items_)
        item->WriteParamToINI();
}

} // namespace panolcd
