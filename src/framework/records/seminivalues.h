#pragma once
// INI value semantics: a number or text kept in the work INI file, copied into record fields on
// store and written back from them on write-out. Values are refreshed from the file whenever the
// application description is loaded.

#include "framework/records/semantics.h"

namespace panolcd {

// The INI file to use for `file`: with a redirect section whose key "INIfileFN" names a file
// with an extension (a name without directory lies in the work directory), that file when it
// exists or `allowMissing`; otherwise `file` itself.
std::string ResolveIniFile(const std::string& file, std::string_view redirectSection,
                           bool allowMissing);

// A 32-bit value; the subclasses copy 16 or 8 bits of it to and from their fields.
class TDWAppINISetSem : public TSemantics {
public:
    std::int32_t Value = 0;
    std::string RedirectSection; // empty = none
    std::string IniSection;
    std::string IniKey;

    std::string ClassName() const override { return "TDWAppINISetSem"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    void ReadValueFromINI(bool onlyWithRedirect) override;
    void WriteValueToINI() override;
    void Evaluate(int phase, int event, SemData data) override;

protected:
    // Bytes of the field: 4, 2 or 1.
    virtual std::size_t FieldWidth() const { return 4; }
};

class TWoAppINISetSem : public TDWAppINISetSem {
public:
    std::string ClassName() const override { return "TWoAppINISetSem"; }

protected:
    std::size_t FieldWidth() const override { return 2; }
};

class TByAppINISetSem : public TDWAppINISetSem {
public:
    std::string ClassName() const override { return "TByAppINISetSem"; }

protected:
    std::size_t FieldWidth() const override { return 1; }
};

// A text. Stored into fields is the resource text TextId when there is one, else StrValue,
// formatted with a key of the scan object when FormatKind asks for it (1 the low byte of
// WordKey, 2 WordKey signed, 3 unsigned, 4 LongKey signed, 5 unsigned).
class TStrAppINISetSem : public TSemantics {
public:
    std::string RedirectSection;
    std::string IniSection;
    std::string IniKey;
    // Field texts take at most MaxLen - 1 characters.
    std::uint8_t MaxLen = 0;
    std::uint8_t FormatKind = 0;
    std::int32_t TextId = -1;
    std::string StrValue;

    std::string ClassName() const override { return "TStrAppINISetSem"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    void ReadValueFromINI(bool onlyWithRedirect) override;
    void WriteValueToINI() override;
    void Evaluate(int phase, int event, SemData data) override;

    std::string DisplayText() const;

private:
    std::string CutToMaxLen(std::string_view text) const;
};

void RegisterIniSemantics();

} // namespace panolcd
