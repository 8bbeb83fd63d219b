#pragma once
// Named parameter objects: each owns one entry of the settings file holding a small keyword
// language ("UPD=1 ALL=0"), parses it when read and writes it back on request.
//
// C++ does not dispatch virtual calls in constructors, so the entry is read in a second step:
// construct, then ReadEntry() (or use MakeParamObject, which does both). Subclasses override
// ParseParam and BuildParamText, handle their own keywords first and pass the others on to the
// base; they read values with the Scan* functions of paramscanner.h.
//
// Error results follow the entries' own convention: true means "there was an error".

#include "framework/environment/paramscanner.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace panolcd {

inline constexpr std::size_t kParamNameMax = 32;
inline constexpr std::size_t kParamPrefixMax = 32;

class TNameObject {
public:
    // The name (cut to 32 characters) is the entry's key; an empty name disables reading.
    explicit TNameObject(std::string_view name);
    virtual ~TNameObject() = default;

    const std::string& Name() const { return name_; }
    virtual std::string_view ClassName() const { return "TNameObject"; }

    // ReadParamFromINI(false) when the name is not empty; returns the error flag.
    bool ReadEntry();

    // Reads, parses and reports the entry (errors go to the diagnostic output).
    virtual bool ReadParamFromINI(bool trace);
    // Writes the entry back into the write section according to UPD.
    virtual void WriteParamToINI();
    virtual std::string GetKeyName() const { return name_; }
    virtual bool ParseParams(std::string_view text);
    // Base keywords "UPD|ALL|"; any other keyword is an error.
    virtual bool ParseParam(const std::string& keyword);
    // Decimal text of UPD or ALL; other keywords are an error.
    virtual bool GetParamText(std::string_view keyword, std::string& text) const;
    virtual std::string BuildParamText() const;

    // Write-back mode: 0 never, 1 at every WriteParamToINI, 2 once and then back to 0.
    std::uint8_t UPD = 0;
    // Meaning belongs to the subclass.
    bool ALL = false;

protected:
    // Where the last ParseParams stopped with an error (for the report).
    std::size_t ErrorPos() const { return errorPos_; }

    // Value readers for subclasses (see paramscanner.h).
    static std::optional<std::int32_t> ReadInteger() { return ScanInteger(); }
    static std::string ReadWord() { return ScanWord(); }
    static int MatchKeyword(std::string_view keyword, std::string_view list) {
        return panolcd::MatchKeyword(keyword, list);
    }

private:
    std::string name_;
    std::size_t errorPos_ = 0;
};

// A collection of parameter objects written together with its own entry ("PFX|MAX|UPD|").
//
// It is not a TrbCollection: that one owns streamable objects and serves object streams, while
// parameter objects are never streamed and live only in the settings file. Holding them as
// TNameObject keeps their virtual operations reachable without casts.
class TNameColl {
public:
    explicit TNameColl(std::string_view name);
    virtual ~TNameColl() = default;
    TNameColl(const TNameColl&) = delete;
    TNameColl& operator=(const TNameColl&) = delete;

    const std::string& Name() const { return name_; }
    virtual std::string_view ClassName() const { return "TNameColl"; }

    void Insert(std::unique_ptr<TNameObject> item);
    TNameObject* At(std::size_t index) const { return items_.at(index).get(); }
    std::size_t Count() const { return items_.size(); }
    void FreeAll() { items_.clear(); }

    // ReadParamFromINI(false) when the name is not empty; returns the error flag.
    bool ReadEntry();

    virtual bool ReadParamFromINI(bool trace);
    virtual bool ParseParams(std::string_view text);
    virtual bool ParseParam(const std::string& keyword);
    virtual std::string BuildParamText() const;
    // Nothing while UPD is 0. UPD 2 becomes 0 and hands 2 to every member whose UPD is 0; then
    // the own entry is written and every member's WriteParamToINI runs in order.
    virtual void WriteParamToINI();

    std::string PFX = "#SL"; // at most 32 characters
    std::int32_t MAX = -1;
    std::uint8_t UPD = 0;

protected:
    std::size_t ErrorPos() const { return errorPos_; }

private:
    std::string name_;
    std::size_t errorPos_ = 0;
    std::vector<std::unique_ptr<TNameObject>> items_;
};

// Constructs a parameter object and reads its entry.
template <class T, class... Args> std::unique_ptr<T> MakeParamObject(Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    object->ReadEntry();
    return object;
}

} // namespace panolcd
