#pragma once
// Helpers for the record type, record object and nested field tests: an application description
// with record types built in code and recording semantics.

#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/persistence/register.h"
#include "framework/records/appdata.h"
#include "framework/records/intfields.h"
#include "framework/records/recordobject.h"
#include "framework/records/recordtype.h"
#include "framework/records/register.h"
#include "framework/records/semantics.h"
#include "framework/records/stringfields.h"
#include "support/test_context.h"

#include <memory>
#include <string>
#include <vector>

namespace panolcd::testing {

// What the recording semantics were asked, in order.
inline std::vector<std::string>& SemLog() {
    static std::vector<std::string> log;
    return log;
}

// Logs each call: its identifier, phase, event, whether a record is current and the first byte
// of the data it was given.
class TRecordingSem : public TSemantics {
public:
    std::int16_t Id = 0;

    std::string ClassName() const override { return "TRecordingSem"; }
    void Evaluate(int phase, int event, SemData data) override {
        SemLog().push_back("id" + std::to_string(Id) + " phase" + std::to_string(phase) + " event" +
                           std::to_string(event) + (CurRec == nullptr ? " none" : " record") +
                           (data.empty() ? std::string() : " data" + std::to_string(data[0])));
    }
};

// The application description's semantics: `count` recording semantics, identifier = index.
inline TSemManColl& InstallRecordingSemantics(int count) {
    auto manager = Create<TSemManColl>();
    for (int i = 0; i < count; ++i) {
        auto sem = Create<TRecordingSem>();
        sem->Id = static_cast<std::int16_t>(i);
        manager->Insert(std::move(sem));
    }
    EnvCtx().app.AppData->SemanticsManager = std::move(manager);
    return *EnvCtx().app.AppData->SemanticsManager;
}

inline std::unique_ptr<TSemEvalColl> Evaluators(std::vector<std::int16_t> ids) {
    auto evaluators = Create<TSemEvalColl>();
    for (const std::int16_t id : ids)
        evaluators->Add(id);
    return evaluators;
}

inline std::unique_ptr<TByteRecFieldDscr> ByteField(std::uint8_t value, std::uint8_t width = 3) {
    auto f = Create<TByteRecFieldDscr>();
    f->Default = value;
    f->LineWidth = f->CWinWidth = f->CSVWidth = f->JoinWidth = width;
    return f;
}

inline std::unique_ptr<TByteLimRecFieldDscr> ByteLimField(std::uint8_t value) {
    auto f = Create<TByteLimRecFieldDscr>();
    f->Default = value;
    f->Min = 0;
    f->Max = 200;
    f->LineWidth = f->CWinWidth = f->CSVWidth = f->JoinWidth = 3;
    return f;
}

inline std::unique_ptr<TWordRecFieldDscr> WordField(std::uint16_t value, std::uint8_t width = 5) {
    auto f = Create<TWordRecFieldDscr>();
    f->Default = value;
    f->LineWidth = f->CWinWidth = f->CSVWidth = f->JoinWidth = width;
    return f;
}

inline std::unique_ptr<TDBStringFieldDscr> TextField(std::uint16_t size, std::string text,
                                                     std::uint8_t width) {
    auto f = Create<TDBStringFieldDscr>();
    f->FieldSize = size;
    f->DefaultText = std::move(text);
    f->LineWidth = f->CWinWidth = f->CSVWidth = f->JoinWidth = width;
    return f;
}

template <class F> std::unique_ptr<F> NoTrBuff(std::unique_ptr<F> field) {
    field->Flags |= fNoTrBuff;
    return field;
}

inline std::unique_ptr<TRecordTypeDscr>
RecordType(std::string name, std::vector<std::unique_ptr<TRecFieldTypeDscr>> fields) {
    auto type = Create<TRecordTypeDscr>();
    type->RecTypeName = std::move(name);
    for (auto& field : fields)
        type->Insert(std::move(field));
    return type;
}

template <class... F> std::vector<std::unique_ptr<TRecFieldTypeDscr>> Fields(F... fields) {
    std::vector<std::unique_ptr<TRecFieldTypeDscr>> list;
    (list.push_back(std::move(fields)), ...);
    return list;
}

// A clean context with every class registered and an empty application description.
class RecordContextTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterRecordClasses();
        RegisterRecordTypeClasses();
        EnvCtx().app.AppData = std::make_unique<TAppData>();
        EnvCtx().app.AppData->RecTypesDscrColl = Create<TRecTypesDscrColl>();
        SemLog().clear();
    }
    void TearDown() override {
        SemLog().clear();
        ContextTest::TearDown();
    }

    static TRecTypesDscrColl& Types() { return *EnvCtx().app.AppData->RecTypesDscrColl; }

    // Appends a record type to the application description; answers its index.
    static std::int16_t AddType(std::string name,
                                std::vector<std::unique_ptr<TRecFieldTypeDscr>> fields) {
        return static_cast<std::int16_t>(
            Types().Insert(RecordType(std::move(name), std::move(fields))));
    }
    static TRecordTypeDscr& TypeAt(int index) { return *Types().RecordTypeAt(index); }

    std::vector<std::string> Reported() {
        std::vector<std::string> texts;
        for (const auto& m : User().shown)
            texts.push_back(m.text);
        return texts;
    }
};

// Every object written, read back and written again: both writings as bytes.
inline std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>>
SaveLoadSave(const TrbStreamable& object) {
    TrbMemoryObjStream first;
    first.OpenWrite();
    first.Put(&object);
    first.Close();
    const std::vector<std::uint8_t> bytes = first.Bytes();
    TrbMemoryObjStream in(bytes);
    in.OpenRead();
    auto loaded = in.Get();
    in.Close();
    TrbMemoryObjStream second;
    second.OpenWrite();
    second.Put(loaded.get());
    second.Close();
    return {bytes, second.Bytes()};
}

} // namespace panolcd::testing
