// The file service: the few things the game does with files, the same on every system.
//
// Paths are UTF-8 text with '/' between folders; a backend turns them into what its
// system takes. Every system has one backend file, picked by the build:
// posix/files.cpp on Linux, win/files.cpp on Windows, web/files.cpp in the browser.
// None of these functions throws; a failure is told by the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The folder that holds the user's settings of every program, without a trailing '/';
// the settings store puts its application's folder inside. Empty when the system
// knows no such folder for this user: nothing is then loaded or saved. Asked at every
// load and save, so it follows the environment of the moment.
std::string UserConfigDir();

// The first `limit` bytes of the file at path (all of it when shorter). Empty for a
// missing or unreadable file, and for anything that is not a plain file of data (a
// folder, a pipe, a device): reading never waits for a writer and never fails.
std::string ReadFileHead(const std::string& path, std::size_t limit);

// True when path names a plain file of data itself (not a link to one, nor a folder).
bool IsRegularFile(const std::string& path);

// Removes the file at path; a failure (no such file, no right to) is ignored. Called
// by start-up only after IsRegularFile said yes.
void RemoveFile(const std::string& path);

// Makes the file at path hold exactly contents, durably: once true is returned, the new
// contents survive a crash or power cut. Whatever happens, the file holds either its old
// contents or the new ones, never a mixture and never nothing. The file's folder is
// created when missing. A link at path is followed: the file it leads to is replaced,
// in its own folder, and keeps its permissions. A file the user made read-only is left
// as it is. Where the folder takes no new file but the file may be written, it is
// overwritten in place, which only a crash in the middle of the write could garble.
// False when the file could not be written; error then says why in words for the
// player, and the old file is as it was.
bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error);

// An exclusive lock shared by every process that locks the same path, for a short
// read-change-write of a file that several copies of the game may save at once. Taken
// by the constructor, given back by the destructor; never held while the game waits
// for the player. The lock may live in a small file beside path, which the backend
// removes again. A lock that cannot be had (no folder yet, no right to make the lock,
// another process holding it for over two seconds) is not had: Held() says so, and the
// caller goes on without it rather than lose what it was about to write.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return handle_ != kNoHandle; }

private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;  // the backend's handle of what it locked
    std::string lockFile_;              // the file it made for the lock, to remove; or empty
};

}  // namespace platform
