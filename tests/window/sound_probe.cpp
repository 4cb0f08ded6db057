// Plays one WAV file through the real SDL backend, synchronously, and reports how long
// the call held the program (ms). Usage: sound_probe FILE.
#include <chrono>
#include <cstdio>

#include "platform/sdl_platform.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    platform::SdlPlatform sdl;
    const auto start = std::chrono::steady_clock::now();
    sdl.PlaySound(argv[1], true);
    const std::chrono::duration<double, std::milli> held = std::chrono::steady_clock::now() - start;
    std::printf("%.0f\n", held.count());
    return 0;
}
