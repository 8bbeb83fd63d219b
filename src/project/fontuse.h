#pragma once
// The font a text object draws with: a bank number resolved to the project's font file, held in
// the shared font cache while the object uses it. A bank whose file is missing falls back to the
// default font beside the program without changing the bank number, so that the object's record
// keeps the number the user chose.

#include "project/lcdfont.h"

#include <cstdint>
#include <string>

namespace panolcd {

class FontUse {
public:
    FontUse() = default;
    ~FontUse();
    FontUse(const FontUse&) = delete;
    FontUse& operator=(const FontUse&) = delete;

    // Holds the font of bank `number` of the open project (nothing changes when it already
    // does); the default font when the bank's file is missing; none when that is missing too.
    void SetFont(std::uint8_t number);
    // Gives the font back to the cache.
    void Drop();

    std::uint8_t Number() const { return number_; }
    bool Holds() const { return held_ != Held::None; }
    // True when the bank's file was missing and the default font stands in.
    bool IsFallback() const { return held_ == Held::Fallback; }
    // Empty when no font is held or its file could not be loaded.
    FontView Font() const;

private:
    enum class Held { None, Bank, Fallback };

    std::uint8_t number_ = 0;
    Held held_ = Held::None;
    std::string fallbackName_;
};

// The default font: the program's own path with the extension ".FNT".
std::string DefaultFontFile();

} // namespace panolcd
