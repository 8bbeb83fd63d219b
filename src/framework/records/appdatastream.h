#pragma once
// The object stream of the .APP file: after the stream header a 16-byte header of its own
// (length byte 7, "AppData", eight reserved bytes), then the application description and the
// parameter record data.

#include "framework/persistence/objstream.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace panolcd {

class TAppData;
class TParRecData;

class TAppDataStream : public TrbFileObjStream {
public:
    static constexpr std::size_t kUserHeaderSize = 16;
    // The length byte and the seven characters; the rest is reserved.
    static constexpr std::size_t kCheckedSize = 8;

    explicit TAppDataStream(std::string_view fileName);
    ~TAppDataStream() override;

    // A new stream holds the template; reading replaces it by the header read.
    const std::array<std::uint8_t, kUserHeaderSize>& UserHeader() const { return userHeader_; }

protected:
    void WriteUserHeader() override;
    // The reserved bytes are taken as they are, never checked.
    void ReadUserHeader() override;

private:
    std::array<std::uint8_t, kUserHeaderSize> userHeader_{};
};

// Writes an application description file; either object may be none. The authoring side of
// LoadAppData.
void WriteAppData(std::string_view fileName, const TAppData* appData,
                  const TParRecData* parRecData);

} // namespace panolcd
