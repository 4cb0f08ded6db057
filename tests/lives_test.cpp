// Lives: the blocked spawn, the cop event, the end of a game, and the Exit button.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

void FillRowZero(FrmMain& f) {
    for (int c = 0; c <= 11; ++c) f.Board[0][c] = static_cast<std::int16_t>(1 + c % 2);
}

// Mug i shows a full mug for i < lives, an empty one after.
void ExpectMugs(FrmMain& f, int lives) {
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f.pctLives[i].Picture(), (i < lives ? f.frmGraphics.pctMug : f.frmGraphics.pctEmptyMug).Picture())
            << "mug " << i;
}

// The draws NewBoard makes: one per column, a second for a column that gets a stack.
void DealBoard(game::Random& dice) {
    for (int c = 0; c <= 11; ++c)
        if (dice.Pick(20) == 1) dice();
}

TEST(LoseLife, BlockedSpawnCostsALifeAndTheSameCanFallsOnAFreshBoard) {
    test::Game g(4);
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    FillRowZero(f);
    game::Random dice = f.Rnd;
    ASSERT_NE(dice.Pick(5000), 1);
    const int kind = dice.Pick(6);
    const int column = dice.Pick(12);
    const std::uint64_t start = g.Now();
    f.GameStep();
    EXPECT_EQ(g.Now(), start + 500);
    EXPECT_EQ(f.Lives, 2);
    ExpectMugs(f, 2);
    EXPECT_FALSE(f.GameOver);
    for (int c = 0; c <= 11; ++c) EXPECT_EQ(f.Board[0][c], 0);
    EXPECT_TRUE(f.CanFalling);
    EXPECT_EQ(f.CanKind, kind);
    EXPECT_EQ(f.CanX, f.ColumnX[column]);
    EXPECT_TRUE(g.Shows(f.pctBeer[kind * 8], f.ColumnX[column], f.RowY[0]));
}

TEST(LoseLife, BlockedSpawnOnTheLastLifeEndsTheGameAndDrawsNoCan) {
    test::Game g(4);
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    f.Lives = 1;
    FillRowZero(f);
    f.GameStep();
    EXPECT_EQ(f.Lives, 0);
    EXPECT_TRUE(f.GameOver);
    EXPECT_FALSE(f.CanFalling);
    EXPECT_EQ(f.pctLives[0].Picture(), f.frmGraphics.pctEmptyMug.Picture());
    EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.CanX, f.RowY[0]));
}

TEST(LoseLife, KeysAreIgnoredDuringTheWaitButClicksAreHandled) {
    test::Game g(4);
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.SetSound(true);
    FillRowZero(f);
    const std::uint64_t start = g.Now();
    g.Key(start + 100, 40);
    g.Click(start + 200, f.pctSound);
    f.GameStep();
    EXPECT_EQ(f.Score, 0);
    EXPECT_EQ(f.CanY, f.RowY[0] + 5);
    EXPECT_FALSE(f.SoundOn());
}

