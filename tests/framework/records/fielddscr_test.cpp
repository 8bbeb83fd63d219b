#include "framework/records/fielddscr.h"

#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/collection.h"
#include "framework/persistence/register.h"
#include "framework/records/appdata.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/register.h"
#include "framework/records/semantics.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::FormText;

// Records every call it is asked for.
class TSpySem : public TSemantics {
public:
    struct Run {
        int phase;
        int event;
        SemData data;
    };
    std::vector<Run> runs;

    std::string ClassName() const override { return "TSpySem"; }
    void Evaluate(int phase, int event, SemData data) override {
        runs.push_back({phase, event, data});
    }
};

class FieldDscrTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterRecordClasses();
    }

    static std::unique_ptr<TRecFieldTypeDscr> Field(std::uint16_t size, std::string caption,
                                                    std::uint16_t flags, std::uint8_t width) {
        auto d = Create<TRecFieldTypeDscr>();
        d->FieldSize = size;
        d->Caption = std::move(caption);
        d->Flags = flags;
        d->LineWidth = d->CWinWidth = d->CSVWidth = d->JoinWidth = width;
        return d;
    }
};

TEST_F(FieldDscrTest, StreamDataOfTheBase) {
    auto d = Create<TRecFieldTypeDscr>();
    d->FieldName = "Name";
    d->FieldSize = 5;
    d->Caption = "Cap";
    d->Flags = 0x1234;
    d->LineWidth = 1;
    d->CWinWidth = 2;
    d->CSVWidth = 3;
    d->JoinWidth = 4;
    const Bytes expected = {4,    'N',  'a',  'm',  'e', 5, 0, 3, 'C',  'a', 'p',
                            0xFF, 0xFF, 0x34, 0x12, 1,   2, 3, 4, 0xFF, 0xFF};
    EXPECT_EQ(testing::StreamData(*d), expected);

    auto loaded = StreamableAs<TRecFieldTypeDscr>(testing::SaveAndLoad(*d));
    EXPECT_EQ(loaded->FieldName, "Name");
    EXPECT_EQ(loaded->FieldSize, 5);
    EXPECT_EQ(loaded->Caption, "Cap");
    EXPECT_EQ(loaded->CaptionId, -1);
    EXPECT_EQ(loaded->Flags, 0x1234);
    EXPECT_EQ(loaded->JoinWidth, 4);
    EXPECT_EQ(loaded->Evaluators, nullptr);
}

TEST_F(FieldDscrTest, EvaluatorsAreStreamedAndRunInPhaseFive) {
    auto d = Create<TRecFieldTypeDscr>();
    auto evaluators = Create<TSemEvalColl>();
    evaluators->Add(7);
    evaluators->Add(2);
    d->Evaluators = std::move(evaluators);

    auto loaded = StreamableAs<TRecFieldTypeDscr>(testing::SaveAndLoad(*d));
    auto* runner = dynamic_cast<TSemEvalColl*>(loaded->Evaluators.get());
    ASSERT_NE(runner, nullptr);
    EXPECT_EQ(runner->EvaluatorIds(), (std::vector<std::int16_t>{7, 2}));

    EnvCtx().app.AppData = std::make_unique<TAppData>();
    auto manager = Create<TSemManColl>();
    manager->SetCount(7);
    auto spy = Create<TSpySem>();
    TSpySem& sem = *spy;
    manager->Insert(std::move(spy));
    EnvCtx().app.AppData->SemanticsManager = std::move(manager);

    std::uint8_t field[4] = {};
    loaded->RunFieldSemantics(7, 2, field);
    loaded->RunFieldSemantics(3, 2, field); // no evaluator names 3
    ASSERT_EQ(sem.runs.size(), 1u);
    EXPECT_EQ(sem.runs[0].phase, kSemPhaseField);
    EXPECT_EQ(sem.runs[0].data.data(), field);
    EXPECT_EQ(sem.runs[0].data.size(), 4u);
    EXPECT_EQ(sem.runs[0].event, 2);
}

TEST_F(FieldDscrTest, AnObjectThatIsNoEvaluatorCollectionIsRefused) {
    auto d = Create<TRecFieldTypeDscr>();
    d->Evaluators = Create<TrbCollection>();
    TrbMemoryObjStream out;
    out.OpenWrite();
    out.Put(d.get());
    out.Close();
    TrbMemoryObjStream in(out.ReleaseBuffer());
    in.OpenRead();
    EXPECT_THROW(in.Get(), EInvalidCast);
}

TEST_F(FieldDscrTest, CaptionComesFromResourcesUnlessMissing) {
    EnvCtx().app.ResLibrary = ResourceLibrary{{4000, "Z knihovny"}};
    auto d = Create<TRecFieldTypeDscr>();
    d->Caption = "Vlastni";
    EXPECT_EQ(d->GetCaption(), "Vlastni");
    d->CaptionId = 4000;
    EXPECT_EQ(d->GetCaption(), "Z knihovny");
    d->CaptionId = 4001;
    EXPECT_EQ(d->GetCaption(), "Vlastni");
    d->CaptionId = -1;
    d->Caption = std::string(70, 'x');
    EXPECT_EQ(d->GetCaption(), std::string(63, 'x'));
}

