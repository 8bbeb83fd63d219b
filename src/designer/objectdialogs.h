#pragma once
// What the objects' property dialogs edit, without the dialogs: the dialog record each kind is
// filled into and taken back from, and the dialogs' own rules for coordinates entered as a
// second corner or as width and height, the line's direction, and the checks on OK.

#include "designer/lcdobject.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace panolcd {

// The dialog record of a kind; none for the kinds edited in their own windows. The record
// type's edit form names the dialog.
struct ObjectDialogDef {
    const char* recordType;
    std::size_t recordSize;
};
std::optional<ObjectDialogDef> ObjectDialogOf(std::uint8_t kind);

// The dialog record filled from the object: coordinates from its frame at the window's scroll
// position (width and height in place of the second corner when the options say so).
std::vector<std::uint8_t> FillDialogRecord(const TLCDObject& object, Scroll scroll);
// Takes a confirmed dialog record back into the object and gives it its new frame.
void ApplyDialogRecord(TLCDObject& object, std::span<std::uint8_t> record, Scroll scroll);

// The records of the screen window's own dialogs, and their sizes.
inline constexpr const char* kAlignmentRecord = "TAlignmentDlgRec";
inline constexpr std::size_t kAlignmentRecordSize = 2;
inline constexpr const char* kSingleAlignRecord = "TSingleAlignDlgRec";
inline constexpr std::size_t kSingleAlignRecordSize = 2;
inline constexpr const char* kAlignSizeRecord = "TAlignSizeDlgRec";
inline constexpr std::size_t kAlignSizeRecordSize = 10;
// Screen number, identifier, name and background bitmap: the screen record's first 83 bytes.
inline constexpr const char* kScreenParametersRecord = "TScrParamDlgRec";
inline constexpr const char* kScreenHelpRecord = "TScrHlpParamDlgRec";

// Runs the dialog of a record type (its edit form) on `record`; true when the user confirmed,
// and then `record` holds the edits. False, and nothing changed, when the application
// description has no such record type or its size differs.
bool EditDialogRecord(const char* recordType, std::vector<std::uint8_t>& record);

// Runs the kind's dialog on the object (through the dialogs of the process) and takes a
// confirmed record back; false when there is no dialog or the user did not confirm.
bool EditInPropertyDialog(TLCDObject& object, Scroll scroll);

// The coordinate part of the line, rectangle and bar dialogs.
enum class CornerDialog { Line, Rectangle, Bar };
struct CornerFields {
    std::uint16_t options = 0;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
// The fields of a line, rectangle or bar dialog record.
CornerFields CornersOf(CornerDialog dialog, std::span<const std::uint8_t> record);
void SetCorners(CornerDialog dialog, std::span<std::uint8_t> record, const CornerFields& fields);
// After "Rel Dx Dy" changed bit 0: the second corner becomes width and height, or back.
void ApplyRelativeToggle(CornerFields& fields);
// After "Směr JZ->SV" changed bit 1: relative, X1 moves by the width and the width turns;
// absolute, X1 and X2 change places.
void ApplyDirectionToggle(CornerFields& fields);
// The message of the first rule a record breaks on OK (Windows-1250), none when it is accepted.
// Relative lines and bars refuse a negative height, relative bars a negative width too.
std::optional<std::string> CheckCorners(CornerDialog dialog, const CornerFields& fields);
// The graph dialogs' corners are always absolute and follow the rectangle's rules.
std::optional<std::string> CheckGraphCorners(const CornerFields& fields);

} // namespace panolcd
