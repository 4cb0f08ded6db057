// Lives: a blocked spawn and the cop event, with lives left and on the last life.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace game;
using namespace test;

// A blocked spawn: row 0 is full. The cop: a seed whose first draw brings him clears
// the board first; with sound on his siren plays before the wait.
TEST(LoseLife, ABlockedSpawnOrTheCopCostsALifeAfterItsWaitAndTheCanFallsOnAFreshBoard) {
    std::uint64_t copSeed = 1;
    for (Random dice; dice.Seed(copSeed), dice.Pick(kCopOdds) != 1;) ++copSeed;
    for (const bool cop : {false, true})
        for (const std::int16_t lives : {3, 1}) {
            SCOPED_TRACE(testing::Message() << (cop ? "cop, " : "blocked, ") << lives << " lives");
            Game g;
            FrmMain& f = g.form();
            g.StartOnEmptyBoard(lives);
            g.SetBoard(std::string(kVisibleColumns, '1') + std::string(kFloorRow, '|'));
            if (lives == 3) f.pctSound.Picture = f.frmGraphics.pctSoundOn.Picture;
            if (cop) f.Rnd.Seed(copSeed);
            const std::uint64_t start = g.Now(), siren = cop && lives == 3 ? 2500 : 0;
            const auto copAlone = [&] {  // as the golden frame cop.png shows him
                EXPECT_TRUE(f.pctSpecial.Visible && !f.pctNew.Visible && f.Lives == lives);
            };
            g.platform.onSound = [&](const auto& s) {
                EXPECT_TRUE(s.path == g.home + "/siren.wav" && s.synchronous);
                copAlone();
            };
            if (cop) g.At(start + siren + 3999, copAlone);
            f.GameStep();
            EXPECT_EQ(g.platform.Sounds().size(), siren ? 1u : 0u);
            EXPECT_EQ(g.Now(), start + (cop ? siren + 4000 : 0) + 500);
            EXPECT_TRUE(!f.pctSpecial.Visible && f.pctNew.Visible && f.lineLeft.Visible);
            EXPECT_TRUE(f.Lives == lives - 1 && f.GameOver == (lives == 1) &&
                        g.MugsShow(lives - 1));
            EXPECT_TRUE(g.BoardText().starts_with(Field("").substr(0, kVisibleColumns + 1)));
            // The can just chosen falls from row 0 of the fresh board; after the last life
            // nothing more is drawn.
            EXPECT_TRUE(g.Shows(lives == 1 ? f.pctEmptyBeer : f.pctBeer[CanSprite(f.CanKind, 0)],
                                f.CanX, f.RowY[0]));
            EXPECT_EQ(f.CanFalling, lives > 1);
        }
}

}  // namespace
