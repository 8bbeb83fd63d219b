#pragma once
// The initiators of one record type, in record order, covering the record from its first byte to
// its last: they build new records and carry records to and from database text and CSV.

#include "framework/persistence/collection.h"
#include "framework/records/initiator.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class TLexicalElemReader;
class TLexicalElemWriter;

class TRecIniciatorColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TRecIniciatorColl"; }

    // The item as an initiator; nil for another object or an index out of range.
    TRecElIniciatorObj* Iniciator(int index) const;

    // The columns of the imported header list, in order, mapped to initiators (nil: the column's
    // values are skipped). Refers to this collection's items without owning them; made on first
    // use, never stored, and dropped when items are removed.
    std::vector<TRecElIniciatorObj*>& HeaderElColl();
    bool HasHeaderElColl() const { return headerElColl_ != nullptr; }

    // Writes every initiator's current value at running offsets.
    void AssignRecValues(std::uint8_t* buffer) const;
    std::uint16_t GetIniciatorRecSize() const;

    // Maps the next header column to the first initiator of this name (cut to 16 characters,
    // letter case ignored) or to none; returns the column's index.
    int DefineHeaderEl(std::string_view name);
    // ['name';'name']: the columns of the record values that follow. Replaces an earlier mapping.
    bool ImportHeaderListOK(TLexicalElemReader& reader);
    // (value;value) in header columns. `nested` is set when a value announces a nested database.
    bool ImportHeaderValuesOK(TLexicalElemReader& reader, bool& nested);
    // value;value; over all initiators in order, each ended by ";" or `csvSeparator`.
    bool ImportRecordCSVValuesOK(TLexicalElemReader& reader, bool& nested, char csvSeparator = ';');

    void ExportHeaderList(TLexicalElemWriter& writer) const;
    // Not const: a database-pointer initiator remembers the instance it writes.
    void ExportRecordValue(const std::uint8_t* data, TLexicalElemWriter& writer);

    // False at the first pair of equal names (letter case ignored), with the earlier one's index
    // and name cut to `capacity`; true with -1 and an empty name.
    bool TestUniqueHeaderNames(int& index, std::string& name, std::size_t capacity) const;
    // Appends "name"; for every initiator.
    void GetInicCollCSVHeaderStr(std::string& text) const;

    Item AtDelete(int index) override;
    std::vector<Item> DeleteAll() override;

private:
    // Reads the value of one column and the character that ends it.
    bool ImportColumn(TLexicalElemReader& reader, TRecElIniciatorObj* iniciator, bool& nested,
                      char separator);

    std::unique_ptr<std::vector<TRecElIniciatorObj*>> headerElColl_;
};

} // namespace panolcd
