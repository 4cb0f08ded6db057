// The SDL front end's system services on Windows.
#include <cstdio>
#include <string>

#include <SDL.h>
#include <windows.h>

#include "platform/sdl/system.h"
#include "platform/win/text.h"

namespace platform {

int StartVideo() { return SDL_Init(SDL_INIT_VIDEO); }

std::string ExecutableDir() {
    // Long paths need more than MAX_PATH; a buffer that came back full was too small.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return {};
    path.resize(separator);
    return Narrow(path);
}

void ReportStartFailure(const std::string& why) {
    const std::string text = "Frothwick cannot start: " + why;
    std::fprintf(stderr, "Frothwick: cannot start: %s\n", why.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Frothwick", text.c_str(), nullptr);
}

}  // namespace platform
