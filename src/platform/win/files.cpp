// The file service on Windows. Paths arrive as UTF-8 with '/' and are handed to the
// system's wide-character calls with '\'.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/files.h"
#include "platform/win/text.h"

namespace platform {
namespace {

std::wstring SystemPath(const std::string& path) {
    std::wstring wide = Widen(path);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    return wide;
}

// What failed, with the system's reason for the last error.
std::string Failure(const std::string& what) {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = text != nullptr ? Narrow(text) : "error " + std::to_string(code);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return what + ": " + reason;
}

// The folder part of a path: "." for a bare name.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Writes all of text to the file and flushes it to the disk; empty on success, else
// why not.
std::string WriteDurably(HANDLE file, const std::string& text, const std::string& path) {
    for (std::size_t done = 0; done < text.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, text.data() + done, chunk, &written, nullptr))
            return Failure("cannot write " + path);
        done += written;
    }
    if (!FlushFileBuffers(file)) return Failure("cannot flush " + path + " to disk");
    return {};
}

constexpr auto kLockPatience = std::chrono::seconds(2);
constexpr auto kLockRetry = std::chrono::milliseconds(10);
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

// %APPDATA%, the roaming application data of the user, as Windows programs keep it.
std::string UserConfigDir() {
    const DWORD size = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(L"APPDATA", value.data(), size));
    std::string dir = Narrow(value);
    for (char& c : dir)
        if (c == '\\') c = '/';
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

// Shared with writers and deleters, so that reading never stands in another
// program's way.
std::string ReadFileHead(const std::string& path, std::size_t limit) {
    const HANDLE file = CreateFileW(SystemPath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    if (GetFileType(file) == FILE_TYPE_DISK) {
        text.resize(limit);
        std::size_t got = 0;
        while (got < limit) {
            DWORD n = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(limit - got, 1 << 20));
            if (!ReadFile(file, text.data() + got, chunk, &n, nullptr) || n == 0) break;
            got += n;
        }
        text.resize(got);
    }
    CloseHandle(file);
    return text;
}

bool IsRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

void RemoveFile(const std::string& path) { DeleteFileW(SystemPath(path).c_str()); }

// A temporary file in the same folder is written, flushed to disk and moved over the
// old one, the move itself written through to the disk before it returns.
bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error) {
    const std::string folder = FolderOf(path);
    std::error_code created;
    std::filesystem::create_directories(std::filesystem::path(SystemPath(folder)), created);
    if (created) {
        error = "cannot create the folder " + folder + ": " + created.message();
        return false;
    }
    wchar_t temporary[MAX_PATH + 1] = {};
    if (GetTempFileNameW(SystemPath(folder).c_str(), L"ini", 0, temporary) == 0) {
        error = Failure("cannot create a file in " + folder);
        return false;
    }
    const std::string temporaryName = Narrow(temporary);
    const HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string why = file == INVALID_HANDLE_VALUE ? Failure("cannot open " + temporaryName)
                                                   : WriteDurably(file, contents, temporaryName);
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file) && why.empty())
        why = Failure("cannot close " + temporaryName);
    if (why.empty() && !MoveFileExW(temporary, SystemPath(path).c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        why = Failure("cannot replace " + path);
    if (!why.empty()) {
        DeleteFileW(temporary);
        error = why;
        return false;
    }
    return true;
}

// LockFileEx on "<path>.lock", opened to be deleted once its last handle closes: the
// system gives the lock back when a holder dies, and the file goes with the last
// process that has it open. While it is being deleted it cannot be opened; a waiter
// then tries again, and finds a new one once it is gone.
FileLock::FileLock(const std::string& path) {
    const std::wstring lockPath = SystemPath(path + ".lock");
    const auto giveUpAt = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
        const HANDLE file =
            CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            OVERLAPPED from{};
            if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                           &from)) {
                handle_ = reinterpret_cast<std::intptr_t>(file);
                return;
            }
            CloseHandle(file);
        } else if (GetLastError() != ERROR_ACCESS_DENIED &&
                   GetLastError() != ERROR_SHARING_VIOLATION) {
            return;  // no folder, or no right to make the file
        }
        if (std::chrono::steady_clock::now() >= giveUpAt) return;
        std::this_thread::sleep_for(kLockRetry);
    }
}

FileLock::~FileLock() {
    if (!Held()) return;
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    OVERLAPPED from{};
    UnlockFileEx(file, 0, 1, 0, &from);
    CloseHandle(file);
}

}  // namespace platform
