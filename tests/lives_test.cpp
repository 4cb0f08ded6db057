// Lives: the blocked spawn and the cop event, with lives left and on the last life.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace test;
using LoseLife = BoardTest;
const char* const kFullTop = "121212121212|||||||||||||||";  // row 0 full, nothing else

TEST_F(LoseLife, ABlockedSpawnCostsALifeAfterHalfASecondAndTheCanFallsOnAFreshBoard) {
    for (const std::int16_t lives : {3, 1}) {
        SCOPED_TRACE(lives);
        g.StartOnEmptyBoard(lives);
        g.SetBoard(kFullTop);
        const std::uint64_t start = g.Now();
        g.Key(start + 100, kKeyDown);      // keys are ignored during the wait,
        g.Click(start + 200, f.pctSound);  // clicks are handled
        f.GameStep();
        EXPECT_TRUE(g.Now() == start + 500 && f.Score == 0 && f.SoundOn() == (lives == 3));
        EXPECT_TRUE(f.Lives == lives - 1 && f.GameOver == (lives == 1) && g.MugsShow(lives - 1));
        EXPECT_EQ(g.BoardText().substr(0, 13), test::Field("").substr(0, 13));
        // The can just chosen falls from row 0 of the fresh board; after the last life
        // nothing more is drawn.
        EXPECT_TRUE(
            g.Shows(lives == 1 ? f.pctEmptyBeer : f.pctBeer[f.CanKind * 8], f.CanX, f.RowY[0]));
        EXPECT_EQ(f.CanFalling, lives > 1);
    }
}

TEST_F(LoseLife, TheLastLifeEndsTheGameLoopAfterItsWaitAndBringsThePanelBack) {
    f.Rnd.Seed(6);
    const std::uint64_t t0 = g.NewGame();
    // The about panel hides the panel; the minimise icon lets the game run on beneath.
    g.Click(t0 + 2010, f.pctAbout);
    g.Click(t0 + 2020, f.pctMinimizeIcon);
    g.At(t0 + 2045, [&] {
        f.Lives = 1;
        f.CanFalling = false;
        g.SetBoard(kFullTop);
    });
    g.platform.StopAt(t0 + 10'000);  // a game left paused would wait for ever
    EXPECT_EQ(g.Run(), Ended::ScriptSpent);
    // The step at +2090 loses the life (500 ms), then the loop waits 90 ms more and ends.
    EXPECT_EQ(g.Now(), t0 + 2090 + 500 + 90);
    EXPECT_TRUE(f.GameOver && !f.pctAction.Visible && f.pctNew.Visible && f.lineLeft.Visible);
}

TEST(CopEvent, ShowsTheCopAloneThroughTheSirenAndFourSecondsMoreThenCostsALife) {
    std::uint64_t copSeed = 1;  // a seed whose first draw brings the cop
    for (game::Random dice; dice.Seed(copSeed), dice.Pick(game::kCopOdds) != 1;) ++copSeed;
    for (const bool sound : {true, false}) {
        SCOPED_TRACE(sound);
        const std::int16_t lives = sound ? 3 : 1;
        Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard(lives);
        g.SetSound(sound);
        f.Rnd.Seed(copSeed);
        const std::uint64_t start = g.Now(), siren = sound ? 2500 : 0;
        const auto copAlone = [&] {
            // 320 × 200 pixels, centred between the frame lines in whole twips.
            EXPECT_TRUE(f.pctSpecial.Left == 715 && f.pctSpecial.Top == 2047);
            EXPECT_TRUE(g.Shows(f.frmGraphics.pctCop, 48, 136));
            EXPECT_TRUE(!f.pctNew.Visible && !f.lineLeft.Visible && !f.pctScore[0].Visible);
            EXPECT_TRUE(f.pctLogo.Visible && f.Lives == lives);
        };
        g.platform.onSound = [&](const auto& s) {
            EXPECT_TRUE(s.path == g.home + "/siren.wav" && s.synchronous);
            copAlone();
        };
        g.At(start + siren + 3999, copAlone);
        f.GameStep();
        EXPECT_EQ(g.platform.Sounds().size(), sound ? 1u : 0u);
        EXPECT_EQ(g.Now(), start + siren + 4000 + 500);
        EXPECT_TRUE(!f.pctSpecial.Visible && f.pctNew.Visible && f.lineLeft.Visible);
        EXPECT_TRUE(f.Lives == lives - 1 && f.GameOver == (lives == 1) && g.MugsShow(lives - 1));
    }
}

}  // namespace
