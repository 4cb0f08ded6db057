// What the SDL front end needs from the operating system itself, beyond SDL:
// posix_system.cpp on Linux, win_system.cpp on Windows, chosen at link time.
#pragma once

#include <string>

namespace platform {

// Starts SDL's video subsystem the way this system wants it; SDL_Init's result.
int StartVideo();

// The folder that holds the running program's own file (on Linux with links resolved),
// UTF-8, without a trailing separator; empty when the system cannot tell.
std::string ExecutableDir();

}  // namespace platform
