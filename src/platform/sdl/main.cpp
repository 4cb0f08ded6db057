// Frothwick: the real program, on the SDL window.
#include <stdexcept>

#include "app/frm_main.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/system.h"

int main() {
    try {
        platform::SdlPlatform sdl;
        PlayUntilClosed(sdl);
    } catch (const std::exception& failure) {
        // Start-up failed (no display, no video, no window): nothing has been saved.
        platform::ReportStartFailure(failure.what());
        return 1;
    }
    return 0;
}
