#pragma once
// The settings entries of the editor windows ("ED_PRG", "ED_PRI", "ED_PANO"): the editor's
// options, tabs, font and highlighted extensions as keys of one entry, and the colours and style
// of every highlighted element in an element map of entries of their own.

#include "editor/vornbasic.h"
#include "framework/environment/nameobject.h"

#include <cstdint>
#include <memory>
#include <string>

namespace panolcd {

// One element's entry: "FGD|BGD|STY|".
class TLexElPropNameObj final : public TNameObject {
public:
    using TNameObject::TNameObject;
    std::string_view ClassName() const override { return "TLexElPropNameObj"; }
    bool ParseParam(const std::string& keyword) override;
    std::string BuildParamText() const override;

    TLexElementMap Map;
};

// The element map: its entry gives PFX and MAX; element i reads the entry PFX + i as two
// upper-case hexadecimal digits, for i = 0 .. MAX.
class TLexElementMapColl final : public TNameColl {
public:
    using TNameColl::TNameColl;
    std::string_view ClassName() const override { return "TLexElementMapColl"; }

    // Reads the own entry, then makes and reads the elements; returns the error flag.
    bool ReadWithElements();
    const TLexElPropNameObj* Element(std::size_t index) const;
    static std::string ElementEntryName(const std::string& prefix, int index);
};

class TPanoEditNameObject final : public TNameObject {
public:
    static constexpr std::size_t kMapNameMax = 32;

    using TNameObject::TNameObject;
    std::string_view ClassName() const override { return "TPanoEditNameObject"; }
    bool ParseParam(const std::string& keyword) override;
    std::string BuildParamText() const override;
    // The own entry, then the element map's entries.
    void WriteParamToINI() override;

    // The Vorn-Basic editor's defaults, overwritten by the fields and by the element map's
    // entries as far as both reach.
    TSmartEditorSettings GetSettings() const;
    // Takes every field, rebuilds the element map with one entry per element and writes the
    // entry and the element entries at once.
    void PutSettings(const TSmartEditorSettings& settings);
    // The prefix of the element entries of a map made by PutSettings.
    static constexpr char kElementPrefix[] = "@PROP";

    // The highlighting editor's defaults until the entry says otherwise.
    std::uint32_t Options = 0x6BEA7;
    std::int32_t TabSize = 8;
    std::int32_t BlockIndent = 2;
    std::int32_t UndoLimit = 2048;
    std::int32_t GutterWidth = 24;
    std::uint8_t ShowLineNumbers = 0; // 0..2
    std::int32_t RightMargin = 80;
    std::string FontName = "Courier New";
    std::int32_t FontSize = 10;
    std::uint8_t KeyMapping = 1; // 0 default, 1 classic
    std::string SyntaxExtensions = "prg;pri";
    std::string MAP = "@PROPMAP";
    // Made when the entry names its map; none before.
    std::unique_ptr<TLexElementMapColl> ElementMap;
};

} // namespace panolcd
