#pragma once
// Record window classes by name: every record window registers its class at program start under
// the name the record types give in EditFormName, and OpenUDBForm opens the window registered
// for a record. Also the layout of the four-button record browser.

#include "common/error.h"
#include "framework/windows/recordwindow.h"

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <typeindex>
#include <vector>

namespace panolcd {

// Names are kept in at most this many characters.
inline constexpr std::size_t kUDBFormNameMax = 63;

// Creates a window of the class with the main window as owner; it reads its start data from the
// owner's transfer buffer while being created. The window system owns the window.
using UDBFormFactory = std::function<RecordWindow*(RecordWindowHost& owner)>;

struct TUDBFormObj {
    std::string Name;
    // The window class: the dynamic type of the windows the factory makes.
    std::type_index Class;
    UDBFormFactory Factory;
};

class TUDBFormsMan {
public:
    // Appends an entry; an existing entry of the same name stays first.
    void RegisterUDBForm(const std::string& name, std::type_index windowClass,
                         UDBFormFactory factory);
    // The first entry whose name equals `name` byte for byte; nullptr when none.
    const TUDBFormObj* FindUDBFormClass(const std::string& name) const;
    const std::vector<TUDBFormObj>& Entries() const { return entries_; }

private:
    std::vector<TUDBFormObj> entries_;
};

// The registry of the program, made by the first use.
TUDBFormsMan& UDBFormsMan();
const TUDBFormObj* FindUDBFormClass(const std::string& name);
// The class of a window object, as registry entries name it.
std::type_index UDBFormClassOf(const RecordWindow& window);

// Opens the window registered under `name` on the position (DataBase, DBRecord, InsertPos,
// RecSelector, FilterIx); nullptr for an unregistered name or without main window. InsertPos and
// FilterIx outside 16 bits raise ExcRange. A caller buffer longer than the position record gets
// the record at its start and is handed over whole; otherwise the record alone is.
RecordWindow* OpenUDBForm(const std::string& name, TDataBase* dataBase, TDBRecordObj* dbRecord,
                          int insertPos, int recSelector, int filterIx,
                          std::span<std::uint8_t> callerBuffer = {});

// A value that does not fit where it goes.
class ExcRange : public Exception {
public:
    using Exception::Exception;
};

// ---- Record browser

struct BrowserButton {
    int Top = 0;
    int Height = 0;
};

inline constexpr int kBrowserMinWidth = 15;
inline constexpr int kBrowserDefaultWidth = 20;
inline constexpr int kBrowserDefaultHeight = 25;

// Top, up, down and bottom button stacked in a control `height` high. Every button is as wide
// as the control (at least kBrowserMinWidth).
std::array<BrowserButton, 4> BrowserLayout(int height);
inline int BrowserWidth(int width) {
    return width < kBrowserMinWidth ? kBrowserMinWidth : width;
}

} // namespace panolcd
