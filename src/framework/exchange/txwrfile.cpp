#include "framework/exchange/txwrfile.h"

#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/conversions.h"
#include "framework/records/datetime.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace panolcd {
namespace {

constexpr int kIoFileNotOpen = 103;

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

TTxWrFile::TTxWrFile(std::string_view fileName) : fileName_(fileName) {
    // A cut name would write another file than the one asked for.
    errorText_ =
        fileName_.size() > kFileNameCap ? LongFileNameText(fileName_) : CheckFileName(fileName_);
    if (!errorText_.empty()) {
        closed_ = true;
        return;
    }
    int err = 0;
    file_ = ReplacingFile::Create(fileName_, err);
    if (!file_)
        SetIoError(err);
}

TTxWrFile::~TTxWrFile() {
    Close();
    if (committed_ && nothingWritten_) {
        std::error_code ignored; // a link stays a link: the file it names goes
        std::filesystem::remove(file_->TargetPath(), ignored);
    }
}

void TTxWrFile::SetIoError(int err) {
    errorText_ = CutShortString(fileName_ + "-" + IoErrorTextForErrno(err, true));
    closed_ = true;
    if (file_)
        file_->Abandon();
}

void TTxWrFile::Put(std::string_view text, bool lineEnd) {
    if (closed_) {
        if (errorText_.empty()) // writing after Close: the file is no longer open
            errorText_ = CutShortString(fileName_ + "-" + IoErrorText(kIoFileNotOpen));
        return;
    }
    std::string bytes(text);
    if (lineEnd)
        bytes += "\r\n";
    if (!file_->Write(bytes)) {
        SetIoError(file_->Error());
        return;
    }
    nothingWritten_ = false;
}

void TTxWrFile::WriteLn(std::string_view text) {
    Put(CutShortString(text), true);
}

void TTxWrFile::Write(std::string_view text) {
    Put(CutShortString(text), false);
}

void TTxWrFile::WriteLnZ(std::string_view text) {
    Put(UpToZero(text), true);
}

void TTxWrFile::WriteZ(std::string_view text) {
    Put(UpToZero(text), false);
}

void TTxWrFile::Close() {
    if (closed_)
        return;
    closed_ = true;
    if (!file_->Commit()) {
        SetIoError(file_->Error());
        return;
    }
    committed_ = true;
    if (fileDate_ != 0 && !SetFileAgeOf(fileName_, fileDate_))
        errorText_ = CutShortString(fileName_ + "-" + IoErrorTextForErrno(errno, true));
}

std::int32_t TTxWrFile::FileAge() const {
    return FileAgeOf(fileName_);
}

std::int32_t FileAgeOf(std::string_view fileName) {
    std::error_code error;
    const auto stamp = std::filesystem::last_write_time(ToFsPath(fileName), error);
    if (error)
        return -1;
    const auto system = std::chrono::file_clock::to_sys(stamp);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return -1;
    const DateTimeParts parts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour,        local.tm_min,     local.tm_sec};
    const auto packed = PackDosDateTime(parts);
    if (!packed)
        return -1;
    return static_cast<std::int32_t>(*packed);
}

bool SetFileAgeOf(std::string_view fileName, std::uint32_t dosDateTime) {
    const auto parts = UnpackDosDateTime(dosDateTime);
    if (!parts) {
        errno = EINVAL;
        return false;
    }
    std::tm local{};
    local.tm_year = parts->year - 1900;
    local.tm_mon = parts->month - 1;
    local.tm_mday = parts->day;
    local.tm_hour = parts->hour;
    local.tm_min = parts->minute;
    local.tm_sec = parts->second;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1)) {
        errno = EINVAL;
        return false;
    }
    const auto stamp =
        std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(seconds));
    std::error_code error;
    std::filesystem::last_write_time(ToFsPath(fileName), stamp, error);
    if (error) {
        errno = error.value();
        return false;
    }
    return true;
}

} // namespace panolcd
