// The file service on Linux and other POSIX systems.
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/files.h"

namespace platform {
namespace {

// What failed, with the system's reason.
std::string Failure(const std::string& what) { return what + ": " + std::strerror(errno); }

// The folder part of a path: "." for a bare name.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes all of text to fd, from where it stands; empty on success, else why not.
std::string WriteAll(int fd, const std::string& text, const std::string& path) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure("cannot write " + path);
        done += static_cast<std::size_t>(n);
    }
    return {};
}

std::string Flush(int fd, const std::string& path) {
    return fsync(fd) == 0 ? std::string() : Failure("cannot flush " + path + " to disk");
}

// The file a path stands for: the path itself, or the file its chain of symbolic links
// ends at (a relative link counts from its own folder), so that a save writes through
// a link into the player's own file instead of replacing the link.
std::string LinkTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        char target[4096];
        const ssize_t n = readlink(path.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) == sizeof target) return path;
        const std::string next(target, static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
    }
    return path;
}

// The player may write the file: a file without any write permission is one the player
// made read-only, which the game leaves alone even where it could replace it (as root).
bool Writable(const std::string& path, const struct stat& info) {
    return (info.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

// Overwrites the file where it stands, for a folder the game may not create files in:
// the new text is written over the old, the rest cut off, and all flushed to disk.
bool WriteInPlace(const std::string& path, const std::string& contents, std::string& error) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        error = Failure("cannot write " + path);
        return false;
    }
    std::string why = WriteAll(fd, contents, path);
    if (why.empty() && ftruncate(fd, static_cast<off_t>(contents.size())) != 0)
        why = Failure("cannot shorten " + path);
    if (why.empty()) why = Flush(fd, path);
    close(fd);
    error = why;
    return why.empty();
}

// Makes a rename inside the folder last through a power cut. Best effort: the new
// file is complete either way.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// True when fd and path are the same file: a lock file still in its place.
bool StillThere(int fd, const std::string& path) {
    struct stat held {
    }, named{};
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

constexpr auto kLockPatience = std::chrono::seconds(2);
constexpr auto kLockRetry = std::chrono::milliseconds(10);

}  // namespace

std::string UserConfigDir() {
    std::string dir;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules ask.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg == '/') {
        dir = xdg;
    } else {
        // Without HOME (a service, a cleaned environment) the account's own home.
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            const passwd* account = getpwuid(getuid());
            home = account != nullptr ? account->pw_dir : nullptr;
        }
        if (home == nullptr || *home == '\0') return {};
        dir = home;
        while (!dir.empty() && dir.back() == '/') dir.pop_back();
        dir += "/.config";
    }
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

// Opened without blocking, so that a pipe in the file's place cannot hold up start-up.
std::string ReadFileHead(const std::string& path, std::size_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    std::string text;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        text.resize(limit);
        std::size_t got = 0;
        while (got < limit) {
            const ssize_t n = read(fd, text.data() + got, limit - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
    }
    close(fd);
    return text;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void RemoveFile(const std::string& path) { unlink(path.c_str()); }

// A temporary file in the file's own folder is written with the old file's permissions,
// flushed to disk and renamed over the old one. Where the folder takes no new file,
// the file is overwritten in place instead, which is all the player's rights allow.
bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error) {
    std::error_code created;
    std::filesystem::create_directories(FolderOf(path), created);
    if (created) {
        error = "cannot create the folder " + FolderOf(path) + ": " + created.message();
        return false;
    }
    const std::string file = LinkTarget(path);
    const std::string folder = FolderOf(file);
    struct stat old {};
    const bool exists = stat(file.c_str(), &old) == 0;
    if (exists && !Writable(file, old)) {
        error = file + " is read-only";
        return false;
    }
    std::string temporary = file + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0 && exists && (errno == EACCES || errno == EPERM))
        return WriteInPlace(file, contents, error);
    if (fd < 0) {
        error = Failure("cannot create a file in " + folder);
        return false;
    }
    if (exists) fchmod(fd, old.st_mode & 07777);
    std::string why = WriteAll(fd, contents, temporary);
    if (why.empty()) why = Flush(fd, temporary);
    if (close(fd) != 0 && why.empty()) why = Failure("cannot close " + temporary);
    if (why.empty() && std::rename(temporary.c_str(), file.c_str()) != 0)
        why = Failure("cannot replace " + file);
    if (!why.empty()) {
        unlink(temporary.c_str());
        error = why;
        return false;
    }
    SyncFolder(folder);
    return true;
}

// flock on "<file>.lock" beside the file (links resolved, as ReplaceFileContents
// writes there): the system gives the lock back when a holder dies, so a crashed game
// never blocks the next. The holder removes the lock file before it lets go; a waiter
// that then finds its file gone from the folder starts again with a new one. Where no
// lock file can be made, the folder takes no new file and saves overwrite the file in
// place, so the file itself, which then keeps its identity, is locked instead.
FileLock::FileLock(const std::string& path) : lockFile_(LinkTarget(path) + ".lock") {
    std::error_code ignored;
    std::filesystem::create_directories(FolderOf(lockFile_), ignored);
    const auto giveUpAt = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
        int fd = open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        const bool ownFile = fd >= 0;
        if (!ownFile) fd = open(LinkTarget(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) break;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (!ownFile || StillThere(fd, lockFile_)) {
                handle_ = fd;
                if (!ownFile) lockFile_.clear();
                return;
            }
            close(fd);
            continue;
        }
        close(fd);
        if (std::chrono::steady_clock::now() >= giveUpAt) break;
        std::this_thread::sleep_for(kLockRetry);
    }
    lockFile_.clear();
}

FileLock::~FileLock() {
    if (!Held()) return;
    if (!lockFile_.empty()) unlink(lockFile_.c_str());
    close(static_cast<int>(handle_));
}

}  // namespace platform
