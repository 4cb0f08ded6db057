// Plays one WAV file through the real SDL backend and reports how long the program was
// held (ms). Usage: sound_probe FILE [async]. Without "async" the sound plays
// synchronously and the time is that of the call; with it, the sound starts, and 300 ms
// later the platform closes while it still plays: the time is from the start to the
// end of the closing.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "platform/sdl/sdl_platform.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) return 2;
    const bool async = argc == 3 && std::string(argv[2]) == "async";
    auto sdl = std::make_unique<platform::SdlPlatform>();
    const auto start = std::chrono::steady_clock::now();
    sdl->PlaySound(argv[1], !async);
    if (async) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sdl.reset();
    }
    const std::chrono::duration<double, std::milli> held = std::chrono::steady_clock::now() - start;
    std::printf("%.0f\n", held.count());
    return 0;
}
