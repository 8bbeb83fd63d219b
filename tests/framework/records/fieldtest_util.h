#pragma once
// Helpers for the field descriptor tests: the four text forms of a field, and a descriptor's
// own stream data.

#include "framework/persistence/objstream.h"
#include "framework/records/fielddscr.h"

#include <cstdint>
#include <string>
#include <vector>

namespace panolcd::testing {

using Bytes = std::vector<std::uint8_t>;

inline std::string FormText(const TRecFieldTypeDscr& d, FieldTextForm form, Bytes& data,
                            std::size_t capacity = 255) {
    std::string text;
    switch (form) {
    case FieldTextForm::Line:
        d.GetLineAStr(data.data(), text, capacity);
        break;
    case FieldTextForm::CWin:
        d.GetCWinAStr(data.data(), text, capacity);
        break;
    case FieldTextForm::CSV:
        d.GetCSV_AStr(data.data(), text, capacity);
        break;
    case FieldTextForm::Join:
        d.GetJoinAStr(data.data(), text, capacity);
        break;
    }
    return text;
}

inline std::string LineText(const TRecFieldTypeDscr& d, Bytes data) {
    return FormText(d, FieldTextForm::Line, data);
}

// The bytes of one object record in a memory stream.
inline Bytes StreamRecord(const TrbStreamable& object) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.Put(&object);
    stream.Close();
    const Bytes& all = stream.Bytes();
    return Bytes(all.begin() + TrbObjStream::kHeaderSize, all.begin() + stream.ClassTableOffset());
}

// The object's own data: the record without its 2-byte class index.
inline Bytes StreamData(const TrbStreamable& object) {
    Bytes record = StreamRecord(object);
    return Bytes(record.begin() + 2, record.end());
}

// Reads one object record back from bytes made by StreamRecord's stream.
inline std::unique_ptr<TrbStreamable> SaveAndLoad(const TrbStreamable& object) {
    TrbMemoryObjStream out;
    out.OpenWrite();
    out.Put(&object);
    out.Close();
    TrbMemoryObjStream in(out.ReleaseBuffer());
    in.OpenRead();
    auto loaded = in.Get();
    in.Close();
    return loaded;
}

} // namespace panolcd::testing
