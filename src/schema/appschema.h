#pragma once
// PanoLCD's application description: every enumeration type, record type, database descriptor
// and semantics object the program reads from panolcd.APP. The build writes that file from
// BuildAppDescription (tools/appgen); the program itself never builds a schema in code.
//
// The indices and identifiers below are positions in the collections built here. They are
// stored in the file (in field descriptors, assign tables and filters), so changing an order
// changes the file, and project files made with the old one stay readable only if the record
// layouts stay the same.

#include <cstdint>
#include <memory>

namespace panolcd {

class TAppData;

namespace schema {

// Record types, in the order of the record type collection.
enum RecType : std::int16_t {
    kRecRoot,
    kRecFontBank,
    kRecBitmapBank,
    kRecScreen,
    kRecRegister,
    kRecObject,
    kRecObjectEnum,
    kRecObjectCase,
    kRecObjectOnKey,
    kRecObjectWait,
    kRecObjectEditEnter,
    kRecObjectCaseBmp,
    kRecCaseVariant,
    kRecOnKeyVariant,
    kRecEnumVariant,
    // The records the property dialogs edit.
    kRecDlgText,
    kRecDlgPrintLine,
    kRecDlgEdit,
    kRecDlgEditP,
    kRecDlgPoint,
    kRecDlgLine,
    kRecDlgRect,
    kRecDlgCircle,
    kRecDlgGraph,
    kRecDlgGraphXY,
    kRecDlgBar,
    kRecDlgCaseBmp,
    kRecDlgAlignment,
    kRecDlgSingleAlign,
    kRecDlgAlignSize,
    kRecDlgScreenParameters,
    kRecDlgScreenHelp,
    kRecTypeCount
};

// Enumeration types, in the order of the enumeration type collection.
enum EnumType : std::int16_t {
    kEnumCaseLayers,
    kEnumRegisterType,
    kEnumObjectKind,
    kEnumLayer,
    kEnumGraphType,
    kEnumBarDirection,
    // The modes of the screen window's alignment and size dialogs.
    kEnumHorzAlign,
    kEnumVertAlign,
    kEnumCentre,
    kEnumSizeMode,
    kEnumTypeCount
};

// Semantics identifiers: positions in the semantics manager.
enum SemId : std::int16_t {
    // The highest bank or screen number in use (numbering of new records).
    kSemNumberMax,
    // The same, with 255 (no bank) left out.
    kSemNumberMaxNo255,
    // Records whose number equals the candidate's (uniqueness).
    kSemNumberEqual,
    // The records of a bank database sorted by their number (lookup lists).
    kSemNumberSorter,
    // A new screen's name made from its number.
    kSemScreenName,
    kSemCount
};

// The whole description, ready to be written.
std::unique_ptr<TAppData> BuildAppDescription();

} // namespace schema
} // namespace panolcd
