#include "framework/records/dblinks.h"

#include "framework/persistence/objstream.h"
#include "framework/records/dbtest_util.h"
#include "framework/records/excvalidators.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::kBankRec;
using testing::kBanks;

class Edit final : public DBEditValidator {
public:
    void LoadRecord(TDBRecordObj& record) override { loaded.push_back(&record); }
    void Detach(TDBEditValidatorLink& /*link*/) override { ++detached; }
    std::vector<TDBRecordObj*> loaded;
    int detached = 0;
};

class Look final : public DBLookValidator {
public:
    explicit Look(bool control) : control_(control) {}
    void FillList(TDBLookValidatorLink& /*link*/) override { ++filled; }
    void SelectRow(int row, int /*selectedCount*/) override { selected = row; }
    bool HasControl() const override { return control_; }
    void ForgetDataBase() override { forgot = true; }
    int filled = 0;
    int selected = -1;
    bool forgot = false;

private:
    bool control_;
};

using DBLinksTest = testing::DatabaseTest;

TEST_F(DBLinksTest, EditLinksFollowTheirRecordsAndReloadOtherWindows) {
    auto banks = DB(kBanks);
    TDBRecordObj& a = Add(*banks, Rec(kBankRec));
    TDBRecordObj& b = Add(*banks, Rec(kBankRec));
    Edit first, second, third;
    banks->EditLinks->Insert(std::make_unique<TDBEditValidatorLink>(&first, &a));
    banks->EditLinks->Insert(std::make_unique<TDBEditValidatorLink>(&second, &a));
    banks->EditLinks->Insert(std::make_unique<TDBEditValidatorLink>(&third, &b));
    EXPECT_EQ(banks->EditLinks->FindEditLinkByEditValidator(&second)->Record, &a);
    EXPECT_EQ(banks->EditLinks->FindEditLinkByDBRecObj(&b)->Validator, &third);
    banks->EditLinks->UpDateEdits(&first, a);
    EXPECT_TRUE(first.loaded.empty());
    EXPECT_EQ(second.loaded, std::vector<TDBRecordObj*>{&a});
    EXPECT_TRUE(third.loaded.empty());
    EXPECT_TRUE(banks->IsShown());

    banks->AtDelete(0); // the links of `a` go, and tell their windows
    EXPECT_EQ(first.detached + second.detached, 2);
    EXPECT_EQ(banks->EditLinks->Count(), 1);
    banks->DeleteAll();
    EXPECT_EQ(third.detached, 1);
    EXPECT_EQ(banks->EditLinks->Count(), 0);
}

TEST_F(DBLinksTest, LookLinksRefreshSelectAndFindTheirLists) {
    EXPECT_THROW(TDBLookValidatorLink(nullptr), ExcValidators);
    auto banks = DB(kBanks);
    TDBRecordObj& a = Add(*banks, Rec(kBankRec));
    TDBRecordObj& b = Add(*banks, Rec(kBankRec));
    Look hidden(false), shown(true);
    auto add = [&](Look& look) -> TDBLookValidatorLink& {
        auto link = std::make_unique<TDBLookValidatorLink>(&look);
        link->Rows = {&a, &b};
        TDBLookValidatorLink& kept = *link;
        banks->LookLinks->Insert(std::move(link));
        return kept;
    };
    TDBLookValidatorLink& hiddenLink = add(hidden);
    TDBLookValidatorLink& shownLink = add(shown);
    banks->NotifyChanged();
    EXPECT_EQ(hidden.filled, 1);
    {
        const DBUpdateGuard lock(*banks);
        banks->NotifyChanged();
        EXPECT_EQ(shown.filled, 1);
    }
    EXPECT_EQ(shown.filled, 2);

    banks->LookLinks->SetSelections(&b);
    EXPECT_EQ(hidden.selected, 1);
    shown.ExpectInserted = true;
    banks->LookLinks->SetInsSelections(&b);
    EXPECT_EQ(shownLink.SelRecord, &b);
    EXPECT_FALSE(shown.ExpectInserted);
    EXPECT_EQ(hiddenLink.SelRecord, nullptr);
    hiddenLink.SelRecord = &b;
    EXPECT_EQ(banks->LookLinks->FindLookLinkBySelDBRecObj(&b), &shownLink);
    shownLink.SelRecord = nullptr;
    EXPECT_EQ(banks->LookLinks->FindLookLinkBySelDBRecObj(&b), &hiddenLink);
    EXPECT_EQ(banks->LookLinks->FindLookLinkByLookValidator(&shown), &shownLink);

    banks.reset(); // the lists forget the database
    EXPECT_TRUE(hidden.forgot && shown.forgot);
}

TEST_F(DBLinksTest, EmptyRegistriesStreamAsPlainCollections) {
    for (const char* name : {"TDBEditValidatorsColl", "TDBLookValidatorsColl"}) {
        auto object = ClassRegistry::Construct(name);
        ASSERT_NE(object, nullptr) << name;
        TrbMemoryObjStream out;
        out.OpenWrite();
        const std::size_t start = out.GetStream()->Position();
        out.Put(object.get());
        const std::size_t end = out.GetStream()->Position();
        out.Close();
        EXPECT_EQ(end - start, 2u + 4u) << name; // class index, count 0
        TrbMemoryObjStream in(out.Bytes());
        in.OpenRead();
        auto loaded = in.Get();
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->ClassName(), name);
        EXPECT_EQ(dynamic_cast<TrbCollection&>(*loaded).Count(), 0);
    }
}

} // namespace
} // namespace panolcd
