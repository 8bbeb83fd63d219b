#include "framework/records/dbptrfields.h"

#include "common/littleendian.h"
#include "framework/environment/msgbox.h"
#include "framework/persistence/objstream.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "framework/records/instancemanager.h"

namespace panolcd {
namespace {

constexpr int kCaptionError = 100;
constexpr int kTextSubDBTypeMismatch = 141;
constexpr int kStatusWarn = 0x80;

} // namespace

void TDynDBPtrRecFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = 2;
    Default = TDBInstMan::kNone;
}

void TDynDBPtrRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(Default);
    stream.WriteNum<std::uint16_t>(DB_TypeID);
}

void TDynDBPtrRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<std::int16_t>();
    DB_TypeID = stream.ReadNum<std::uint16_t>();
}

void TDynDBPtrRecFieldDscr::InitFieldValue(std::uint8_t* data) const {
    WriteLE(data, Default);
}

std::uint16_t TDynDBPtrRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 4;
}

void TDynDBPtrRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    WriteLE(buffer, ReadLE<std::int16_t>(data));
    WriteLE(buffer + 2, DB_TypeID);
}

void TDynDBPtrRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                              bool& /*modified*/) const {
    if (HasFlag(fNoTrBuff))
        return;
    WriteLE(data, ReadLE<std::int16_t>(buffer));
}

void TDynDBPtrRecFieldDscr::CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const {
    if (databases != nullptr) {
        if (const TDataBase* database = databases->GetDBTidDataBase(DB_TypeID)) {
            WriteLE(data, database->InstAdr);
            return;
        }
        if (ReadLE<std::int16_t>(data) != TDBInstMan::kNone && (status & kStatusWarn) != 0) {
            MsgBox(kCaptionError, kTextSubDBTypeMismatch, mb::kOk | mb::kIconWarning);
            status = kDBPtrCheckFailed;
        }
    }
    WriteLE(data, TDBInstMan::kNone);
}

void TDynDBPtrRecFieldDscr::LinkDBPtr(TDataBase* database, TDBRecordObj* record,
                                      std::uint8_t* data) const {
    if (record == nullptr)
        return;
    std::int16_t instAdr = ReadLE<std::int16_t>(data);
    record->LinkDBPtr(database, DB_TypeID, instAdr, LinkFilterIx(), LinkSelector());
    WriteLE(data, instAdr);
}

void TDynDBPtrRecFieldDscr::EnsureDBPtr(TDataBase* database, TDBRecordObj* record,
                                        std::uint8_t* data) const {
    if (record != nullptr)
        record->EnsureDBPtr(database, DB_TypeID, ReadLE<std::int16_t>(data));
}

void THiddenDynDBPtrRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TDynDBPtrRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(Selector);
    stream.WriteNum<std::int16_t>(FilterIx);
}

void THiddenDynDBPtrRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TDynDBPtrRecFieldDscr::LoadFromStream(stream);
    Selector = stream.ReadNum<std::int16_t>();
    FilterIx = stream.ReadNum<std::int16_t>();
}

std::uint16_t THiddenDynDBPtrRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 8;
}

void THiddenDynDBPtrRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data,
                                                  std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    TDynDBPtrRecFieldDscr::PutDataToTrBuff(data, buffer);
    WriteLE(buffer + 4, Selector);
    WriteLE(buffer + 6, FilterIx);
}

} // namespace panolcd
