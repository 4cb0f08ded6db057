// What the SDL front end needs from the operating system itself, beyond SDL:
// posix/system.cpp on Linux, win/system.cpp on Windows, chosen at link time.
#pragma once

#include <string>

namespace platform {

// Starts SDL's video subsystem the way this system wants it; SDL_Init's result.
int StartVideo();

// The folder that holds the running program's own file (on Linux with links resolved),
// UTF-8, without a trailing separator; empty when the system cannot tell.
std::string ExecutableDir();

// Tells the player that the game cannot start, and why: one line on standard error
// and, on Windows, where a program started from its icon has no console, a message
// box as well. Called by main when the window cannot be had.
void ReportStartFailure(const std::string& why);

}  // namespace platform
