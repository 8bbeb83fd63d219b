#pragma once
// Reading and writing the field a semantics runs over. A field narrower than the kind of value
// asked for is not read (nullopt) and not written; texts are ShortStrings that fill the field.

#include "common/littleendian.h"
#include "common/shortstring.h"
#include "framework/records/semantics.h"

#include <algorithm>
#include <optional>

namespace panolcd::semfield {

template <class T> std::optional<T> Get(SemData data) {
    if (data.size() < sizeof(T))
        return std::nullopt;
    return ReadLE<T>(data.data());
}

// False when the field cannot hold a T.
template <class T> bool Put(SemData data, T value) {
    if (data.size() < sizeof(T))
        return false;
    WriteLE<T>(data.data(), value);
    return true;
}

// Characters a ShortString field holds; 0 for no field.
inline std::size_t TextCapacity(SemData data) {
    return data.empty() ? 0 : std::min(data.size() - 1, kShortStringMax);
}

inline std::optional<std::string> GetText(SemData data) {
    if (data.empty())
        return std::nullopt;
    return LoadShortString(data.data(), TextCapacity(data));
}

// The text as the field would hold it.
inline std::string FitText(SemData data, std::string_view text) {
    return CutShortString(text, TextCapacity(data));
}

inline bool PutText(SemData data, std::string_view text) {
    if (data.empty())
        return false;
    StoreShortString(data.data(), TextCapacity(data), text);
    return true;
}

} // namespace panolcd::semfield
