// The semantics objects: numbering, uniqueness and ordering of bank and screen numbers, and the
// name a new screen gets. Field evaluators name them by their position here.

#include "common/cp1250.h"
#include "framework/persistence/streamable.h"
#include "framework/records/semaggregates.h"
#include "framework/records/semantics.h"
#include "framework/records/seminivalues.h"
#include "framework/records/semscans.h"
#include "framework/records/semsorters.h"
#include "schema/schemaparts.h"

namespace panolcd::schema {
namespace {

constexpr std::uint8_t kScanByte = 1;
constexpr std::uint8_t kOperatorEqual = 1;
constexpr std::uint8_t kFormatLowByte = 1;
// The screen name field holds 63 characters.
constexpr std::uint8_t kScreenNameMaxLen = 64;

std::unique_ptr<TSemantics> Maximum(std::uint8_t fceCode) {
    auto semantics = Create<TByteGetFceSem>();
    semantics->FceCode = fceCode;
    return semantics;
}

std::unique_ptr<TSemantics> Equal() {
    auto semantics = Create<TScanIfSem>();
    semantics->ValueType = kScanByte;
    semantics->Operator = kOperatorEqual;
    return semantics;
}

// Kept out of any INI file: the text is a pattern for the screen number only.
std::unique_ptr<TSemantics> ScreenName() {
    auto semantics = Create<TStrAppINISetSem>();
    semantics->MaxLen = kScreenNameMaxLen;
    semantics->FormatKind = kFormatLowByte;
    semantics->StrValue = Utf8ToCp1250("Obrazovka %d");
    return semantics;
}

} // namespace

std::unique_ptr<TSemManColl> BuildSemantics() {
    auto manager = Create<TSemManColl>();
    manager->Insert(Maximum(kFceMax));         // kSemNumberMax
    manager->Insert(Maximum(kFceMaxBelow255)); // kSemNumberMaxNo255
    manager->Insert(Equal());                  // kSemNumberEqual
    manager->Insert(Create<TByteSorterSem>()); // kSemNumberSorter
    manager->Insert(ScreenName());             // kSemScreenName
    return manager;
}

} // namespace panolcd::schema
