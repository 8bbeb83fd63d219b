#pragma once
// Parameter records: the second object of the .APP file. TParRecData holds one TParRecColl per
// data element (DE), each holding one TParRecordObj or nil per logical address (LA); the
// parameter record types describe how each record is written as a text line.

#include "framework/persistence/collection.h"
#include "framework/records/recordobject.h"

#include <cstdint>
#include <memory>
#include <string>

namespace panolcd {

class TParRecordObj;

// The parameter record types: TRecIniciatorColl items (or nil), addressed by index.
class TParRecTypesColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TParRecTypesColl"; }
    // Fails with "Invalid class typecast" for an item that is not a TRecIniciatorColl.
    void LoadFromStream(TrbObjStream& stream) override;
};

// Transmit blocks waiting to be sent, first in, first out. Lives with its TParRecColl only.
class TParRecTxDFiFo : public TrbCollection {
public:
    std::string ClassName() const override { return "TParRecTxDFiFo"; }
};

// The records of one data element; the item index is the LA. Nil items are empty addresses
// and keep the later records at their numbers.
class TParRecColl : public TrbCollection {
public:
    // Created empty by InitDefaults; never stored.
    std::unique_ptr<TParRecTxDFiFo> TxDFiFo;

    std::string ClassName() const override { return "TParRecColl"; }
    void InitDefaults() override { TxDFiFo = Create<TParRecTxDFiFo>(); }
    // Fails with "Invalid class typecast" for an item that is not a TParRecordObj.
    void LoadFromStream(TrbObjStream& stream) override;

    // The record at `la`; nullptr for an empty or missing address.
    TParRecordObj* Record(int la) const;
};

// The parameter record data; the item index is the DE.
class TParRecData : public TrbCollection {
public:
    std::string ClassName() const override { return "TParRecData"; }
    // Fails with "Invalid class typecast" for an item that is not a TParRecColl.
    void LoadFromStream(TrbObjStream& stream) override;

    // The records of data element `de`; nullptr when there are none.
    TParRecColl* DataElement(int de) const;
};

class TParRecordObj : public TDscrRecObj {
public:
    std::string ParCaption;
    std::int16_t RecipeNum1 = 0;
    std::int16_t RecipeNum2 = 0;
    std::int32_t ParRecTypeIx = 0;
    // The exchanged part of the record in bytes; at most DataSize.
    std::int32_t DTMSize = 0;

    std::string ClassName() const override { return "TParRecordObj"; }
    // The record object's data, then RecipeNum1, RecipeNum2, ParRecTypeIx, ParCaption, DTMSize.
    void SaveToStream(TrbObjStream& stream) const override;
    // A DTMSize that is negative or beyond the data is taken as the whole record.
    void LoadFromStream(TrbObjStream& stream) override;
};

// The parameter record data of the process: the one loaded with the application description,
// nullptr when none is held. It goes with the description, so it never outlives it.
TParRecData* AppParRecData();

// Registers the streamed parameter record classes with the class registry.
void RegisterParRecClasses();

} // namespace panolcd
