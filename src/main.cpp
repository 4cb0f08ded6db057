// Frothwick: the real program, on the SDL window.
#include <iostream>
#include <stdexcept>

#include "app/frm_main.h"
#include "platform/sdl_platform.h"

int main() {
    try {
        platform::SdlPlatform sdl;
        PlayUntilClosed(sdl);
    } catch (const std::exception& failure) {
        // Start-up failed (no display, no video, no window): one line says what is
        // missing, and nothing has been saved.
        std::cerr << "Frothwick: cannot start: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
