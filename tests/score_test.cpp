// The score counter: the seven digits, the speed-up bands and the ten-million wrap.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

// The seven digits as the player reads them, left to right; '?' for a digit control
// that holds none of the digit pictures.
std::string Display(FrmMain& f) {
    std::string text;
    for (int i = 6; i >= 0; --i) {
        char shown = '?';
        for (int d = 0; d <= 9; ++d)
            if (f.pctScore[i].Picture() == f.frmGraphics.pctDigit[d].Picture()) shown = static_cast<char>('0' + d);
        text += shown;
    }
    return text;
}

TEST(AddScore, ZeroPointsRedrawsSevenZeros) {
    test::Game g;
    FrmMain& f = g.form();
    f.TickDelay = 90;
    EXPECT_EQ(Display(f), "???????");  // the layout's own digit-0 pictures
    f.AddScore(0);
    EXPECT_EQ(Display(f), "0000000");
    EXPECT_EQ(f.Score, 0);
    EXPECT_EQ(f.TickDelay, 90);
}

TEST(AddScore, MostSignificantDigitIsLeftmostOnScreen) {
    test::Game g;
    FrmMain& f = g.form();
    f.Score = 1'234'560;
    f.AddScore(7);
    EXPECT_EQ(Display(f), "1234567");
    f.Present();
    EXPECT_TRUE(g.FrameShows(*f.frmGraphics.pctDigit[1].Picture(), 430, 60));
    EXPECT_TRUE(g.FrameShows(*f.frmGraphics.pctDigit[7].Picture(), 556, 60));
}

TEST(AddScore, EachNewBandMakesOneSpeedUpStep) {
    struct Case {
        std::int32_t score;
        std::int16_t points, tickBefore;
        std::int32_t fallBefore;
        std::int32_t scoreAfter;
        std::int16_t tickAfter;
        std::int32_t fallAfter;
    };
    for (const Case& c : {
             Case{9'990, 20, 90, 5, 10'010, 88, 5},
             Case{20'000, 5, 90, 5, 20'005, 90, 5},
             Case{9'999, 20'001, 90, 5, 30'000, 88, 5},  // two bands crossed, one step
             Case{19'990, 30, 14, 5, 20'020, 12, 5},
             Case{19'990, 30, 12, 5, 20'020, 12, 6},
             Case{19'990, 30, 12, 20, 20'020, 12, 20},  // FallStep is a whole cell already
         }) {
        SCOPED_TRACE(testing::Message() << c.score << " + " << c.points);
        test::Game g;
        FrmMain& f = g.form();
        f.Score = c.score;
        f.TickDelay = c.tickBefore;
        f.FallStep = c.fallBefore;
        f.AddScore(c.points);
        EXPECT_EQ(f.Score, c.scoreAfter);
        EXPECT_EQ(f.TickDelay, c.tickAfter);
        EXPECT_EQ(f.FallStep, c.fallAfter);
    }
}

TEST(AddScore, ThirtyNineBandsTakeTheDelayTo12ThenTheFallGrows) {
    test::Game g;
    FrmMain& f = g.form();
    f.TickDelay = 90;
    for (int band = 1; band <= 39; ++band) f.AddScore(10'000);
    EXPECT_EQ(f.TickDelay, 12);
    EXPECT_EQ(f.FallStep, 5);
    f.AddScore(10'000);
    EXPECT_EQ(f.FallStep, 6);
}

TEST(AddScore, TenMillionWrapsToZeroAndGivesBackALife) {
    for (std::int16_t lives : {2, 3}) {
        SCOPED_TRACE(lives);
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        f.Lives = lives;
        if (lives == 2) f.pctLives[2].Picture = f.frmGraphics.pctEmptyMug.Picture;
        f.Score = 9'999'990;
        f.AddScore(20);
        EXPECT_EQ(f.Lives, 3);
        EXPECT_EQ(f.pctLives[2].Picture(), f.frmGraphics.pctMug.Picture());
        EXPECT_EQ(Display(f), "0000010");
        EXPECT_EQ(f.Score, 0);
        EXPECT_EQ(f.TickDelay, 88);
        f.AddScore(5);
        EXPECT_EQ(Display(f), "0000005");
    }
}

TEST(AddScore, LandingsDuringAGameShowOnTheDigits) {
    test::Game g(13);
    FrmMain& f = g.form();
    g.Click(g.Now(), f.pctNew);
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%07d", static_cast<int>(f.Score));
    EXPECT_EQ(Display(f), expected);
    EXPECT_GT(f.Score, 0);
}

}  // namespace
