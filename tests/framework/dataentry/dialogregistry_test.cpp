#include "framework/dataentry/dialogregistry.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace panolcd {
namespace {

struct Owner {};

// Counts its life and answers a scripted result; may fail while mapping.
struct FakeDialog final : TValidatedDialog {
    static inline int alive = 0;
    static inline int shown = 0;
    static inline bool failMapping = false;
    Owner* owner;
    explicit FakeDialog(Owner* o) : owner(o) { ++alive; }
    ~FakeDialog() override { --alive; }
    void MapDialogData(std::span<std::uint8_t> buffer) override {
        if (failMapping)
            throw std::runtime_error("map");
        buffer[0] = 7;
    }
    DialogResult ShowModal() override {
        ++shown;
        return DialogResult::Ok;
    }
};

class DialogRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        FakeDialog::alive = FakeDialog::shown = 0;
        FakeDialog::failMapping = false;
        dialogs.RegisterDialog("D_POINT", [](Owner* o) { return std::make_unique<FakeDialog>(o); });
    }
    TDialogsMan<Owner> dialogs;
    Owner owner;
    std::array<std::uint8_t, 2> buffer{};
};

TEST_F(DialogRegistry, RunsTheDialogOnTheBufferAndFreesItButNotForAnEmptyName) {
    EXPECT_EQ(dialogs.RunDialogByName(&owner, "D_POINT", buffer), DialogResult::Ok);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(FakeDialog::shown, 1);
    EXPECT_EQ(FakeDialog::alive, 0);
    EXPECT_EQ(dialogs.RunDialogByName(&owner, "", buffer), DialogResult::None);
    EXPECT_EQ(FakeDialog::shown, 1);
}

TEST_F(DialogRegistry, NamesMatchExactly) {
    EXPECT_NE(dialogs.FindDialogClass("D_POINT"), nullptr);
    EXPECT_EQ(dialogs.FindDialogClass("d_point"), nullptr);
    try {
        dialogs.RunDialogByName(&owner, "d_point", buffer);
        FAIL();
    } catch (const ExcTrValDialog& e) {
        EXPECT_STREQ(e.what(), "Not registered Dlg: d_point");
    }
}

TEST_F(DialogRegistry, LongNamesAreCut) {
    const std::string name(70, 'N');
    dialogs.RegisterDialog(name, [](Owner* o) { return std::make_unique<FakeDialog>(o); });
    EXPECT_NE(dialogs.FindDialogClass(name.substr(0, 63)), nullptr);
    EXPECT_NE(dialogs.FindDialogClass(name), nullptr);
    EXPECT_EQ(dialogs.FindDialogClass(name.substr(0, 62)), nullptr);
    const std::string text = NotRegisteredDialogText(std::string(70, 'x'));
    EXPECT_EQ(text, "Not registered Dlg: " + std::string(63, 'x'));
}

TEST_F(DialogRegistry, TheFirstRegistrationOfANameWins) {
    dialogs.RegisterDialog("D_POINT", [](Owner*) -> std::unique_ptr<TValidatedDialog> {
        throw std::logic_error("second");
    });
    EXPECT_EQ(dialogs.RunDialogByName(&owner, "D_POINT", buffer), DialogResult::Ok);
}

TEST_F(DialogRegistry, TheDialogIsFreedWhenMappingFails) {
    FakeDialog::failMapping = true;
    EXPECT_THROW(dialogs.RunDialogByName(&owner, "D_POINT", buffer), std::runtime_error);
    EXPECT_EQ(FakeDialog::shown, 0);
    EXPECT_EQ(FakeDialog::alive, 0);
}

} // namespace
} // namespace panolcd
