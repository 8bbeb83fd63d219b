#include "framework/windows/udbforms.h"

#include "framework/windows/windowscontext.h"

#include <algorithm>
#include <limits>
#include <typeinfo>

namespace panolcd {
namespace {

std::int16_t Fit16(int value, const char* what) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw ExcRange(std::string("OpenUDBForm: ") + what + " " + std::to_string(value) +
                       " out of range");
    return static_cast<std::int16_t>(value);
}

// The start data stays with the main window only while the window is created: the buffer is
// emptied however creation ends, so no later child reads a position that has gone.
class TrBuffFill {
public:
    TrBuffFill(TTransferBuffObj& buffer, std::span<std::uint8_t> data) : buffer_(buffer) {
        buffer_.SetTrBuff(data.data(), data.size());
    }
    ~TrBuffFill() { buffer_.ClearTrBuff(); }
    TrBuffFill(const TrBuffFill&) = delete;
    TrBuffFill& operator=(const TrBuffFill&) = delete;

private:
    TTransferBuffObj& buffer_;
};

} // namespace

void TUDBFormsMan::RegisterUDBForm(const std::string& name, std::type_index windowClass,
                                   UDBFormFactory factory) {
    entries_.push_back({name.substr(0, kUDBFormNameMax), windowClass, std::move(factory)});
}

const TUDBFormObj* TUDBFormsMan::FindUDBFormClass(const std::string& name) const {
    const auto it = std::ranges::find_if(
        entries_, [&](const TUDBFormObj& entry) { return entry.Name == name; });
    return it == entries_.end() ? nullptr : &*it;
}

TUDBFormsMan& UDBFormsMan() {
    static TUDBFormsMan registry;
    return registry;
}

const TUDBFormObj* FindUDBFormClass(const std::string& name) {
    return UDBFormsMan().FindUDBFormClass(name);
}

std::type_index UDBFormClassOf(const RecordWindow& window) {
    return std::type_index(typeid(window));
}

RecordWindow* OpenUDBForm(const std::string& name, TDataBase* dataBase, TDBRecordObj* dbRecord,
                          int insertPos, int recSelector, int filterIx,
                          std::span<std::uint8_t> callerBuffer) {
    const TUDBFormObj* formClass = FindUDBFormClass(name);
    RecordWindowHost* host = WindowsCtx().windowHost;
    if (formClass == nullptr || !formClass->Factory || host == nullptr)
        return nullptr;
    TProjectPosRec position;
    position.DataBase = dataBase;
    position.DBRecord = dbRecord;
    position.InsertPos = Fit16(insertPos, "InsertPos");
    position.RecSelector = static_cast<std::int16_t>(recSelector);
    position.FilterIx = Fit16(filterIx, "FilterIx");

    std::array<std::uint8_t, TProjectPosRec::kSize> own{};
    std::span<std::uint8_t> data = own;
    if (callerBuffer.size() > TProjectPosRec::kSize)
        data = callerBuffer;
    position.WriteTo(data);

    const TrBuffFill fill(host->TransferBuffer(), data);
    const BusyCursorGuard busy(host);
    return formClass->Factory(*host);
}

std::array<BrowserButton, 4> BrowserLayout(int height) {
    const int q = height / 4;
    const int rest = height % 4;
    const int middle = rest == 2 || rest == 3 ? q + 1 : q;
    const int downTop = rest == 1 || rest == 3 ? height / 2 + 1 : height / 2;
    return {{{0, q}, {q, middle}, {downTop, middle}, {downTop + middle, q}}};
}

} // namespace panolcd
