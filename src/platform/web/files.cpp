// The file service in the browser: a page has no files, so each "file" is one entry of
// the page's local storage, named by its path. The entries keep bytes: each byte is one
// character of the stored text, so an ASCII settings text reads the same there as in a
// file. Local storage writes each entry whole, so a save is never half done, and the
// browser keeps it once the call returns. Copies of the game in several tabs take
// turns through the browser's Web Locks.
#include <emscripten.h>

#include <algorithm>
#include <cstdlib>

#include "platform/files.h"

namespace platform {
namespace {

// clang-format off
// The entry's bytes in a buffer from malloc, its length in *size; null when there is
// no such entry or the page may not use local storage.
EM_JS(char*, ReadEntry, (const char* path, int limit, int* size), {
    let text = null;
    try {
        text = window.localStorage.getItem(UTF8ToString(path));
    } catch (e) {
    }
    if (text === null) return 0;
    const length = Math.min(text.length, limit);
    const bytes = _malloc(length + 1);
    for (let i = 0; i < length; i++) HEAPU8[bytes + i] = text.charCodeAt(i) & 255;
    HEAP32[size >> 2] = length;
    return bytes;
});

// Empty when written; else why not, in a buffer from malloc.
EM_JS(char*, WriteEntry, (const char* path, const char* bytes, int size), {
    let why = "";
    try {
        let text = "";
        for (let i = 0; i < size; i += 8192)
            text += String.fromCharCode.apply(null, HEAPU8.subarray(bytes + i, bytes + Math.min(i + 8192, size)));
        window.localStorage.setItem(UTF8ToString(path), text);
    } catch (e) {
        why = "the browser keeps no more data for this page (" + e.name + ")";
    }
    const length = lengthBytesUTF8(why) + 1;
    const text = _malloc(length);
    stringToUTF8(why, text, length);
    return text;
});

EM_JS(int, HasEntry, (const char* path), {
    try {
        return window.localStorage.getItem(UTF8ToString(path)) !== null;
    } catch (e) {
        return false;
    }
});

EM_JS(void, RemoveEntry, (const char* path), {
    try {
        window.localStorage.removeItem(UTF8ToString(path));
    } catch (e) {
    }
});

// Waits up to two seconds for the browser's lock of that name; its number, or -1.
EM_ASYNC_JS(int, TakeLock, (const char* name), {
    if (!navigator.locks || typeof AbortController === "undefined") return -1;
    const held = Module.frothLocks = Module.frothLocks || {next: 0, release: {}};
    const number = held.next++;
    const patience = new AbortController();
    const timer = setTimeout(() => patience.abort(), 2000);
    const got = await new Promise(granted => {
        navigator.locks.request(UTF8ToString(name), {signal: patience.signal}, () => {
            granted(true);
            return new Promise(release => { held.release[number] = release; });
        }).catch(() => granted(false));
    });
    clearTimeout(timer);
    return got ? number : -1;
});

EM_JS(void, GiveBackLock, (int number), {
    const held = Module.frothLocks;
    if (!held || !held.release[number]) return;
    held.release[number]();
    delete held.release[number];
});
// clang-format on

}  // namespace

// Not a folder of the system: the start of every settings entry's name.
std::string UserConfigDir() { return "config"; }

std::string ReadFileHead(const std::string& path, std::size_t limit) {
    int size = 0;
    char* bytes =
        ReadEntry(path.c_str(), static_cast<int>(std::min<std::size_t>(limit, 1 << 30)), &size);
    if (bytes == nullptr) return {};
    std::string text(bytes, static_cast<std::size_t>(size));
    std::free(bytes);
    return text;
}

bool IsRegularFile(const std::string& path) { return HasEntry(path.c_str()) != 0; }

void RemoveFile(const std::string& path) { RemoveEntry(path.c_str()); }

bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error) {
    char* why = WriteEntry(path.c_str(), contents.data(), static_cast<int>(contents.size()));
    error = why;
    std::free(why);
    return error.empty();
}

FileLock::FileLock(const std::string& path) : handle_(TakeLock(path.c_str())) {}

FileLock::~FileLock() {
    if (Held()) GiveBackLock(static_cast<int>(handle_));
}

}  // namespace platform
