// Proof against random play: many seeds, many virtual minutes of random keys, clicks
// anywhere and on every control, minimising, dragging, repaints and nested New Games,
// with the game's state checked after every event.
#include <gtest/gtest.h>

#include <random>

#include "harness.h"
#include "scores/stored_values.h"

namespace {

using platform::Event;
using platform::EventType;
using namespace game;

void ExpectSane(FrmMain& f) {
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c) {
            const int code = f.Board[r][c];
            const bool inside = r <= kFloorRow && c <= kLastColumn;  // else outside the playfield
            ASSERT_TRUE(code == kEmptyCell ||
                        (inside && ((code >= 1 && code <= kCanKinds) ||
                                    (code >= kObstacleTop && code <= kObstacleSingle))))
                << "Board(" << r << ", " << c << ") = " << code;
            ASSERT_TRUE(f.BoardFrame[r][c] >= 0 && f.BoardFrame[r][c] < kRollFrames);
        }
    ASSERT_TRUE(f.Score >= 0 && f.Score <= scores::kHighestScore && f.Lives >= 0 &&
                f.Lives <= kLives);
    ASSERT_TRUE(f.CanKind >= 0 && f.CanKind < kCanKinds && f.CanFrame >= 0 &&
                f.CanFrame < kRollFrames);
    ASSERT_TRUE(f.FallStep >= kStartFallStep && f.FallStep <= f.CellHeight) << f.FallStep;
    ASSERT_FALSE(f.TickBusy || f.KeyBusy);  // events come between steps and key actions
    if (f.CanFalling) {
        ASSERT_TRUE(!f.GameOver && f.CanY >= f.RowY[0] && f.CanY <= f.RowY[kFloorRow]);
    }
    if (f.EnteringName) {
        ASSERT_TRUE(f.pctScoreBoard.Visible && f.EntryRow >= 1 && f.EntryRow <= kHighScoreRows);
        ASSERT_EQ(f.HighNames[f.EntryRow].size() + 1, static_cast<std::size_t>(f.EntryColumn));
        ASSERT_LE(f.EntryColumn, 7);
    }
    for (int row = 1; row < kHighScoreRows; ++row)
        ASSERT_GE(f.HighScores[row], f.HighScores[row + 1]);
}

// Plays one seed for the given virtual minutes; returns how many events were checked.
int PlayRandomly(std::uint64_t seed, int minutes) {
    test::Game g(seed);
    FrmMain& f = g.form();
    std::mt19937_64 dice(seed);
    const auto below = [&dice](std::size_t n) { return static_cast<int>(dice() % n); };
    using namespace platform;  // the keys that do something, to come more often than the rest
    static constexpr int kKeys[] = {kKeyBackspace, kKeyEnter, kKeySpace,       kKeyLeft,
                                    kKeyUp,        kKeyRight, kKeyDown,        'A',
                                    'M',           'Z',       kKeyNumpad0 + 1, kKeyF1 + 10};
    static constexpr EventType kWindow[] = {EventType::Expose, EventType::Minimized,
                                            EventType::Restored, EventType::FocusGained};
    const forms::PictureBox* controls[] = {
        &f.pctNew,   &f.pctAction,       &f.pctScores,     &f.pctSound,      &f.pctAbout, &f.pctOk,
        &f.pctClear, &f.pctMinimizeIcon, &f.pctAboutText1, &f.pctAboutText2, &f.pctLogo};
    g.SetSound(below(2));
    std::uint64_t t = g.Now();
    const std::uint64_t end = t + static_cast<std::uint64_t>(minutes) * 60'000;
    int events = 0;
    while ((t += static_cast<std::uint64_t>(below(400))) < end) {
        // Half the time on a control (shown or not), else anywhere, a little outside too.
        const forms::PictureBox& c = *controls[below(std::size(controls))];
        const forms::Rect on{forms::ToPixels(c.Left), forms::ToPixels(c.Top), c.PixelWidth(),
                             c.PixelHeight()};
        const bool onControl = below(2);
        Event e{.type = EventType::MouseMove,
                .key = 0,
                .button = below(4) ? 1 : 1 << below(3),
                .x = onControl ? on.x + below(on.w) : below(640) - 20,
                .y = onControl ? on.y + below(on.h) : below(480) - 20};
        const int kind = below(100);
        if (kind < 40) {
            e.type = EventType::KeyDown;
            e.key = below(4) == 0 ? below(256) : kKeys[below(std::size(kKeys))];
        } else if (kind < 80) {  // a click, or a press or release alone
            e.type = EventType::MouseDown;
            if (kind < 70) g.platform.At(t, e);
            if (kind < 70 || below(2)) e.type = EventType::MouseUp;
        } else if (kind >= 92) {
            e.type = kWindow[below(std::size(kWindow))];
        }
        g.platform.At(t, e);
        // The exit icon and the Exit button end the program; let them come rarely.
        if (below(20000) == 0) g.Click(t, below(2) ? f.pctQuit : f.pctExitIcon);
        g.At(t, [&f, &events] {
            ++events;
            ExpectSane(f);
        });
    }
    g.platform.StopAt(end + 60'000);  // a game left paused would wait for ever
    try {
        g.Run();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "seed " << seed << ": " << e.what();
    }
    ExpectSane(f);
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