TEST(LoseLife, TheLastLifeEndsTheGameLoopAfterItsCurrentWait) {
    test::Game g(6);
    FrmMain& f = g.form();
    const std::uint64_t t0 = g.Now();
    g.Click(t0, f.pctNew);
    g.At(t0 + 2045, [&] {
        f.Lives = 1;
        f.CanFalling = false;
        FillRowZero(f);
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    // The step at +2090 loses the life (500 ms), then the loop waits 90 ms more and ends.
    EXPECT_EQ(g.Now(), t0 + 2090 + 500 + 90);
    EXPECT_TRUE(f.GameOver);
    EXPECT_FALSE(f.pctAction.Visible);
}

// A seed whose first draw brings the cop.
std::uint64_t CopSeed() {
    for (std::uint64_t seed = 1;; ++seed) {
        game::Random dice;
        dice.Seed(seed);
        if (dice.Pick(5000) == 1) return seed;
    }
}

TEST(CopEvent, ShowsTheCopAloneWithTheSirenThenCostsALife) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.SetSound(true);
    f.Rnd.Seed(CopSeed());
    game::Random dice = f.Rnd;
    const std::uint64_t start = g.Now();
    const std::uint64_t siren = 2500;  // the headless siren's length
    bool seen = false;
    g.At(start + siren + 3000, [&] {
        seen = true;
        EXPECT_TRUE(f.pctSpecial.Visible);
        EXPECT_EQ(f.pctSpecial.Picture(), f.frmGraphics.pctCop.Picture());
        // 320 × 200 pixels, centred between the frame lines in whole twips.
        EXPECT_EQ(f.pctSpecial.Width, 4800);
        EXPECT_EQ(f.pctSpecial.Left, 200 + (6030 - 200) / 2 - 4800 / 2);
        EXPECT_EQ(f.pctSpecial.Top, 1080 + (6015 - 1080) / 2 - 3000 / 2);
        EXPECT_TRUE(g.FrameShows(*f.frmGraphics.pctCop.Picture(), forms::ToPixels(f.pctSpecial.Left),
                                 forms::ToPixels(f.pctSpecial.Top)));
        EXPECT_FALSE(f.pctNew.Visible);
        EXPECT_FALSE(f.lineLeft.Visible);
        EXPECT_FALSE(f.pctScore[0].Visible);
        EXPECT_FALSE(f.pctLives[0].Visible);
        EXPECT_TRUE(f.pctLogo.Visible);
        EXPECT_EQ(f.Lives, 3);
    });
    f.GameStep();
    EXPECT_TRUE(seen);
    ASSERT_EQ(g.platform.Sounds().size(), 1u);
    EXPECT_EQ(g.platform.Sounds()[0].path, g.home.Path() + "/siren.wav");
    EXPECT_TRUE(g.platform.Sounds()[0].synchronous);
    EXPECT_EQ(g.platform.Sounds()[0].at, start);
    EXPECT_EQ(g.Now(), start + siren + 4000 + 500);
    EXPECT_FALSE(f.pctSpecial.Visible);
    EXPECT_TRUE(f.pctNew.Visible);
    EXPECT_TRUE(f.lineLeft.Visible);
    EXPECT_EQ(f.Lives, 2);
    ExpectMugs(f, 2);
    // Event, two new boards (the cop's and the lost life's), then kind and column.
    EXPECT_EQ(dice.Pick(5000), 1);
    DealBoard(dice);
    DealBoard(dice);
    const int kind = dice.Pick(6);
    EXPECT_EQ(f.CanKind, kind);
    EXPECT_EQ(f.CanX, f.ColumnX[dice.Pick(12)]);
    EXPECT_TRUE(f.CanFalling);
}

TEST(CopEvent, WithSoundOffIsSilentAndOnTheLastLifeEndsTheGame) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.SetSound(false);
    f.Lives = 1;
    f.Rnd.Seed(CopSeed());
    const std::uint64_t start = g.Now();
    f.GameStep();
    EXPECT_TRUE(g.platform.Sounds().empty());
    EXPECT_EQ(g.Now(), start + 4000 + 500);
    EXPECT_EQ(f.Lives, 0);
    EXPECT_TRUE(f.GameOver);
    EXPECT_FALSE(f.CanFalling);
}

TEST(Quit, EndsTheProgramFromInsideAPausedGame) {
    test::Game g(2);
    FrmMain& f = g.form();
    const std::uint64_t t0 = g.Now();
    g.Click(t0, f.pctNew);
    g.Click(t0 + 2100, f.pctAction);
    g.At(t0 + 2200, [&] { f.TickDelay = 40; });
    g.Click(t0 + 2300, f.pctQuit);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_FALSE(f.Paused);
    EXPECT_FALSE(f.GameOver);
    EXPECT_FALSE(f.CanFalling);
    EXPECT_FALSE(f.KeyBusy);
    EXPECT_EQ(f.TickDelay, 90);
}

}  // namespace
