// The file service on Linux and other POSIX systems.
#include <fcntl.h>
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

// Writes all of text to fd and flushes it to the disk; empty on success, else why not.
std::string WriteDurably(int fd, const std::string& text, const std::string& path) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure("cannot write " + path);
        done += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0) return Failure("cannot flush " + path + " to disk");
    return {};
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
        const char* home = std::getenv("HOME");
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

// A temporary file in the same folder is written, flushed to disk and renamed over the
// old one.
bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error) {
    const std::string folder = FolderOf(path);
    std::error_code created;
    std::filesystem::create_directories(folder, created);
    if (created) {
        error = "cannot create the folder " + folder + ": " + created.message();
        return false;
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = Failure("cannot create a file in " + folder);
        return false;
    }
    std::string why = WriteDurably(fd, contents, temporary);
    if (close(fd) != 0 && why.empty()) why = Failure("cannot close " + temporary);
    if (why.empty() && std::rename(temporary.c_str(), path.c_str()) != 0)
        why = Failure("cannot replace " + path);
    if (!why.empty()) {
        unlink(temporary.c_str());
        error = why;
        return false;
    }
    SyncFolder(folder);
    return true;
}

// flock on "<path>.lock": the system gives the lock back when a holder dies, so a
// crashed game never blocks the next. The holder removes the lock file before it lets
// go; a waiter that then finds its file gone from the folder starts again with a new one.
FileLock::FileLock(const std::string& path) : lockFile_(path + ".lock") {
    const auto giveUpAt = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
        const int fd = open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) break;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (StillThere(fd, lockFile_)) {
                handle_ = fd;
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
    unlink(lockFile_.c_str());
    close(static_cast<int>(handle_));
}

}  // namespace platform
