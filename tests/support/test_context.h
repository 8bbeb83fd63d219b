#pragma once
// A clean process context for each test, with a user port that records what it was asked to
// show and answers from a script, and a fixed clock.

#include "framework/environment/envcontext.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace panolcd::testing {

struct ShownMessage {
    MsgKind kind;
    MsgButtons buttons;
    std::string caption;
    std::string text;
};

class FakeUserPort final : public UserPort {
public:
    std::vector<ShownMessage> shown;
    std::deque<MsgResult> answers; // popped per box; empty: Ok
    int beeps = 0;
    int closeRequests = 0;

    void Beep() override { ++beeps; }
    MsgResult ShowMessage(MsgKind kind, MsgButtons buttons, const std::string& caption,
                          const std::string& text) override;
    void RequestAppClose() override { ++closeRequests; }
};

class FixedClock final : public ClockPort {
public:
    LocalDateTime now{2026, 12, 9, 8, 5, 7};
    LocalDateTime Now() const override { return now; }
};

// Resets the context and installs the fakes; gives each test its own empty directory.
class ContextTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    FakeUserPort& User() { return *user_; }
    FixedClock& Clock() { return *clock_; }
    const std::filesystem::path& TempDir() const { return tempDir_; }

    // Writes raw bytes to a file in the test's directory and returns its path.
    std::filesystem::path WriteFile(const std::string& name, const std::string& bytes) const;
    static std::string ReadFile(const std::filesystem::path& path);

private:
    FakeUserPort* user_ = nullptr;
    FixedClock* clock_ = nullptr;
    std::filesystem::path tempDir_;
};

// A clean context with the stream classes registered and the application description the build
// wrote loaded; an open project is closed afterwards.
class DescriptionTest : public ContextTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Windows-1250 bytes of a UTF-8 literal, for expectations on stored texts.
std::string Cz(const char* utf8);

} // namespace panolcd::testing
