// How closely Delay keeps its deadline on the real SDL backend: the mean and worst
// overshoot of 200 waits of 90 ms, in milliseconds. Run under an X server.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/frm_main.h"
#include "platform/sdl/sdl_platform.h"

int main() {
    platform::SdlPlatform sdl;
    FrmMain form(sdl);
    form.Form_Load();
    form.Show();
    constexpr int kWaits = 200;
    constexpr std::int16_t kDelay = 90;
    double total = 0, worst = 0;
    for (int i = 0; i < kWaits; ++i) {
        const auto start = std::chrono::steady_clock::now();
        form.Delay(kDelay);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        const double over = took.count() - kDelay;
        total += over;
        worst = std::max(worst, over);
    }
    std::printf("%.3f %.3f\n", total / kWaits, worst);
    return 0;
}
