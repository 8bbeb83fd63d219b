#pragma once
// The pieces BuildAppDescription assembles, one source file each.

#include "project/objectrecord.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"

#include <cstdint>
#include <memory>

namespace panolcd {
class TRecordTypeDscr;
class TEnumTypesColl;
class TDataBaseDscrColl;
class TSemManColl;
} // namespace panolcd

namespace panolcd::schema {

// A new screen shows the bitmap, text and graphic layers (bit 31 is the selection frame's).
inline constexpr std::uint32_t kNewScreenLayers = 0x80000007;

// Records of the project databases (projectrecords.cpp) and of the screen objects
// (objectrecords.cpp); `type` says which.
std::unique_ptr<TRecordTypeDscr> ProjectRecordType(RecType type);
std::unique_ptr<TRecordTypeDscr> ObjectRecordType(RecType type);
// The records of the object property dialogs and the screen window's alignment dialogs.
std::unique_ptr<TRecordTypeDscr> DialogRecordType(RecType type);

std::unique_ptr<TEnumTypesColl> BuildEnumTypes();
std::unique_ptr<TDataBaseDscrColl> BuildDataBaseDescriptors();
std::unique_ptr<TSemManColl> BuildSemantics();

} // namespace panolcd::schema
