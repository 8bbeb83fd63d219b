// The command windows' table: every panel's validators take exactly the transfer buffer of the
// record type the window edits, and the windows take the edit commands and answer the
// capabilities their kind has.

#include "projectwindows/commandwindows.h"

#include "framework/environment/envcontext.h"
#include "framework/records/appdata.h"
#include "framework/records/recordtype.h"
#include "framework/windows/commands.h"
#include "framework/windows/udbedit.h"
#include "support/test_context.h"

namespace panolcd::testing {
namespace {

class CommandWindowTable : public DescriptionTest {};

TRecordTypeDscr* RecordTypeEditedBy(const char* formName) {
    TRecTypesDscrColl& types = *EnvCtx().app.AppData->RecTypesDscrColl;
    for (int i = 0; i < types.Count(); ++i) {
        if (auto* type = dynamic_cast<TRecordTypeDscr*>(types.At(i));
            type && type->EditFormName == formName)
            return type;
    }
    return nullptr;
}

TEST_F(CommandWindowTable, EveryPanelTakesItsRecordsTransferBuffer) {
    ASSERT_EQ(CommandWindows().size(), 8u);
    for (const CommandWindowDef& def : CommandWindows()) {
        TUDBEdit_Validator edit;
        const std::vector<PanelField> fields = PanelFieldsOf(def, edit);
        std::size_t bytes = 0;
        int shown = 0;
        for (const PanelField& field : fields) {
            bytes += field.validator->TrDataSize();
            shown += field.control != PanelControl::None ? 1 : 0;
        }
        EXPECT_EQ(bytes, def.panelBytes) << def.formName;
        TRecordTypeDscr* type = RecordTypeEditedBy(def.formName);
        ASSERT_NE(type, nullptr) << def.formName;
        EXPECT_EQ(type->GetTrBuffSize(), def.panelBytes) << def.formName;
        EXPECT_GT(shown, 0) << def.formName;
        EXPECT_EQ(FindCommandWindow(def.formName), &def);
    }
}

TEST_F(CommandWindowTable, EditCommandsAndCapabilitiesFollowTheKind) {
    struct Case {
        const char* form;
        bool list;
        std::uint32_t caps;
    } const cases[] = {
        {"F_LCCASE", true, 0x40000C78},  {"F_LONKEY", true, 0x40000C78},
        {"F_LCENUM", true, 0x40000C78},  {"F_CMWAIT", false, 0x40000C78},
        {"F_EENTER", false, 0x40000C78}, {"F_CASECO", false, 0x40000C00},
        {"F_ONKEYC", false, 0x40000C00}, {"F_ENUMC", false, 0x40000C00},
    };
    for (const Case& c : cases) {
        const CommandWindowDef& def = *FindCommandWindow(c.form);
        EXPECT_EQ(EditCapsOf(def), c.caps) << c.form;
        for (const std::uint32_t code : {ecCut, ecCopy, ecPaste, ecDelete})
            EXPECT_EQ(TakesEditCommand(def, code), c.list) << c.form << " " << code;
        for (const std::uint32_t code : {ecHelp, ecCommitEdits, ecOrigSize})
            EXPECT_TRUE(TakesEditCommand(def, code)) << c.form << " " << code;
        EXPECT_FALSE(TakesEditCommand(def, ecAfterSave)) << c.form;
        EXPECT_FALSE(TakesEditCommand(def, 7)) << c.form;
    }
}

TEST(VariantListLayout, TheFrameTakesTheHeightButNeverLessThanHalf) {
    const LayoutRect frame{8, 120, 400, 200};
    const LayoutRect list{2, 18, 392, 178};
    const ListResized taller = ResizeVariantList(frame, list, 500);
    EXPECT_EQ(taller.frame, (LayoutRect{8, 120, 400, 378}));
    EXPECT_EQ(taller.list, (LayoutRect{2, 18, 392, 356}));
    const ListResized shorter = ResizeVariantList(frame, list, 150);
    EXPECT_EQ(shorter.frame.Height, 100);
    EXPECT_EQ(shorter.list.Height, 78);
}

} // namespace
} // namespace panolcd::testing
