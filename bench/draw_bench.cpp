// Costs of drawing: a full playfield redraw with the frame composed and presented,
// and decoding every image built into the program (done once at start-up).
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "layout/embedded_artwork.h"
#include "platform/headless/headless.h"

namespace {

void BM_DrawBoardAndPresent(benchmark::State& state) {
    platform::HeadlessPlatform headless;
    FrmMain form(headless);
    form.Form_Load();
    form.Show();
    form.Rnd.Seed(7);
    form.NewBoard();
    for (int r = 4; r <= game::kFloorRow; ++r)
        for (int c = 0; c <= game::kLastColumn; ++c)
            if (form.Board[r][c] == 0)
                form.Board[r][c] = static_cast<std::int16_t>(1 + (r * 7 + c) % 6);
    for (auto _ : state) {
        form.DrawBoard();
        form.Present();
    }
}
BENCHMARK(BM_DrawBoardAndPresent);

// Every built-in picture, unpacked from the program into images as start-up does.
void BM_UnpackAllPictures(benchmark::State& state) {
    const layout::Assets assets;
    for (auto _ : state) {
        for (std::size_t i = 0; i < layout::kEmbeddedPictureCount; ++i)
            benchmark::DoNotOptimize(assets.Image(layout::kEmbeddedPictures[i].name));
    }
}
BENCHMARK(BM_UnpackAllPictures)->Unit(benchmark::kMillisecond);

}  // namespace
