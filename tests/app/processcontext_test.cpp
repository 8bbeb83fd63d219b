// The process context: each subsystem's part is installed while the context lives, and a reset
// frees the old context entirely before the new one is made.

#include "app/processcontext.h"

#include "app/startup.h"
#include "framework/records/database.h"
#include "project/projectfile.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd::testing {
namespace {

// Sits in a project tree and notes which context its destructor finds.
class ContextProbe final : public TrbStreamable {
public:
    static inline const RecordsContext* seenAtDestruction = nullptr;
    ~ContextProbe() override { seenAtDestruction = &RecordsCtx(); }
    std::string ClassName() const override { return "ContextProbe"; }
    void SaveToStream(TrbObjStream&) const override {}
    void LoadFromStream(TrbObjStream&) override {}
};

// Counts every message box any context shows.
class CountingUserPort final : public UserPort {
public:
    static inline int shown = 0;
    void Beep() override {}
    MsgResult ShowMessage(MsgKind, MsgButtons, const std::string&, const std::string&) override {
        ++shown;
        return MsgResult::Ok;
    }
    void RequestAppClose() override {}
};

TEST(ProcessContext, AResetFreesTheOldProjectTreeBeforeTheNewContextIsMade) {
    CountingUserPort::shown = 0;
    for (int reset = 0; reset < 2; ++reset) {
        ResetContext();
        EnvCtx().user = std::make_unique<CountingUserPort>();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        ASSERT_TRUE(LoadProjectFile(PANOLCD_SAMPLE_PROJECT).ok);
        ProjectColl()->Insert(std::make_unique<ContextProbe>());
        RecordsCtx().handles.Register(ProjectColl());
        // Temporary databases alive beside the project, as a record window keeps them.
        RecordsCtx().secondGlobalDB = TDataBase::New(nullptr, ProjectColl()->DB_TypeID, 0, 0);
        const RecordsContext* old = &RecordsCtx();

        ContextProbe::seenAtDestruction = nullptr;
        ResetContext();
        EXPECT_EQ(ContextProbe::seenAtDestruction, old); // its own context, still whole
        EXPECT_EQ(ProjectColl(), nullptr);
        EXPECT_EQ(RecordsCtx().instMan.Current(), TDBInstMan::kStart);
        EXPECT_EQ(EnvCtx().app.AppData, nullptr);
    }
    EXPECT_EQ(CountingUserPort::shown, 0);
    ReleaseContext();
    EXPECT_THROW(EnvCtx(), std::logic_error);
    ResetContext(); // for whatever runs after
}

} // namespace
} // namespace panolcd::testing
