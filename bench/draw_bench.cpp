// Costs of drawing: a full playfield redraw with the frame composed and presented,
// and decoding every image built into the program (done once at start-up).
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "platform/headless.h"

namespace {

void BM_DrawBoardAndPresent(benchmark::State& state) {
    platform::HeadlessPlatform headless;
    FrmMain form(headless);
    form.Form_Load();
    form.Show();
    form.Rnd.Seed(7);
    form.NewBoard();
    for (int r = 4; r <= 15; ++r)
        for (int c = 0; c <= 11; ++c)
            if (form.Board[r][c] == 0)
                form.Board[r][c] = static_cast<std::int16_t>(1 + (r * 7 + c) % 6);
    for (auto _ : state) {
        form.DrawBoard();
        form.Present();
    }
}
BENCHMARK(BM_DrawBoardAndPresent);

void BM_DecodeAllImages(benchmark::State& state) {
    for (auto _ : state) {
        layout::Assets assets;
        benchmark::DoNotOptimize(&assets);
    }
}
BENCHMARK(BM_DecodeAllImages)->Unit(benchmark::kMillisecond);

}  // namespace
