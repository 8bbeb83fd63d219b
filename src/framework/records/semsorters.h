#pragma once
// Sorter semantics: a scan run collects one scan object per record, keyed by the record's field,
// and the end of the database run sorts the collection. The records themselves stay in place.

#include "framework/records/semantics.h"

#include <optional>

namespace panolcd {

// Numeric keys: WordKey for the byte and word kinds, LongKey for the others.
class TNumSorterSem : public TSemantics {
public:
    void Evaluate(int phase, int event, SemData data) override;

    // The key of the field, or nullopt when the field is too narrow for it.
    virtual std::optional<std::uint32_t> GetSortKey(SemData data) const = 0;

protected:
    virtual bool KeyIsWord() const { return false; }
    virtual void Sort(TScanObjColl& coll) const = 0;
};

class TByteSorterSem : public TNumSorterSem {
public:
    std::string ClassName() const override { return "TByteSorterSem"; }
    std::optional<std::uint32_t> GetSortKey(SemData data) const override;

protected:
    bool KeyIsWord() const override { return true; }
    void Sort(TScanObjColl& coll) const override { coll.QuickSort_W(); }
};

class TWordSorterSem : public TNumSorterSem {
public:
    std::string ClassName() const override { return "TWordSorterSem"; }
    std::optional<std::uint32_t> GetSortKey(SemData data) const override;

protected:
    bool KeyIsWord() const override { return true; }
    void Sort(TScanObjColl& coll) const override { coll.QuickSort_W(); }
};

class TLIntSorterSem : public TNumSorterSem {
public:
    std::string ClassName() const override { return "TLIntSorterSem"; }
    std::optional<std::uint32_t> GetSortKey(SemData data) const override;

protected:
    void Sort(TScanObjColl& coll) const override { coll.QuickSort_L(); }
};

class TDWordSorterSem : public TNumSorterSem {
public:
    std::string ClassName() const override { return "TDWordSorterSem"; }
    std::optional<std::uint32_t> GetSortKey(SemData data) const override;

protected:
    void Sort(TScanObjColl& coll) const override { coll.QuickSort_DW(); }
};

// Identifier keys: the identifier's bytes rearranged so that the unsigned order of the key is
// the wanted order (control key, device, type).
class TIdentCKSorterSem : public TDWordSorterSem {
public:
    std::string ClassName() const override { return "TIdentCKSorterSem"; }
    std::optional<std::uint32_t> GetSortKey(SemData data) const override;
};

class TIdentDevSorterSem : public TDWordSorterSem {
public:
    std::string ClassName() const override { return "TIdentDevSorterSem"; }
    std::optional<std::uint32_t> GetSortKey(SemData data) const override;
};

class TIdentTypSorterSem : public TDWordSorterSem {
public:
    std::string ClassName() const override { return "TIdentTypSorterSem"; }
    std::optional<std::uint32_t> GetSortKey(SemData data) const override;
};

// Text keys: the field's ShortString, compared ignoring ASCII letter case.
class TStrSorterSem : public TSemantics {
public:
    std::string ClassName() const override { return "TStrSorterSem"; }
    void Evaluate(int phase, int event, SemData data) override;
    virtual std::optional<std::string> GetStrSorterKey(SemData data) const;
};

// Text keys in the dictionary order of Windows-1250 texts.
class TAnsiStrSorterSem : public TSemantics {
public:
    std::string ClassName() const override { return "TAnsiStrSorterSem"; }
    void Evaluate(int phase, int event, SemData data) override;
    virtual std::optional<std::string> GetStrSorterKey(SemData data) const;
};

void RegisterSorterSemantics();

} // namespace panolcd
