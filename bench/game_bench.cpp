// Costs of the game's own work: one game step of a falling can, one that lands it,
// and a full sweep for blocks on a busy board that holds none.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "platform/headless.h"

namespace {

// A window in a running game with an empty board, as after New Game.
struct PlayingWindow {
    platform::HeadlessPlatform headless;
    FrmMain form{headless};

    PlayingWindow() {
        form.Form_Load();
        form.Show();
        form.GameOver = false;
        form.TickDelay = 90;
        form.DrawBoard();
    }

    void PutFallingCan(int column, int y) {
        form.CanKind = 2;
        form.CanX = form.ColumnX[column];
        form.CanY = y;
        form.CanFalling = true;
    }
};

void BM_GameStepFalling(benchmark::State& state) {
    PlayingWindow w;
    for (auto _ : state) {
        w.PutFallingCan(5, w.form.RowY[3]);
        w.form.GameStep();
    }
}
BENCHMARK(BM_GameStepFalling);

// Lands on a stack of two, so the landing is checked against all five blocks.
void BM_GameStepLanding(benchmark::State& state) {
    PlayingWindow w;
    w.form.Board[14][5] = 1;
    w.form.Board[15][5] = 2;
    for (auto _ : state) {
        w.form.Board[13][5] = 0;
        w.form.Score = 0;
        w.PutFallingCan(5, w.form.RowY[13]);
        w.form.GameStep();
    }
}
BENCHMARK(BM_GameStepLanding);

void BM_CheckAllMatchesBusyBoardWithoutBlock(benchmark::State& state) {
    PlayingWindow w;
    // Neighbours in a row always differ, so no block of six exists.
    for (int r = 2; r <= 15; ++r)
        for (int c = 0; c <= 11; ++c)
            w.form.Board[r][c] = static_cast<std::int16_t>(1 + (r * 7 + c) % 6);
    for (auto _ : state) w.form.CheckAllMatches();
}
BENCHMARK(BM_CheckAllMatchesBusyBoardWithoutBlock);

}  // namespace
