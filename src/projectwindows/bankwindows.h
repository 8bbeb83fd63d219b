#pragma once
// The record windows of the project's font banks, bitmap banks and register map, without
// widgets: their table, their panels, and the preview a bank window keeps of its file.

#include "project/bankcache.h"
#include "project/bmpfile.h"
#include "projectwindows/panelfield.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class TDBRecordObj;
class TRecIniciatorColl;

enum class BankWindowKind { Font, Bitmap, Register };

struct BankWindowDef {
    BankWindowKind kind;
    const char* className;
    const char* caption; // UTF-8
    const char* formName;
    std::uint16_t dbTypeId;
    int helpContext;
    std::size_t panelBytes;
};

const std::vector<BankWindowDef>& BankWindows();
const BankWindowDef* FindBankWindow(std::string_view formName);

// Help only.
inline constexpr std::uint32_t kBankWindowCaps = 0x400;
// The font preview's size.
inline constexpr int kPreviewWidth = 240;
inline constexpr int kPreviewHeight = 128;

std::vector<PanelField> BankPanelFields(const BankWindowDef& def);
// The panel field holding the bank's file name; none in the register window.
std::optional<std::size_t> FileNameFieldOf(BankWindowKind kind);

// Why the register window would refuse a register read from a map file, empty when it would
// take it: its values through the window's validators, its texts before they are cut.
std::string RegisterRecordRefusal(TDBRecordObj& record, const TRecIniciatorColl& values);

// The one file a bank window holds in the process-wide cache for its preview, by name. A file
// whose load failed is let go at once, so the window never holds an entry without data.
class BankPreview {
public:
    explicit BankPreview(BankWindowKind kind) : kind_(kind) {}
    ~BankPreview() { Release(); }
    BankPreview(const BankPreview&) = delete;
    BankPreview& operator=(const BankPreview&) = delete;

    // The file name edit changed: true when another file (or none) is held now.
    bool FileNameChanged(std::string_view editText, std::string_view projectDir);
    const std::string& HeldName() const { return held_; }

    // The text drawn with the held font at zoom 1 from the top-left corner of a white image;
    // white alone without a font.
    BmpImage FontPreview(std::string_view text) const;
    // The held picture; none without one.
    const BmpImage* BitmapPreview() const;

private:
    void Release();

    BankWindowKind kind_;
    std::string held_;
    // The cache entry acquired for `held_`, let go of as it is.
    const BankEntry* entry_ = nullptr;
};

} // namespace panolcd
