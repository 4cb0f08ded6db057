// Costs of the game's own work: one game step of a falling can, one that lands it,
// and a full sweep for blocks on a busy board that holds none.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "platform/headless/headless.h"

namespace {

using game::kFloorRow, game::kLastColumn;

// A window in a running game with an empty board, as after New Game.
struct PlayingWindow {
    platform::HeadlessPlatform headless;
    FrmMain form{headless};

    PlayingWindow() {
        form.Form_Load();
        form.Show();
        form.GameOver = false;
        form.TickDelay = game::kNewGameTickDelay;
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
    w.form.Board[kFloorRow - 1][5] = 1;
    w.form.Board[kFloorRow][5] = 2;
    for (auto _ : state) {
        w.form.Board[kFloorRow - 2][5] = 0;
        w.form.Score = 0;
        w.PutFallingCan(5, w.form.RowY[kFloorRow - 2]);
        w.form.GameStep();
    }
}
BENCHMARK(BM_GameStepLanding);

void BM_CheckAllMatchesBusyBoardWithoutBlock(benchmark::State& state) {
    PlayingWindow w;
    // Neighbours in a row always differ, so no block of six exists.
    for (int r = 2; r <= kFloorRow; ++r)
        for (int c = 0; c <= kLastColumn; ++c)
            w.form.Board[r][c] = static_cast<std::int16_t>(1 + (r * 7 + c) % 6);
    for (auto _ : state) w.form.CheckAllMatches();
}
BENCHMARK(BM_CheckAllMatchesBusyBoardWithoutBlock);

}  // namespace
