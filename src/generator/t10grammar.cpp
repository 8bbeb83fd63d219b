#include "generator/t10grammar.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "generator/prigrammar.h"
#include "generator/syntaxparser.h"
#include "project/dbtypes.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"

namespace panolcd {
namespace {

constexpr std::size_t kItemCap = 127;

// A bank section: header and count, then one item per bank record.
class TBankSection : public TSyntaxComposite {
public:
    TBankSection(TSyntaxParser& parser, TSyntaxObject* parent, TDataBase* banks)
        : TSyntaxComposite(parser, parent), banks_(banks) {}

    std::int32_t count = 0;

protected:
    void WriteHeader(const char* header, const char* countKey) {
        Emit(header);
        Emit(countKey + Num(count));
    }

    TDataBase* banks_;
};

class Tbmp_bank_item final : public TSyntaxLeaf {
public:
    Tbmp_bank_item(TSyntaxParser& parser, TSyntaxObject* parent, TBankSection& section,
                   TDBRecordObj* record)
        : TSyntaxLeaf(parser, parent), section_(section), record_(record) {}

protected:
    void Build() override {
        const BitmapBankRecordView bank(record_->RecData);
        if (bank.BmpNum() == kNoBankNum)
            return;
        text_ = CutText("BMP_Bank" + Num(bank.BmpNum()) + "=" + bank.BmpFileName(), kItemCap);
        ++section_.count;
    }
    void Write() override {
        if (!text_.empty())
            Emit(text_);
    }

private:
    TBankSection& section_;
    TDBRecordObj* record_;
};

class Tfnt_bank_item final : public TSyntaxLeaf {
public:
    Tfnt_bank_item(TSyntaxParser& parser, TSyntaxObject* parent, TBankSection& section,
                   TDBRecordObj* record)
        : TSyntaxLeaf(parser, parent), section_(section), record_(record) {}

protected:
    void Build() override {
        const FontBankRecordView bank(record_->RecData);
        text_ = CutText("Fnt_Bank" + Num(bank.FontNum()) + "=" + bank.FontFileName(), kItemCap);
        ++section_.count;
    }

private:
    TBankSection& section_;
    TDBRecordObj* record_;
};

class Tbmp_banks_section final : public TBankSection {
public:
    using TBankSection::TBankSection;

protected:
    bool CreateChildren() override {
        count = 0;
        for (TDBRecordObj* record : RecordsOf(banks_))
            Add<Tbmp_bank_item>(0, true, 0, *this, record);
        return true;
    }
    void BeforeEmit() override { WriteHeader("[BMP_BANKS]", "BMP_Count="); }
};

class Tfnt_banks_section final : public TBankSection {
public:
    using TBankSection::TBankSection;

protected:
    bool CreateChildren() override {
        count = 0;
        for (TDBRecordObj* record : RecordsOf(banks_))
            Add<Tfnt_bank_item>(0, true, 0, *this, record);
        return true;
    }
    void BeforeEmit() override { WriteHeader("[FNT_BANKS]", "Fnt_Count="); }
};

class Tprg_banks_section final : public TSyntaxLeaf {
public:
    Tprg_banks_section(TSyntaxParser& parser, TSyntaxObject* parent, TDBRecordObj* root)
        : TSyntaxLeaf(parser, parent), root_(root) {}

protected:
    void Build() override {
        const std::string imageFile = ChangeFileExt(Parser().OutputName, ".bin");
        bool lossy = false;
        const std::string image = FileNameText(imageFile, &lossy);
        if (lossy)
            Parser().Warn(
                "Prg_Bank path holds characters Windows-1250 cannot hold, written as ?: " +
                imageFile);
        const std::string full =
            "Prg_Bank" + Num(RootRecordView(root_->RecData).PrgBankNum()) + "=" + image;
        text_ = CutText(full, kItemCap);
        // The loader would look for another file: say so rather than cut in silence.
        if (text_.size() < full.size())
            Parser().Warn("Prg_Bank path cut to " + std::to_string(kItemCap) +
                          " characters: " + full);
    }
    void Write() override {
        Emit("[PRG_BANKS]");
        Emit("Prg_Count=1");
        Emit(text_);
    }

private:
    TDBRecordObj* root_;
};

TDataBase* First(std::uint16_t dbTypeId) {
    const std::vector<TDataBase*> found = FindProjectDBs(dbTypeId);
    return found.empty() ? nullptr : found.front();
}

} // namespace

bool Tpanocon_project::CreateChildren() {
    TDataBase* rootDB = First(kDBRoot);
    if (rootDB == nullptr)
        return false;
    TDBRecordObj* root = RootRecord(rootDB);
    TDataBase* fonts = First(kDBFontBanks);
    TDataBase* bitmaps = First(kDBBitmapBanks);
    if (bitmaps)
        Add<Tbmp_banks_section>(0, true, 0, bitmaps);
    if (fonts) {
        if (bitmaps)
            AddText("", 0, true, 0);
        Add<Tfnt_banks_section>(0, true, 0, fonts);
    }
    if (root) {
        if (bitmaps || fonts)
            AddText("", 0, true, 0);
        Add<Tprg_banks_section>(0, true, 0, root);
    }
    return true;
}

} // namespace panolcd
