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

// Files in the making are hidden names beside their target ("dir/.P.LCD.~123-0.tmp"): one left
// by a crash is never listed, matched or found in place of a real file.
std::string TempPathBeside(const std::string& target, unsigned attempt) {
    const std::size_t slash = target.rfind('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameAt) + "." + target.substr(nameAt) + ".~" +
           std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
}

// Tries the temporary names beside `target` in turn until `make` succeeds or fails otherwise
// than with EEXIST; answers make's result (-1 with errno set on failure).
template <class Make>
int TryTempNames(const std::string& target, std::string& tempPath, Make make) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath = TempPathBeside(target, attempt);
        const int result = make(tempPath);
        if (result >= 0 || errno != EEXIST)
            return result;
    }
    errno = EEXIST;
    return -1;
}

// A new file beside `target`, opened for writing with O_EXCL; -1 with errno set.
int CreateTempBeside(const std::string& target, std::string& tempPath) {
    // open() with O_EXCL rather than mkstemp: the new file gets the usual permissions.
    return TryTempNames(target, tempPath, [](const std::string& path) {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    });
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The bytes of `from` into the open file `fd`; 0 or the errno value.
int CopyBytes(const std::string& from, int fd) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    char buffer[65536];
    int error = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < got && error == 0;) {
            const ssize_t put = ::write(fd, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno != EINTR)
                error = errno;
            else if (put > 0)
                done += put;
        }
        if (error != 0)
            break;
    }
    ::close(in);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    return error;
}

// Makes `copy` the previous version of `target` without ever taking `target` away: a hard link
// where the file system has them, else a copy of the bytes; built under a temporary name and
// renamed over the old copy. 0 or the errno value.
int KeepSafetyCopy(const std::string& target, const std::string& copy) {
    // Left so by a save that stopped after this step: the copy already is the previous version.
    if (SameFile(target, copy))
        return 0;
    std::string temp;
    int error = 0;
    const int linked = TryTempNames(copy, temp, [&target](const std::string& path) {
        return ::link(target.c_str(), path.c_str());
    });
    if (linked != 0) { // a file system without links
        const int fd = CreateTempBeside(copy, temp);
        if (fd < 0)
            return errno;
        error = CopyBytes(target, fd);
        if (::close(fd) != 0 && error == 0)
            error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), copy.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temp.c_str());
    return error;
}

// Makes the renames in the directory durable; a directory that cannot be synced is left as is.
void SyncDirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::string SafetyCopyName(std::string_view fileName) {
    const std::string ext = ExtractFileExt(fileName).substr(0, 6);
    const std::string letters = ext.size() > 2 ? ext.substr(2, 2) : std::string();
    return ChangeFileExt(fileName, ".~" + letters);
}

std::unique_ptr<ReplacingFile> ReplacingFile::Create(std::string_view fileName, int& error) {
    std::string temp;
    const int fd = CreateTempBeside(FsString(fileName), temp);
    if (fd < 0) {
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
    if (!ok)
        return Fail(err != 0 ? err : EIO);

    // At every instant the target holds either the old or the new version: the safety copy is
    // a second name of the old file (or a copy of it), and one rename puts the new one in place.
    const std::string target = FsString(fileName_);
    const std::string copy = copyName_.empty() ? std::string() : FsString(copyName_);
    // A safety-copy name keeps no copy of its own.
    const bool keepsCopy = !copy.empty() && copy != target;
    const bool existed = Exists(target);
    if (keepsCopy && existed) {
        const int copyError = KeepSafetyCopy(target, copy);
        if (copyError != 0)
            return Fail(copyError);
    }
    if (::rename(tempPath_.c_str(), target.c_str()) != 0)
        return Fail(errno);
    // Where there was no file there is no previous version: an older copy would pass for one.
    if (keepsCopy && !existed)
        ::unlink(copy.c_str());
    SyncDirectoryOf(target);
    return true;
}

bool ReplacingFile::Fail(int error) {
    error_ = error;
    ::unlink(tempPath_.c_str());
    return false;
}

void ReplacingFile::Abandon() {
    if (file_ == nullptr)
        return;
    std::fclose(file_);
    file_ = nullptr;
    ::unlink(tempPath_.c_str());
}

} // namespace panolcd
