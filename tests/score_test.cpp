// The score counter: the seven digits, the speed-up bands and the ten-million wrap.
#include <gtest/gtest.h>

#include <array>

#include "harness.h"

namespace {

using AddScore = test::BoardTest;

TEST_F(AddScore, ShowsTheScoreAndMakesOneSpeedUpStepPerNewBand) {
    struct Case {
        std::int32_t score, points;
        std::int16_t tick, fall, lives;  // before
        std::int16_t tickAfter, fallAfter, livesAfter;
        const char* shown;
    };
    const Case cases[] = {
        {0, 0, 90, 5, 3, 90, 5, 3, "0000000"},
        {1'234'560, 7, 90, 5, 3, 90, 5, 3, "1234567"},
        {9'990, 20, 90, 5, 3, 88, 5, 3, "0010010"},
        {20'000, 5, 90, 5, 3, 90, 5, 3, "0020005"},
        {9'999, 20'001, 90, 5, 3, 88, 5, 3, "0030000"},  // two bands crossed, one step
        {19'990, 30, 14, 5, 3, 12, 5, 3, "0020020"},
        {19'990, 30, 12, 5, 3, 12, 6, 3, "0020020"},
        {19'990, 30, 12, 20, 3, 12, 20, 3, "0020020"},   // FallStep is a whole cell already
        {9'999'990, 20, 90, 5, 2, 88, 5, 3, "0000010"},  // wraps to zero and gives back a life
        {9'999'990, 20, 90, 5, 3, 88, 5, 3, "0000010"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.score << " + " << c.points << " with " << c.lives << " lives");
        g.StartOnEmptyBoard(c.lives);
        f.Score = c.score;
        f.TickDelay = c.tick;
        f.FallStep = c.fall;
        f.AddScore(c.points);
        EXPECT_EQ(g.ScoreShown(), c.shown);
        EXPECT_EQ(f.Score, c.score + c.points >= 10'000'000 ? 0 : c.score + c.points);
        EXPECT_EQ((std::array<int, 3>{f.TickDelay, f.FallStep, f.Lives}),
                  (std::array<int, 3>{c.tickAfter, c.fallAfter, c.livesAfter}));
        EXPECT_TRUE(g.MugsShow(c.livesAfter));
    }
}

}  // namespace
