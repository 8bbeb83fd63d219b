#pragma once
// The filters of the font, bitmap and screen databases: a bank or screen number is unique in its
// database, and a new record is numbered one above the highest number in use. Which fields hold
// the numbers is the application description's business; the filters name its semantics.

#include "framework/records/dbdescriptor.h"

#include <cstdint>

namespace panolcd {

class TSemantics;

class TDBProjFnt_FilterValidator : public TDBFilterValidator {
public:
    std::int16_t NumberingSemId = -1;
    std::int16_t UniquenessSemId = -1;

    TDBProjFnt_FilterValidator() = default;
    TDBProjFnt_FilterValidator(std::int16_t numbering, std::int16_t uniqueness)
        : NumberingSemId(numbering), UniquenessSemId(uniqueness) {}

    std::string ClassName() const override { return "TDBProjFnt_FilterValidator"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    bool CheckInsert(TDataBase& database, TDBRecordObj& record) override;
    bool CheckReplace(TDataBase& database, TDBRecordObj& stored, TDBRecordObj& record) override;
    void InitNewRecord(TDataBase& database, TDBRecordObj& record) override;

protected:
    // The number the new record was given, for the screen filter's second field.
    virtual void NumberGiven(TDBRecordObj& /*record*/, std::uint16_t /*number*/) {}

private:
    // Accepts `record` when no other record has its key; `stored` (may be nil) is the record it
    // replaces and does not count.
    bool CheckUnique(TDataBase& database, TDBRecordObj& record, const TDBRecordObj* stored);
};

// A screen also gets its name from the number it was given.
class TDBProjScr_FilterValidator : public TDBProjFnt_FilterValidator {
public:
    std::int16_t SecondNumberingSemId = -1;

    TDBProjScr_FilterValidator() = default;
    TDBProjScr_FilterValidator(std::int16_t numbering, std::int16_t uniqueness,
                               std::int16_t secondNumbering)
        : TDBProjFnt_FilterValidator(numbering, uniqueness), SecondNumberingSemId(secondNumbering) {
    }

    std::string ClassName() const override { return "TDBProjScr_FilterValidator"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

protected:
    void NumberGiven(TDBRecordObj& record, std::uint16_t number) override;
};

void RegisterProjectClasses();

} // namespace panolcd