TEST_F(FieldDscrTest, TextFormsOfTheBase) {
    struct Case {
        std::uint16_t flags;
        std::uint8_t width;
        FieldTextForm form;
        std::string expected;
    };
    const Case cases[] = {
        {0, 3, FieldTextForm::Line, "Cap:   "},
        {0, 3, FieldTextForm::CWin, "Cap:   "},
        {0, 3, FieldTextForm::Join, "Cap:   "},
        {0, 3, FieldTextForm::CSV, "   ;"},
        {0, 0, FieldTextForm::Line, "Cap:"},
        {0, 0, FieldTextForm::CSV, ""},
        {fCSVNewLine, 0, FieldTextForm::CSV, "\r\n"},
        {fCSVAlways, 0, FieldTextForm::CSV, ";"},
        {fCSVNewLine, 2, FieldTextForm::CSV, "\r\n  ;"},
        {fNoLineCaption, 3, FieldTextForm::Line, "   "},
        {fNoLineCaption, 3, FieldTextForm::CWin, "Cap:   "},
        {fNoCWinCaption, 3, FieldTextForm::CWin, "   "},
        {fNoJoinCaption, 3, FieldTextForm::Join, "   "},
        {fFormat, 3, FieldTextForm::Line, "   "},
        {fFormat, 3, FieldTextForm::Join, "   "},
        {fFormat, 3, FieldTextForm::CWin, "Cap:   "},
        {fNoPad, 3, FieldTextForm::Line, "Cap:"},
        {fNoPad, 3, FieldTextForm::CWin, "Cap:   "},
        {fCWinNoPad, 3, FieldTextForm::CWin, "Cap:"},
        {fHex, 3, FieldTextForm::Line, "Cap:$01$AB"},
        {fHex, 3, FieldTextForm::CSV, "$01$AB;"},
    };
    for (const auto& c : cases) {
        auto d = Field(2, "Cap:", c.flags, c.width);
        Bytes data = {0x01, 0xAB};
        EXPECT_EQ(FormText(*d, c.form, data), c.expected)
            << "flags " << c.flags << " form " << static_cast<int>(c.form);
    }
}

TEST_F(FieldDscrTest, NoCaptionWhenAbsent) {
    auto d = Field(1, "", 0, 2);
    Bytes data = {0};
    EXPECT_EQ(FormText(*d, FieldTextForm::Line, data), "  ");
}

TEST_F(FieldDscrTest, TextNeverGrowsBeyondTheCapacity) {
    auto d = Field(4, "Caption:", fHex, 10);
    for (const auto form :
         {FieldTextForm::Line, FieldTextForm::CWin, FieldTextForm::CSV, FieldTextForm::Join}) {
        for (std::size_t capacity = 0; capacity < 30; ++capacity) {
            Bytes data = {1, 2, 3, 4};
            EXPECT_LE(FormText(*d, form, data, capacity).size(), capacity);
        }
    }
    std::string text = "12345";
    Bytes data = {1, 2, 3, 4};
    d->GetLineAStr(data.data(), text, 9);
    EXPECT_EQ(text, "12345Capt");
}

TEST_F(FieldDscrTest, TransferBufferOfTheBase) {
    auto d = Field(3, "", 0, 0);
    EXPECT_EQ(d->GetFieldSize(), 3);
    EXPECT_EQ(d->GetTrBuffSize(), 3);
    Bytes record = {9, 9, 9};
    d->InitFieldValue(record.data());
    EXPECT_EQ(record, (Bytes{0, 0, 0}));

    record = {1, 2, 3};
    Bytes buffer(3);
    d->PutDataToTrBuff(record.data(), buffer.data());
    EXPECT_EQ(buffer, record);

    bool modified = false;
    d->GetDataFromTrBuff(record.data(), buffer.data(), modified);
    EXPECT_FALSE(modified);
    buffer[1] = 7;
    d->GetDataFromTrBuff(record.data(), buffer.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(record, (Bytes{1, 7, 3}));
    // The flag is set, never cleared.
    d->GetDataFromTrBuff(record.data(), buffer.data(), modified);
    EXPECT_TRUE(modified);
}

TEST_F(FieldDscrTest, NoTransferBufferFlag) {
    auto d = Field(3, "", fNoTrBuff, 0);
    EXPECT_EQ(d->GetTrBuffSize(), 0);
    Bytes record = {1, 2, 3};
    Bytes buffer;
    d->PutDataToTrBuff(record.data(), buffer.data());
    bool modified = false;
    d->GetDataFromTrBuff(record.data(), buffer.data(), modified);
    EXPECT_FALSE(modified);
    EXPECT_EQ(record, (Bytes{1, 2, 3}));
}

} // namespace
} // namespace panolcd
