#include "support/test_context.h"

#include "app/processcontext.h"
#include "app/startup.h"
#include "common/cp1250.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"

#include <fstream>
#include <random>
#include <sstream>

namespace panolcd::testing {
namespace {

// Code that runs before a test sets its context up (static objects, plain TESTs) finds one too.
[[maybe_unused]] const bool kContextAtStart = (ResetContext(), true);

} // namespace

MsgResult FakeUserPort::ShowMessage(MsgKind kind, MsgButtons buttons, const std::string& caption,
                                    const std::string& text) {
    shown.push_back({kind, buttons, caption, text});
    if (answers.empty())
        return MsgResult::Ok;
    const MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
}

void ContextTest::SetUp() {
    ResetContext();
    auto user = std::make_unique<FakeUserPort>();
    user_ = user.get();
    EnvCtx().user = std::move(user);
    auto clock = std::make_unique<FixedClock>();
    clock_ = clock.get();
    EnvCtx().clock = std::move(clock);

    std::random_device seed;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "panolcd-" + std::string(info->test_suite_name()) + "-" + info->name() +
                       "-" + std::to_string(seed());
    for (char& c : name) {
        if (c == '/' || c == '*')
            c = '_';
    }
    tempDir_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(tempDir_);
}

void ContextTest::TearDown() {
    std::error_code ec;
    std::filesystem::remove_all(tempDir_, ec);
    ResetContext();
}

std::filesystem::path ContextTest::WriteFile(const std::string& name,
                                             const std::string& bytes) const {
    const auto path = tempDir_ / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

std::string ContextTest::ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void DescriptionTest::SetUp() {
    ContextTest::SetUp();
    RegisterStreamClasses();
    EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
}

void DescriptionTest::TearDown() {
    CloseProjectColl();
    ContextTest::TearDown();
}

std::string Cz(const char* utf8) {
    return Utf8ToCp1250(utf8);
}

} // namespace panolcd::testing
