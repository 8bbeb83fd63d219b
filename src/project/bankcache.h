#pragma once
// The process-wide caches of loaded bank files (LCD fonts, LCD bitmaps): an entry per file in
// use, shared by every user of its bank and freed when its last user releases it. Entries of
// bank number 255 are requested by file name only (the bank windows' previews).

#include "common/text.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// What every cached file has: its bank number, its name and the count of its users.
class BankEntry {
public:
    std::uint8_t BankNumber() const { return bankNumber_; }
    // The name asked for, kept also when the load failed: the entry is found and released by it.
    const std::string& FileName() const { return fileName_; }
    int RefCount() const { return refCount_; }
    void AddRef() { ++refCount_; }
    void Release() {
        if (refCount_ > 0)
            --refCount_;
    }

protected:
    explicit BankEntry(std::uint8_t bankNumber) : bankNumber_(bankNumber) {}

    std::uint8_t bankNumber_;
    std::string fileName_;

private:
    int refCount_ = 0;
};

// `Entry` derives from BankEntry, is made from (bank number, file name) and reloads with Load.
template <class Entry> class BankCache {
public:
    static constexpr std::uint8_t kByName = 255;

    // None for 255; else the first entry of the number.
    Entry* FindByNumber(std::uint8_t number) const {
        if (number == kByName)
            return nullptr;
        for (const auto& entry : entries_) {
            if (entry->BankNumber() == number)
                return entry.get();
        }
        return nullptr;
    }
    Entry* FindByNumberAndName(std::uint8_t number, std::string_view fileName) const {
        for (const auto& entry : entries_) {
            if (entry->BankNumber() == number && SameTextAscii(entry->FileName(), fileName))
                return entry.get();
        }
        return nullptr;
    }
    // The bank's entry (by name for 255), made or reloaded from `fileName` as needed; one more
    // user. The entry is the user's handle: ReleaseHeld lets go of exactly what was acquired.
    Entry* Acquire(std::uint8_t number, std::string_view fileName) {
        Entry* entry =
            number == kByName ? FindByNumberAndName(kByName, fileName) : FindByNumber(number);
        if (entry == nullptr) {
            entries_.push_back(std::make_unique<Entry>(number, fileName));
            entry = entries_.back().get();
        } else if (!SameTextAscii(entry->FileName(), fileName)) {
            entry->Load(fileName); // every user of the bank sees the new file
        }
        entry->AddRef();
        return entry;
    }
    // The entry when it is still in the cache; none otherwise.
    Entry* Held(const BankEntry* entry) const {
        for (const auto& held : entries_) {
            if (held.get() == entry)
                return held.get();
        }
        return nullptr;
    }
    // One user less of an entry Acquire answered; nothing when it is gone already.
    void ReleaseHeld(const BankEntry* entry) { ReleaseEntry(Held(entry)); }
    // Every entry `loaded(entry)` names is loaded again from its file, for all its users.
    template <class Names> void ReloadWhere(Names loaded) {
        for (const auto& entry : entries_) {
            if (loaded(static_cast<const Entry&>(*entry))) {
                const std::string fileName = entry->FileName();
                entry->Load(fileName);
            }
        }
    }
    void Release(std::uint8_t number) { ReleaseEntry(FindByNumber(number)); }
    // The entry's bank number; 0 without an entry.
    std::uint8_t ReleaseByName(std::string_view fileName) {
        Entry* entry = FindByNumberAndName(kByName, fileName);
        if (entry == nullptr)
            return 0;
        const std::uint8_t number = entry->BankNumber();
        ReleaseEntry(entry);
        return number;
    }

    int Count() const { return static_cast<int>(entries_.size()); }

private:
    void ReleaseEntry(Entry* entry) {
        if (entry == nullptr)
            return;
        entry->Release();
        if (entry->RefCount() > 0)
            return;
        std::erase_if(entries_, [entry](const auto& held) { return held.get() == entry; });
    }

    std::vector<std::unique_ptr<Entry>> entries_;
};

} // namespace panolcd
