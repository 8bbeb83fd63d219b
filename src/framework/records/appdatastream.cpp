#include "framework/records/appdatastream.h"

#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/records/appdata.h"
#include "framework/records/parrecords.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace panolcd {
namespace {

constexpr std::uint8_t kUserHeaderTemplate[TAppDataStream::kCheckedSize] = {7,   'A', 'p', 'p',
                                                                            'D', 'a', 't', 'a'};

} // namespace

TAppDataStream::TAppDataStream(std::string_view fileName) : TrbFileObjStream(fileName) {
    std::memcpy(userHeader_.data(), kUserHeaderTemplate, sizeof kUserHeaderTemplate);
}

TAppDataStream::~TAppDataStream() {
    // Closed here, while this class's overrides are still those dispatched.
    CloseQuietly();
}

void TAppDataStream::WriteUserHeader() {
    WriteBytes(userHeader_.data(), userHeader_.size());
}

void TAppDataStream::ReadUserHeader() {
    std::array<std::uint8_t, kUserHeaderSize> header{};
    ReadBytes(header.data(), header.size());
    if (std::memcmp(header.data(), userHeader_.data(), kCheckedSize) != 0)
        Raise(ErbObjStreamInvalid("Invalid AppData Stream UserHeader"));
    userHeader_ = header;
}

void WriteAppData(std::string_view fileName, const TAppData* appData,
                  const TParRecData* parRecData) {
    // Written beside the file and put in place only when complete, so a failed write leaves an
    // existing description as it was.
    const std::string name = CutShortString(fileName, TrbFileObjStream::kMaxFileName);
    const std::string temp = CutShortString(name, TrbFileObjStream::kMaxFileName - 4) + ".new";
    if (temp == name)
        throw EFCreateError(temp);
    try {
        TAppDataStream stream(temp);
        stream.OpenWrite();
        stream.Put(appData);
        stream.Put(parRecData);
        stream.Close();
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(ToFsPath(temp), ec);
        throw;
    }
    std::error_code ec;
    std::filesystem::rename(ToFsPath(temp), ToFsPath(name), ec);
    if (ec) {
        std::filesystem::remove(ToFsPath(temp), ec);
        throw EFCreateError(name);
    }
}

} // namespace panolcd
