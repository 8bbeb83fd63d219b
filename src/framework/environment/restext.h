#pragma once
// Resource texts by id: the optional resource library first, then the program's own table.

#include "common/format.h"

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace panolcd {

// A loaded resource library: id -> text (Windows-1250).
using ResourceLibrary = std::map<int, std::string>;

// The program's own text for an id, or nullptr.
const std::string* BuiltInResText(int id);

// The text of `id`, or a lone DEL (character 127) when there is none.
std::string ResText(int id);
// The text of `id` when `id` is not negative and has a text; otherwise `fallback`. Lets stored
// texts carry an id through which a resource library can translate them.
std::string ResTextOr(int id, std::string_view fallback);
std::string ResTextZ(int id, std::size_t capacity);
std::string ResFmt(int id, std::initializer_list<FormatArg> args);

} // namespace panolcd
