#pragma once
// A control without a widget: holds what a validator sets and what a test types.

#include "framework/dataentry/control.h"

#include <string>
#include <vector>

namespace panolcd::testing {

class FakeControl final : public ValidatorControl {
public:
    explicit FakeControl(ControlKind kind = ControlKind::Edit) : kind_(kind) {}

    ControlKind kind_;
    std::string text;
    int maxLength = 0;
    bool checked = false;
    std::vector<std::string> items;
    int itemIndex = -1;
    bool dropDownList = false;
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    bool tabStop = true;
    int focused = 0;

    ControlKind Kind() const override { return kind_; }
    // A selected item's text is the combo's text.
    std::string Text() const override {
        return itemIndex >= 0 && itemIndex < ItemCount() ? items[itemIndex] : text;
    }
    void SetText(const std::string& value) override { text = value; }
    void SetMaxLength(int length) override { maxLength = length; }
    bool Checked() const override { return checked; }
    void SetChecked(bool value) override { checked = value; }
    void SetItems(const std::vector<std::string>& values) override {
        items = values;
        itemIndex = -1;
    }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    std::string ItemText(int index) const override { return items.at(index); }
    int ItemIndex() const override { return itemIndex; }
    void SetItemIndex(int index) override { itemIndex = index; }
    bool IsDropDownList() const override { return dropDownList; }
    bool IsVisible() const override { return visible; }
    void SetVisible(bool value) override { visible = value; }
    bool IsEnabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }
    void SetReadOnly(bool value) override { readOnly = value; }
    void SetTabStop(bool value) override { tabStop = value; }
    void SetFocus() override { ++focused; }

    // What the user does.
    void Type(const std::string& value) {
        itemIndex = -1;
        text = value;
    }
};

} // namespace panolcd::testing
