#include "framework/exchange/safetycopy.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/environment/msgbox.h"
#include "framework/exchange/exchangecontext.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace panolcd {
namespace {

constexpr int kMaxLinks = 40; // as the system follows them

std::string FsString(std::string_view storedName) {
    return ToFsPath(storedName).string();
}

std::string DirectoryPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path names: symbolic links followed to the path they point at, which need not
// exist yet. Empty (errno ELOOP) for links that never end.
std::string FollowLinks(std::string path) {
    for (int depth = 0; depth <= kMaxLinks; ++depth) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0)
            return path; // no link
        const std::string link(target, static_cast<std::size_t>(length));
        path = link.starts_with('/') ? link : DirectoryPart(path) + link;
    }
    errno = ELOOP;
    return {};
}

bool ModeIsReadOnly(const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// An existing file that is not to be replaced without asking; `path` has its links followed.
bool ReadOnlyAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return ModeIsReadOnly(info) || ::access(path.c_str(), W_OK) != 0;
}

bool Consented(const std::string& path) {
    const std::vector<std::string>& consents = ExchangeCtx().readOnlyConsents;
    return std::ranges::find(consents, path) != consents.end();
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

// A new file beside `target`, opened for writing with O_EXCL; -1 with errno set. It gets the
// usual permissions, or no more than the existing target's: a private file is never readable
// by others while it is written.
int CreateTempBeside(const std::string& target, std::string& tempPath) {
    struct stat info {};
    const mode_t mode = ::stat(target.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0666;
    return TryTempNames(target, tempPath, [mode](const std::string& path) {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    });
}

// The new version takes the owner (where the system lets it) and the mode of the file it
// replaces. 0 or the errno value.
int TakeModeOf(const std::string& target, int fd) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0)
        return 0; // a new file
    if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
        // Only the superuser may give a file away: another's file becomes the writer's.
    }
    // After the owner: a change of owner clears the set-id bits.
    return ::fchmod(fd, info.st_mode & 07777) == 0 ? 0 : errno;
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

bool IsReadOnlyFile(std::string_view fileName) {
    const std::string path = FollowLinks(FsString(fileName));
    return !path.empty() && ReadOnlyAt(path);
}

ReadOnlyConsent::ReadOnlyConsent(std::string_view fileName)
    : path_(FollowLinks(FsString(fileName))) {
    if (!path_.empty())
        ExchangeCtx().readOnlyConsents.push_back(path_);
}

ReadOnlyConsent::~ReadOnlyConsent() {
    if (path_.empty())
        return;
    std::vector<std::string>& consents = ExchangeCtx().readOnlyConsents;
    if (const auto it = std::ranges::find(consents, path_); it != consents.end())
        consents.erase(it);
}

std::optional<ReadOnlyConsent> AskReplaceReadOnly(std::string_view fileName) {
    if (!IsReadOnlyFile(fileName))
        return ReadOnlyConsent();
    const std::string question = Utf8ToCp1250("Soubor ") + std::string(fileName) +
                                 Utf8ToCp1250(" je jen pro čtení. Přesto ho přepsat?");
    if (MsgBox("", question, mb::kIconQuestion | mb::kYesNo) != MsgResult::Yes)
        return std::nullopt;
    return ReadOnlyConsent(fileName);
}

std::unique_ptr<ReplacingFile> ReplacingFile::Create(std::string_view fileName, int& error) {
    const std::string target = FollowLinks(FsString(fileName));
    if (target.empty()) {
        error = errno;
        return nullptr;
    }
    if (ReadOnlyAt(target) && !Consented(target)) {
        error = EACCES;
        return nullptr;
    }
    std::string temp;
    const int fd = CreateTempBeside(target, temp);
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
    return std::unique_ptr<ReplacingFile>(
        new ReplacingFile(std::string(fileName), target, temp, file));
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
    const std::string& target = targetPath_;
    bool ok = std::fflush(file_) == 0;
    int err = errno;
    if (ok) {
        err = TakeModeOf(target, ::fileno(file_));
        ok = err == 0;
    }
    if (ok && ::fsync(::fileno(file_)) != 0) {
        ok = false;
        err = errno;
    }
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        err = errno;
    }
    file_ = nullptr;
    if (!ok)
        return Fail(err != 0 ? err : EIO);

    // At every instant the target holds either the old or the new version: the safety copy is
    // a second name of the old file (or a copy of it), and one rename puts the new one in place.
    const std::string copy = CopyPath();
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

std::string ReplacingFile::CopyPath() const {
    if (copyName_.empty())
        return {};
    if (targetPath_ == FsString(fileName_))
        return FsString(copyName_);
    // Through a link: the copy goes beside the file the link names, named after it as the copy
    // of the link's name would be.
    return FsString(ChangeFileExt(FromFsPath(targetPath_), ExtractFileExt(copyName_)));
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
