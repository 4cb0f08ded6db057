// SdlPlatform's construction and shutdown, and the system services: the browser and
// the program's own folder.
#include "platform/sdl/sdl_platform.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <SDL.h>

#include "platform/sdl/system.h"

namespace platform {
namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// SDL falls back to a driver that shows nothing when no display can be reached.
bool ShowsNothing(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
           std::strcmp(driver, "dummy") == 0;
}

// What is missing when SDL found no display: the variables that name one, or the
// displays they name.
std::string NoDisplay() {
    std::string named;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (IsSet(variable))
            named +=
                std::string(named.empty() ? "" : ", ") + variable + "=" + std::getenv(variable);
    return named.empty() ? "no X11 or Wayland display (neither DISPLAY nor WAYLAND_DISPLAY is set)"
                         : "no X11 or Wayland display (cannot connect to " + named + ")";
}

}  // namespace

SdlPlatform::SdlPlatform() {
    // The window surface without a hidden renderer behind it: several times less
    // memory and start-up time, and the game draws its own frames anyway.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The game decides what closing means; one Close per request, not two.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A puzzle game in a window must not keep the screen saver away or switch off
    // the desktop's compositor.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");

    if (StartVideo() != 0) {
        throw std::runtime_error(std::string("no video (") + SDL_GetError() + ")");
    }
    // A game nobody can see would run forever; only a user who asked for such a
    // driver gets one.
    if (!IsSet("SDL_VIDEODRIVER") && ShowsNothing(SDL_GetCurrentVideoDriver())) {
        throw std::runtime_error(NoDisplay());
    }
    // SDL starts text input (and an input method connection) by default; the game
    // only reads key codes.
    SDL_StopTextInput();
}

SdlPlatform::~SdlPlatform() {
    // Closing never waits for the sound device: the window goes at once.
    const bool soundEnded = ShutdownSound();
    if (handCursor_ != nullptr) {
        SDL_FreeCursor(handCursor_);
    }
    if (pendingIcon_ != nullptr) {
        SDL_FreeSurface(pendingIcon_);
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
    // A sound thread still closing the device uses SDL's audio; SDL then stays up
    // until the process ends.
    if (soundEnded) {
        SDL_Quit();
    }
}

SDL_Surface* SdlPlatform::WrapImage(const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() <
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return nullptr;
    }
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(image.pixels.data()),
                                              image.width, image.height, 32, image.width * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

void SdlPlatform::OpenUrl(const std::string& url) { SDL_OpenURL(url.c_str()); }

// A box of the system's own over the game's window; the game waits until it is closed.
void SdlPlatform::ShowNotice(const std::string& text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Frothwick: not saved", text.c_str(), window_);
}

std::string SdlPlatform::ProgramDir() {
    std::string path = ExecutableDir();
    if (!path.empty()) {
        return path;
    }
    if (char* base = SDL_GetBasePath()) {
        path = base;
        SDL_free(base);
        while (!path.empty() && (path.back() == '/' || path.back() == '\\')) {
            path.pop_back();
        }
        return path;
    }
    return ".";
}

}  // namespace platform
