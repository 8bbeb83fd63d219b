#include "project/projectmodel.h"

#include "common/paths.h"
#include "framework/records/database.h"
#include "framework/records/dbcoll.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/recordtype.h"
#include "project/dbtypes.h"
#include "project/projectrecords.h"

#include <algorithm>
#include <memory>

namespace panolcd {
namespace {

// A new record of the database's default record type with its default values, or nullptr when
// the description has no such type.
std::unique_ptr<TDBRecordObj> NewDefaultRecord(const TDataBase& database) {
    const TDataBaseDscrObj* dscr = database.Descriptor();
    const TRecordTypeDscr* type = dscr ? AppRecordTypeAt(dscr->DefaultRecTypeIx) : nullptr;
    if (type == nullptr)
        return nullptr;
    return TDBRecordObj::New(type->RecTypeName, 0, dscr->DefaultRecTypeIx);
}

// Appends a default record and lets `fill` set its data; the record stays out when the
// database refuses it.
template <typename View, typename Fill> void AppendRecord(TDataBase* database, Fill fill) {
    if (database == nullptr)
        return;
    std::unique_ptr<TDBRecordObj> record = NewDefaultRecord(*database);
    if (record == nullptr)
        return;
    fill(View(record->RecData));
    TDBRecordObj& held = *record;
    database->Insert(std::move(record));
    if (held.HeldBy == database)
        held.LinkDBPtrs(database);
}

} // namespace

TDataBase* OpenProject() {
    return ProjectColl();
}

std::string ProjectFileName() {
    const TDataBase* root = ProjectColl();
    return root ? root->DBFileName : std::string();
}

void SetProjectFileName(std::string_view fileName) {
    if (TDataBase* root = ProjectColl())
        root->DBFileName = std::string(fileName);
}

std::vector<TDataBase*> FindProjectDBs(std::uint16_t dbTypeId) {
    return CollectProjectDBsOfType(dbTypeId);
}

TDataBase* SubDataBase(const TDBRecordObj* record, std::uint16_t dbTypeId) {
    return record ? record->GetDBTidDataBase(dbTypeId) : nullptr;
}

TDBRecordObj* OwnerRecord(const TDataBase* database) {
    return database ? database->GetOwnerRecord() : nullptr;
}

TDBRecordObj* RootRecord(const TDataBase* root) {
    return root && root->Count() > 0 ? root->Record(0) : nullptr;
}

TDBRecordObj* RootRecord() {
    return RootRecord(ProjectColl());
}

TDataBase& NewProject() {
    TDataBase& root = CreateProjectColl(kDBRoot);
    // Zero data; the links keep their "none" until LinkDBPtrs creates the sub-databases.
    AppendRecord<RootRecordView>(&root, [](const RootRecordView& rec) {
        std::fill_n(rec.Data().begin(), std::min(rec.Data().size(), RootRecordView::kFontBanksLink),
                    0);
    });
    TDBRecordObj* rootRecord = RootRecord(&root);
    AppendRecord<FontBankRecordView>(SubDataBase(rootRecord, kDBFontBanks),
                                     [](const FontBankRecordView& font) {
                                         font.SetFontNum(0);
                                         font.SetFontFileName("system");
                                         font.SetFontPreviewStr("ABC123");
                                     });
    AppendRecord<BitmapBankRecordView>(SubDataBase(rootRecord, kDBBitmapBanks),
                                       [](const BitmapBankRecordView& bitmap) {
                                           bitmap.SetBmpNum(0);
                                           bitmap.SetBmpFileName("none");
                                       });
    root.ClearModified();
    return root;
}

void CloseProject() {
    CloseProjectColl();
}

static_assert(FontBankRecordView::kFontNum == BitmapBankRecordView::kBmpNum &&
              FontBankRecordView::kFontFileName == BitmapBankRecordView::kBmpFileName &&
              FontBankRecordView::kFontFileNameCap == BitmapBankRecordView::kBmpFileNameCap);

std::string BankFile(std::uint16_t bankDbType, std::uint8_t number) {
    const TDataBase* banks = SubDataBase(RootRecord(), bankDbType);
    if (banks == nullptr)
        return {};
    for (int i = 0; i < banks->Count(); ++i) {
        TDBRecordObj* bank = banks->Record(i);
        // Font and bitmap banks alike: the number at offset 0, the file name after it.
        if (bank == nullptr || FontBankRecordView(bank->RecData).FontNum() != number)
            continue;
        const std::string name = FontBankRecordView(bank->RecData).FontFileName();
        if (name.empty() || HasDirectoryPart(name))
            return name;
        return ExtractFilePath(ProjectFileName()) + name;
    }
    return {};
}

} // namespace panolcd
