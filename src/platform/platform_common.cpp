// Parts of the platform seam shared by the real and the headless backend.
#include "platform/platform.h"

#include <cstdlib>

namespace platform {

std::string UserConfigDir() {
    std::string dir;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules ask.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg == '/') {
        dir = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            return {};
        }
        dir = home;
        while (!dir.empty() && dir.back() == '/') {
            dir.pop_back();
        }
        dir += "/.config";
    }
    while (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    return dir;
}

}  // namespace platform
