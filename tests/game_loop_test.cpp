// The game loop, Delay, spawning, and the fall and landing of a can.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace game;

using Delay = test::GameTest;
using GameStep = test::BoardTest;
using NewGame = test::GameTest;

TEST_F(Delay, WaitsTheWholeTimeHandlingEventsDueMeanwhileAndOnceWhenZeroOrLess) {
    const std::uint64_t start = g.Now();
    std::vector<std::uint64_t> handled;
    for (std::uint64_t at : {start, start, start + 100, start + 499, start + 700})
        g.At(at, [&] { handled.push_back(g.Now()); });
    f.Delay(0);
    f.Delay(-40);
    EXPECT_EQ(handled, (std::vector<std::uint64_t>{start, start}));
    f.Delay(500);
    EXPECT_EQ(g.Now(), start + 500);
    EXPECT_EQ(handled, (std::vector<std::uint64_t>{start, start, start + 100, start + 499}));
}

TEST_F(GameStep, PaintsTheNewCanAtRowZeroThenRollsItDownWithTwoCopiesAStep) {
    f.GameStep();
    ASSERT_TRUE(f.CanFalling);
    const int x = f.CanX;
    const std::uint32_t emptyPixel = f.pctEmptyBeer.Pixels().At(16, 0) & 0xFFFFFF;
    EXPECT_TRUE(g.Shows(f.pctBeer[CanSprite(f.CanKind, 0)], x, f.RowY[0]));
    for (int step = 1; step <= 9; ++step) {
        SCOPED_TRACE(step);
        const int y = f.RowY[0] + 5 * step;
        ASSERT_EQ(f.CanY, y);
        const auto copies = g.CopiesDuring([&] { f.GameStep(); });
        ASSERT_EQ(copies.size(), 2u);
        EXPECT_EQ(copies[0].y, y - 5);  // the strip the can has left
        EXPECT_EQ(copies[0].h, 5);
        EXPECT_EQ(copies[1].y, y);
        EXPECT_TRUE(g.Shows(f.pctBeer[CanSprite(f.CanKind, step % kRollFrames)], x, y));
        EXPECT_EQ(g.Pixel(x + 16, y - 1), emptyPixel);
    }
}

TEST(Landing, OnTheFloorOrFivePixelsIntoTheRowAboveAStackTheCanSnapsIntoItWithFourCopies) {
    struct Case {
        std::initializer_list<const char*> rows;
        int kind, column, steps, row, points;
    };
    const Case cases[] = {
        // It reaches into the floor row once its top passes the row above: 58 steps of
        // 5 pixels.
        {{}, 2, 5, 58, kFloorRow, 2 * kFloorRow},
        {{"....2.......", "....1.......", "....2.......", "....1.......", "....2.......",
          "....1......."},
         4,
         4,
         34,
         9,
         18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        g.SetBoard(c.rows);
        g.PutFallingCan(c.kind, c.column);
        int steps = 0;
        std::vector<forms::Rect> copies;  // of the last step: never a redrawn board
        for (; f.CanFalling && steps < 100; ++steps) copies = g.CopiesDuring([&] { f.GameStep(); });
        EXPECT_EQ(steps, c.steps);
        ASSERT_EQ(copies.size(), 4u);
        EXPECT_EQ(copies[2].y, f.RowY[c.row - 1] + 5);  // erased where it was drawn
        EXPECT_EQ(copies[3].y, f.RowY[c.row]);          // and drawn snapped into its cell
        EXPECT_EQ(f.CanY, f.RowY[c.row - 1] + 5);
        EXPECT_EQ(f.Board[c.row][c.column], c.kind + 1);
        // The frame that follows the last one drawn in flight is stored.
        EXPECT_EQ(f.BoardFrame[c.row][c.column], c.steps % kRollFrames);
        EXPECT_EQ(f.Score, c.points);
        EXPECT_EQ(g.ScoreShown(), "00000" + std::to_string(c.points));
        EXPECT_TRUE(g.Shows(f.pctBeer[CanSprite(c.kind, c.steps % kRollFrames)],
                            f.ColumnX[c.column], f.RowY[c.row]));
        EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[c.column], f.RowY[c.row - 1]));
    }
}

