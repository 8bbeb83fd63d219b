#pragma once
// Vorn-Basic, the terminal's language, as the editor colours it: the keyword table, the lexical
// states kept at line ends (comments that span lines), the colouring of one line, the error
// line mark and the three colour schemes.

#include "common/error.h"
#include "editor/editorsyntax.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class EHashDupError : public Exception {
public:
    using Exception::Exception;
};

// Buckets of singly linked items; a new item goes to the front of its bucket.
class TStringHashTable {
public:
    static constexpr std::size_t kDefaultBuckets = 199;

    explicit TStringHashTable(std::size_t buckets = kDefaultBuckets);
    ~TStringHashTable();
    TStringHashTable(const TStringHashTable&) = delete;
    TStringHashTable& operator=(const TStringHashTable&) = delete;

    // For each byte: its XOR into the low byte, then a rotation left by 7 bits.
    static std::uint32_t Hash(std::string_view key);
    // EHashDupError "Duplicate name." when the key is there already.
    void Insert(std::string_view key, std::int32_t value);
    // Keys compare exactly.
    std::optional<std::int32_t> Find(std::string_view key) const;
    std::size_t Count() const { return count_; }
    // Insertions that found their bucket occupied.
    std::size_t Collisions() const { return collisions_; }

private:
    struct Item {
        std::string key;
        std::int32_t value;
        std::unique_ptr<Item> next;
    };
    std::vector<std::unique_ptr<Item>> buckets_;
    std::size_t count_ = 0;
    std::size_t collisions_ = 0;
};

// The keyword table of every Vorn-Basic editor: upper-case words to their class (0..2). It
// lives while an editor holds it.
std::shared_ptr<const TStringHashTable> VornKeywords();

namespace vorn {
inline constexpr int kComment = 6;
inline constexpr int kString = 7;
inline constexpr int kNumber = 8;
inline constexpr int kSymbol = 9;
inline constexpr int kKeyword = 10;
inline constexpr int kIdentifier = 11;
inline constexpr int kAssembler = 12;
inline constexpr int kErrorLine = 13;
inline constexpr int kElementCount = 14;
inline constexpr std::uint32_t kDefaultOptions = 0x6BEA7;
} // namespace vorn

class VornBasicSyntax final : public EditorSyntax {
public:
    VornBasicSyntax();

    int ElementCount() const override { return vorn::kElementCount; }
    std::string ElementName(int element) const override;
    bool StyleApplies(int element) const override;
    int SchemeCount() const override { return 3; }
    std::string SchemeName(int scheme) const override;
    TElementMap DefaultElementMap(int scheme) const override;
    TSmartEditorSettings DefaultSettings() const override;

    std::uint8_t LineEndState(std::string_view line, std::uint8_t start) override;
    std::uint8_t ColourLine(std::string_view line, std::uint8_t start,
                            std::uint8_t* elements) override;
    int LineElementOverride(std::size_t line) override;
    // Any key or command takes the error mark away.
    void BeforeCommand() override { errorMarkShown_ = false; }

    void SetErrorLine(std::int32_t line) { errorLine_ = line; }
    std::int32_t ErrorLine() const { return errorLine_; }
    void ShowErrorMark(bool on) { errorMarkShown_ = on; }
    bool ErrorMarkShown() const { return errorMarkShown_; }

private:
    // The colouring machine; without `elements` it only follows the states.
    std::uint8_t Lex(std::string_view line, std::uint8_t start, std::uint8_t* elements) const;

    std::shared_ptr<const TStringHashTable> keywords_;
    std::int32_t errorLine_ = 0;
    bool errorMarkShown_ = false;
};

} // namespace panolcd
