#pragma once
// Setter semantics: copy a device index into records, set the level byte, stamp the current time
// into a text or ZetTime field.

#include "framework/records/semantics.h"

namespace panolcd {

// A one-byte field. DevIx is given by the database run (its instance byte).
class TDevIxSetSem : public TSemantics {
public:
    std::uint8_t DevIx = 0;

    std::string ClassName() const override { return "TDevIxSetSem"; }
    void Evaluate(int phase, int event, SemData data) override;

protected:
    // Where the device index sits in the field.
    virtual std::size_t ByteOffset() const { return 0; }
};

// The zone byte (byte 2) of a 32-bit identifier field.
class TIdentMupSetSem : public TDevIxSetSem {
public:
    std::string ClassName() const override { return "TIdentMupSetSem"; }

protected:
    std::size_t ByteOffset() const override { return 2; }
};

// Stores the system-wide level into a one-byte field.
class TZet2000UrovenSetSem : public TSemantics {
public:
    static constexpr std::uint8_t kLevel = 1;

    std::string ClassName() const override { return "TZet2000UrovenSetSem"; }
    void Evaluate(int phase, int event, SemData data) override;
};

// The current time as a date-time text in a ShortString field of at most MaxLen - 1 characters.
class TStrTimeSetSem : public TSemantics {
public:
    std::uint8_t MaxLen = 0;
    bool OnlyIfModified = false;

    std::string ClassName() const override { return "TStrTimeSetSem"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    void Evaluate(int phase, int event, SemData data) override;
};

// The current time in a 32-bit ZetTime field.
class TZetTimeSetSem : public TSemantics {
public:
    bool OnlyIfModified = false;

    std::string ClassName() const override { return "TZetTimeSetSem"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    void Evaluate(int phase, int event, SemData data) override;
};

void RegisterSetterSemantics();

} // namespace panolcd
