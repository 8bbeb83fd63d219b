#pragma once
// Validated dialogs by name: record types and compound fields name the dialog that edits them,
// and the dialog classes register under those names at program start. The registry is generic
// over the owner window type so that it runs without a window system; the ui layer instantiates
// it for Qt widgets.

#include "common/error.h"
#include "framework/environment/ports.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace panolcd {

// A dialog the program asked for by a name that no dialog class registered.
class ExcTrValDialog : public Exception {
public:
    using Exception::Exception;
};

// Registered names are kept in at most this many characters.
inline constexpr std::size_t kDialogNameMax = 63;

// "Not registered Dlg: " + name, the whole text cut to 83 characters.
std::string NotRegisteredDialogText(const std::string& name);

// What running a dialog by name needs of it.
class TValidatedDialog {
public:
    virtual ~TValidatedDialog() = default;
    // Maps the dialog's controls and validators onto the caller's transfer buffer.
    virtual void MapDialogData(std::span<std::uint8_t> buffer) = 0;
    virtual DialogResult ShowModal() = 0;
};

template <class Owner> class TDialogsMan {
public:
    using Factory = std::function<std::unique_ptr<TValidatedDialog>(Owner* owner)>;

    // Appends an entry; an existing entry of the same name stays first.
    void RegisterDialog(const std::string& name, Factory factory) {
        entries_.push_back({name.substr(0, kDialogNameMax), std::move(factory)});
    }

    // The first entry whose name equals `name` (letter case significant); null when none.
    const Factory* FindDialogClass(const std::string& name) const {
        // Both sides are cut alike, so a long name finds the entry registered under it.
        const std::string key = name.substr(0, kDialogNameMax);
        for (const Entry& entry : entries_)
            if (entry.name == key)
                return &entry.factory;
        return nullptr;
    }

    // Creates the dialog, maps it onto the buffer and shows it modally. An empty name runs
    // nothing (None); an unknown name raises ExcTrValDialog. The dialog is freed on every path.
    DialogResult RunDialogByName(Owner* owner, const std::string& name,
                                 std::span<std::uint8_t> buffer) const {
        if (name.empty())
            return DialogResult::None;
        const Factory* factory = FindDialogClass(name);
        if (factory == nullptr || !*factory)
            throw ExcTrValDialog(NotRegisteredDialogText(name));
        const std::unique_ptr<TValidatedDialog> dialog = (*factory)(owner);
        if (!dialog)
            throw ExcTrValDialog(NotRegisteredDialogText(name));
        dialog->MapDialogData(buffer);
        return dialog->ShowModal();
    }

private:
    struct Entry {
        std::string name;
        Factory factory;
    };
    std::vector<Entry> entries_;
};

} // namespace panolcd
