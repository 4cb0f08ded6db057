// Proof against random play: many seeds, many virtual minutes of random keys, clicks
// on and off every control, window events and nested New Games, with the game's state
// checked after every event (and, under the sanitizers, every memory access).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "harness.h"
#include "scores/stored_values.h"

namespace {

using platform::Event, platform::EventType;
using namespace game;

void ExpectSane(FrmMain& f) {
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c) {
            const int code = f.Board[r][c];
            const bool piece = (code >= 1 && code <= kCanKinds) ||
                               (code >= kObstacleTop && code <= kObstacleSingle);
            ASSERT_TRUE(code == kEmptyCell || (r <= kFloorRow && c <= kLastColumn && piece))
                << "Board(" << r << ", " << c << ") = " << code;
        }
    ASSERT_TRUE(f.Score >= 0 && f.Score <= scores::kHighestScore && f.Lives >= 0 &&
                f.Lives <= kLives && f.FallStep >= kStartFallStep && f.FallStep <= f.CellHeight);
    ASSERT_FALSE(f.TickBusy || f.KeyBusy);  // events come between steps and key actions
    ASSERT_TRUE(!f.CanFalling || (!f.GameOver && f.CanY <= f.RowY[kFloorRow]));
    ASSERT_TRUE(!f.EnteringName || f.HighNames[f.EntryRow].size() + 1 == f.EntryColumn + 0u);
    ASSERT_TRUE(std::is_sorted(f.HighScores.begin() + 1, f.HighScores.end(), std::greater()));
}

// Plays one seed for the given virtual minutes; returns how many events were checked.
int PlayRandomly(std::uint64_t seed, int minutes) {
    test::Game g(seed);
    FrmMain& f = g.form();
    std::mt19937_64 dice(seed);
    const auto below = [&dice](std::size_t n) { return static_cast<int>(dice() % n); };
    const forms::PictureBox* controls[] = {&f.pctNew,   &f.pctAction,       &f.pctScores,
                                           &f.pctSound, &f.pctAbout,        &f.pctOk,
                                           &f.pctClear, &f.pctMinimizeIcon, &f.pctAboutText2};
    // The keys that do something come more often than the rest.
    using namespace test;
    static constexpr int kKeys[] = {kKeyLeft,  kKeyRight,     kKeyDown, kKeySpace,
                                    kKeyEnter, kKeyBackspace, 'A'};
    std::uint64_t t = g.Now();
    const std::uint64_t end = t + static_cast<std::uint64_t>(minutes) * 60'000;
    int events = 0;
    while ((t += static_cast<std::uint64_t>(below(400))) < end) {
        // Half the time on a control (shown or not), else anywhere, a little outside too.
        const forms::PictureBox& c = *controls[below(std::size(controls))];
        const forms::Rect on{forms::ToPixels(c.Left), forms::ToPixels(c.Top), c.PixelWidth(),
                             c.PixelHeight()};
        const bool onControl = below(2);
        Event e{.type = EventType::MouseDown,
                .key = below(2) ? below(256) : kKeys[below(std::size(kKeys))],
                .button = below(4) ? 1 : 1 << below(3),
                .x = onControl ? on.x + below(on.w) : below(640) - 20,
                .y = onControl ? on.y + below(on.h) : below(480) - 20};
        if (const int kind = below(100); kind < 40) {
            e.type = EventType::KeyDown;
        } else if (kind < 75) {  // a click
            g.platform.At(t, e);
            e.type = EventType::MouseUp;
        } else {
            e.type = std::array{EventType::Expose, EventType::Minimized, EventType::Restored,
                                EventType::MouseMove}[kind % 4];
        }
        g.platform.At(t, e);
        g.At(t, [&f, &events] { ++events, ExpectSane(f); });
    }
    g.platform.StopAt(end + 60'000);  // a game left paused would wait for ever
    EXPECT_NO_THROW(g.Run()) << "seed " << seed;
    return events;
}

TEST(RandomPlay, StateStaysSaneWhateverThePlayerDoes) {
    int checked = 0;
    for (std::uint64_t seed = 1; seed <= 24 && !::testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        checked += PlayRandomly(seed, 8);
    }
    EXPECT_GT(checked, 10'000);
}

}  // namespace
