// Lives: the blocked spawn and the cop event, with lives left and on the last life.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace game;

void FillRowZero(FrmMain& f) {
    for (int c = 0; c <= kLastColumn; ++c) f.Board[0][c] = static_cast<std::int16_t>(1 + c % 2);
}

// The draws NewBoard makes: one per column, a second for a column that gets a stack.
void DealBoard(game::Random& dice) {
    for (int c = 0; c <= kLastColumn; ++c)
        if (dice.Pick(kObstacleOdds) == 1) dice();
}

using LoseLife = test::BoardTest;

TEST_F(LoseLife, BlockedSpawnCostsALifeAndTheSameCanFallsOnAFreshBoardOrTheGameEnds) {
    for (const std::int16_t lives : {kLives, std::int16_t{1}}) {
        SCOPED_TRACE(lives);
        g.StartOnEmptyBoard();
        f.Rnd.Seed(4);
        f.Lives = lives;
        FillRowZero(f);
        game::Random dice = f.Rnd;
        ASSERT_NE(dice.Pick(kCopOdds), 1);
        const int kind = dice.Pick(kCanKinds);
        const int column = dice.Pick(kVisibleColumns);
        const std::uint64_t start = g.Now();
        f.GameStep();
        EXPECT_EQ(g.Now(), start + kLostLifeWait);
        EXPECT_TRUE(f.Lives == lives - 1 && f.GameOver == (lives == 1) &&
                    f.CanFalling == (lives > 1));
        EXPECT_EQ(f.pctLives[lives - 1].Picture(), f.frmGraphics.pctEmptyMug.Picture());
        if (lives == 1) {
            EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.CanX, f.RowY[0]));  // no can drawn
            continue;
        }
        EXPECT_TRUE(g.MugsShow(kLives - 1));
        EXPECT_EQ(g.BoardText(), test::BoardText({}));
        EXPECT_TRUE(f.CanKind == kind && f.CanX == f.ColumnX[column]);
        EXPECT_TRUE(g.Shows(f.pctBeer[CanSprite(kind, 0)], f.ColumnX[column], f.RowY[0]));
    }
}

TEST_F(LoseLife, KeysAreIgnoredDuringTheWaitButClicksAreHandled) {
    f.Rnd.Seed(4);
    g.SetSound(true);
    FillRowZero(f);
    const std::uint64_t start = g.Now();
    g.Key(start + 100, platform::kKeyDown);
    g.Click(start + 200, f.pctSound);
    f.GameStep();
    EXPECT_TRUE(f.Score == 0 && f.CanY == f.RowY[0] + 5 && !f.SoundOn());
}

TEST_F(LoseLife, TheLastLifeEndsTheGameLoopAfterItsCurrentWait) {
    f.Rnd.Seed(6);
    const std::uint64_t t0 = g.NewGame();
    g.At(t0 + kNewGameWait + 45, [&] {
        f.Lives = 1;
        f.CanFalling = false;
        FillRowZero(f);
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    // The second step loses the life, then the loop waits one tick more and ends.
    EXPECT_EQ(g.Now(), t0 + kNewGameWait + kNewGameTickDelay + kLostLifeWait + kNewGameTickDelay);
    EXPECT_TRUE(f.GameOver && !f.pctAction.Visible);
}

TEST(CopEvent, ShowsTheCopAloneForFourSecondsWithTheSirenWhenSoundIsOnThenCostsALife) {
    std::uint64_t copSeed = 1;  // a seed whose first draw brings the cop
    for (game::Random dice; dice.Seed(copSeed), dice.Pick(kCopOdds) != 1;) ++copSeed;
    for (const bool sound : {true, false}) {
        SCOPED_TRACE(sound);
        const std::int16_t lives = sound ? kLives : 1;
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        g.SetSound(sound);
        f.Lives = lives;
        f.Rnd.Seed(copSeed);
        game::Random dice = f.Rnd;
        const std::uint64_t start = g.Now();
        const std::uint64_t siren = sound ? 2500 : 0;  // the headless siren's length
        bool seen = false;
        g.At(start + siren + 3000, [&] {
            seen = true;
            EXPECT_TRUE(f.pctSpecial.Visible &&
                        f.pctSpecial.Picture() == f.frmGraphics.pctCop.Picture());
            // 320 × 200 pixels, centred between the frame lines in whole twips.
            EXPECT_EQ(f.pctSpecial.Width, 4800);
            EXPECT_EQ(f.pctSpecial.Left, 200 + (6030 - 200) / 2 - 4800 / 2);
            EXPECT_EQ(f.pctSpecial.Top, 1080 + (6015 - 1080) / 2 - 3000 / 2);
            EXPECT_TRUE(g.FrameShows(*f.frmGraphics.pctCop.Picture(),
                                     forms::ToPixels(f.pctSpecial.Left),
                                     forms::ToPixels(f.pctSpecial.Top)));
            EXPECT_TRUE(!f.pctNew.Visible && !f.lineLeft.Visible && !f.pctScore[0].Visible &&
                        !f.pctLives[0].Visible);
            EXPECT_TRUE(f.pctLogo.Visible && f.Lives == lives);
        });
        f.GameStep();
        EXPECT_TRUE(seen);
        ASSERT_EQ(g.platform.Sounds().size(), sound ? 1u : 0u);
        if (sound) {
            const auto& siren = g.platform.Sounds()[0];
            EXPECT_TRUE(siren.path == g.home.Path() + "/siren.wav" && siren.synchronous &&
                        siren.at == start);
        }
        EXPECT_EQ(g.Now(), start + siren + kCopWait + kLostLifeWait);
        EXPECT_TRUE(!f.pctSpecial.Visible && f.pctNew.Visible && f.lineLeft.Visible);
        EXPECT_TRUE(f.Lives == lives - 1 && f.GameOver == (lives == 1) &&
                    f.CanFalling == (lives > 1));
        EXPECT_EQ(f.pctLives[lives - 1].Picture(), f.frmGraphics.pctEmptyMug.Picture());
        if (lives == 1) continue;
        EXPECT_TRUE(g.MugsShow(kLives - 1));
        // Event, two new boards (the cop's and the lost life's), then kind and column.
        EXPECT_EQ(dice.Pick(kCopOdds), 1);
        DealBoard(dice);
        DealBoard(dice);
        EXPECT_EQ(f.CanKind, dice.Pick(kCanKinds));
        EXPECT_EQ(f.CanX, f.ColumnX[dice.Pick(kVisibleColumns)]);
    }
}

}  // namespace