TEST_F(GameStep, NewCanOnAnOccupiedRowOneLandsAtOnceForNoPoints) {
    for (int c = 0; c <= kLastColumn; ++c) f.Board[1][c] = static_cast<std::int16_t>(1 + c % 2);
    f.GameStep();
    const int column = (f.CanX - f.ColumnX[0]) / kColumnPitch;
    EXPECT_FALSE(f.CanFalling);
    EXPECT_EQ(f.Board[0][column], f.CanKind + 1);
    EXPECT_TRUE(f.Score == 0 && f.Lives == kLives);
}

TEST_F(GameStep, DoesNothingWhilePausedOrWhenTheGameIsOver) {
    for (bool paused : {true, false}) {
        f.Paused = paused;
        f.GameOver = !paused;
        f.CanFalling = false;
        game::Random dice = f.Rnd;
        EXPECT_TRUE(g.CopiesDuring([&] { f.GameStep(); }).empty());
        EXPECT_FALSE(f.CanFalling);
        EXPECT_EQ(f.Rnd(), dice());  // no can was spawned
    }
}

TEST_F(NewGame, StartsAfterTwoSecondsWithFullMugsAndThePauseFace) {
    f.pctLives[1].Picture = f.frmGraphics.pctEmptyMug.Picture;
    const std::uint64_t t0 = g.NewGame();
    g.At(t0 + kNewGameWait - 1, [&] {
        EXPECT_TRUE(!f.GameOver && f.Lives == kLives && f.TickDelay == kNewGameTickDelay &&
                    !f.pctAction.Visible && !f.CanFalling);
        EXPECT_TRUE(g.MugsShow(kLives));
    });
    g.At(t0 + kNewGameWait + 1, [&] {
        EXPECT_TRUE(f.CanFalling && f.pctAction.Visible);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
        EXPECT_EQ(f.pctAction.ToolTipText(), "Pause");
        EXPECT_EQ(g.ScoreShown(), "0000000");
    });
    g.Run();
}

TEST(Unattended, GamePlaysUntilLostTheSameWayForTheSameSeed) {
    std::vector<std::pair<std::uint64_t, std::int32_t>> ends;
    for (int run = 0; run < 2; ++run) {
        test::Game g(42);
        FrmMain& f = g.form();
        g.NewGame();
        EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
        EXPECT_TRUE(f.Lives == 0 && f.GameOver && !f.pctAction.Visible && f.pctNew.Visible &&
                    g.MugsShow(0));
        char shown[8];
        std::snprintf(shown, sizeof shown, "%07d", static_cast<int>(f.Score));
        EXPECT_EQ(g.ScoreShown(), shown);
        ends.emplace_back(g.Now(), f.Score);
    }
    EXPECT_GT(ends[0].second, 0);
    EXPECT_EQ(ends[0], ends[1]);
}

TEST_F(NewGame, LoweredTickDelayIsUsedByTheVeryNextWait) {
    f.Rnd.Seed(8);
    const std::uint64_t t0 = g.NewGame();
    // The first step ran at t0 + 2000; let the next one land a can for 30 points.
    g.At(t0 + 2045, [&] {
        f.Score = 9990;
        f.CanY = f.RowY[kFloorRow - 1] + 5;
    });
    g.At(t0 + 2091,
         [&] { EXPECT_TRUE(f.TickDelay == kNewGameTickDelay - kTickShortening && !f.CanFalling); });
    g.At(t0 + 2179, [&] { EXPECT_TRUE(f.CanFalling); });  // spawned at t0 + 2090 + 88
    g.Run();
}

TEST_F(NewGame, ClickedDuringAGameRunsItsOwnGameThenTheInterruptedLoopEndsToo) {
    f.Rnd.Seed(9);
    const std::uint64_t t1 = g.NewGame() + 30'000;
    const std::uint64_t nameTyped = t1 + 3000;
    g.At(t1 - 1, [&] { EXPECT_GT(f.Score, 0); });
    // The running game's score opens name entry; Enter ends it.
    g.Click(t1, f.pctNew);
    g.Key(nameTyped, platform::kKeyEnter);
    std::int32_t frozenY = 0;
    g.At(t1 + 1000, [&] {
        EXPECT_TRUE(f.Lives == kLives && f.EnteringName);
        frozenY = f.CanY;
    });
    g.At(nameTyped - 1, [&] { EXPECT_EQ(f.CanY, frozenY); });  // the old loop is suspended
    g.At(nameTyped + 1, [&] { EXPECT_TRUE(f.Score == 0 && !f.Paused && f.CanFalling); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_TRUE(f.Lives == 0 && f.GameOver && !f.pctAction.Visible);
}

}  // namespace
