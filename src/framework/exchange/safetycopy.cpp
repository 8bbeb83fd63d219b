#include "framework/exchange/safetycopy.h"

#include "common/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace panolcd {
namespace {

std::string FsString(std::string_view storedName) {
    return ToFsPath(storedName).string();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

std::string SafetyCopyName(std::string_view fileName) {
    const std::string ext = ExtractFileExt(fileName).substr(0, 6);
    const std::string letters = ext.size() > 2 ? ext.substr(2, 2) : std::string();
    return ChangeFileExt(fileName, ".~" + letters);
}

std::unique_ptr<ReplacingFile> ReplacingFile::Create(std::string_view fileName, int& error) {
    const std::string target = FsString(fileName);
    // open() with O_EXCL rather than mkstemp: the new file gets the usual permissions.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string temp =
            target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            error = errno;
            return nullptr;
        }
        std::FILE* file = ::fdopen(fd, "wb");
        if (file == nullptr) {
            error = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return nullptr;
        }
        error = 0;
        return std::unique_ptr<ReplacingFile>(new ReplacingFile(std::string(fileName), temp, file));
    }
    error = EEXIST;
    return nullptr;
}

ReplacingFile::~ReplacingFile() {
    Abandon();
}

bool ReplacingFile::Write(std::string_view bytes) {
    if (file_ == nullptr) {
        error_ = EBADF;
        return false;
    }
    if (bytes.empty())
        return true;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size())
        return true;
    error_ = errno != 0 ? errno : EIO;
    Abandon();
    return false;
}

bool ReplacingFile::Commit() {
    if (file_ == nullptr) {
        error_ = EBADF;
        return false;
    }
    bool ok = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    int err = errno;
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        err = errno;
    }
    file_ = nullptr;
    if (!ok) {
        error_ = err != 0 ? err : EIO;
        ::unlink(tempPath_.c_str());
        return false;
    }

    const std::string target = FsString(fileName_);
    const std::string copy = FsString(SafetyCopyName(fileName_));
    bool rotated = false;
    if (copy != target) { // a name that already has a safety-copy extension keeps no copy
        ::unlink(copy.c_str());
        if (Exists(target)) {
            if (::rename(target.c_str(), copy.c_str()) != 0) {
                error_ = errno;
                ::unlink(tempPath_.c_str());
                return false;
            }
            rotated = true;
        }
    }
    if (::rename(tempPath_.c_str(), target.c_str()) != 0) {
        error_ = errno;
        if (rotated)
            ::rename(copy.c_str(), target.c_str());
        ::unlink(tempPath_.c_str());
        return false;
    }
    return true;
}

void ReplacingFile::Abandon() {
    if (file_ == nullptr)
        return;
    std::fclose(file_);
    file_ = nullptr;
    ::unlink(tempPath_.c_str());
}

} // namespace panolcd
