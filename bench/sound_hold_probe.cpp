// How long sound calls hold the game's thread on the real SDL backend, run as the game
// makes them: a burp starts (asynchronously) while the game keeps polling for events
// as a can falls, then the next burp. Then the process idles for three seconds after
// the last burp, and finally the window is closed while a burp plays.
// Prints: "<longest PlaySound ms> <longest PollEvent ms> <wake-ups of the other threads
// while idle> <closing during a burp ms>".
// Usage: sound_hold_probe BURP.WAV
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "platform/sdl/sdl_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Context switches of every thread of this process but the calling one.
long OtherThreadsSwitches() {
    long total = 0;
    const std::string self = std::to_string(gettid());
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        if (task.path().filename() == self) continue;
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.find("ctxt_switches:") != std::string::npos)
                total += std::stol(line.substr(line.find(':') + 1));
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    auto sdl = std::make_unique<platform::SdlPlatform>();
    sdl->OpenWindow("sound", 64, 64);
    const std::vector<std::uint32_t> frame(64 * 64, 0xFF000000u);
    sdl->Present(frame.data(), 64, 64, {});

    double longestPlay = 0, longestPoll = 0;
    constexpr int kBurps = 8;
    for (int i = 0; i < kBurps; ++i) {
        const auto start = Clock::now();
        sdl->PlaySound(argv[1], false);
        longestPlay = std::max(longestPlay, MsSince(start));
        // A can falls for two seconds: the game polls every few milliseconds.
        const auto fall = Clock::now();
        while (MsSince(fall) < 2000) {
            const auto poll = Clock::now();
            platform::Event event;
            while (sdl->PollEvent(event)) {}
            longestPoll = std::max(longestPoll, MsSince(poll));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    const long switchesBefore = OtherThreadsSwitches();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const long idleWakeups = OtherThreadsSwitches() - switchesBefore;

    sdl->PlaySound(argv[1], false);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto close = Clock::now();
    sdl.reset();
    std::printf("%.2f %.2f %ld %.2f\n", longestPlay, longestPoll, idleWakeups, MsSince(close));
    return 0;
}
