// Proof against random play: many seeds, many virtual minutes of random keys, clicks
// anywhere and on every control, minimising, dragging, repaints and nested New Games,
// with the game's state checked after every event.
#include <gtest/gtest.h>

#include <random>

#include "harness.h"

namespace {

using platform::Event;
using platform::EventType;

void ExpectSane(FrmMain& f) {
    for (int r = 0; r <= 16; ++r)
        for (int c = 0; c <= 12; ++c) {
            const int code = f.Board[r][c];
            ASSERT_TRUE(code == 0 || (code >= 1 && code <= 6) || (code >= 500 && code <= 503))
                << "Board(" << r << ", " << c << ") = " << code;
            ASSERT_TRUE(f.BoardFrame[r][c] >= 0 && f.BoardFrame[r][c] <= 7);
            if (r == 16 || c == 12) {
                ASSERT_EQ(code, 0) << "outside the playfield: " << r << ", " << c;
            }
        }
    ASSERT_TRUE(f.Score >= 0 && f.Score <= 9'999'999) << f.Score;
    ASSERT_TRUE(f.Lives >= 0 && f.Lives <= 3) << f.Lives;
    ASSERT_TRUE(f.CanKind >= 0 && f.CanKind <= 5);
    ASSERT_TRUE(f.CanFrame >= 0 && f.CanFrame <= 7);
    ASSERT_TRUE(f.FallStep >= 5 && f.FallStep <= f.CellHeight) << f.FallStep;
    // Events are handled between steps and key actions, never inside one.
    ASSERT_FALSE(f.TickBusy);
    ASSERT_FALSE(f.KeyBusy);
    if (f.CanFalling) {
        ASSERT_FALSE(f.GameOver);
        ASSERT_TRUE(f.CanY >= f.RowY[0] && f.CanY <= f.RowY[15]) << f.CanY;
    }
    if (f.EnteringName) {
        ASSERT_TRUE(f.pctScoreBoard.Visible);
        ASSERT_TRUE(f.EntryRow >= 1 && f.EntryRow <= 10);
        ASSERT_TRUE(f.EntryColumn >= 1 && f.EntryColumn <= 7);
        ASSERT_EQ(f.HighNames[f.EntryRow].size(), static_cast<std::size_t>(f.EntryColumn - 1));
    }
    for (int row = 1; row < 10; ++row) ASSERT_GE(f.HighScores[row], f.HighScores[row + 1]);
}

// A random event somewhere in the window's life.
class RandomInput {
public:
    RandomInput(FrmMain& form, std::uint64_t seed) : form_(form), dice_(seed) {}

    // A random event, or a press and release at one point (a click).
    std::vector<Event> Next() {
        Event e;
        const int kind = Below(100);
        if (kind < 40) {
            e.type = EventType::KeyDown;
            e.key = Below(4) == 0 ? Below(256) : kKeys[Below(std::size(kKeys))];
        } else if (kind < 80) {
            e.type = EventType::MouseDown;
            e.button = Below(4) == 0 ? 1 << Below(3) : 1;
            PlacePointer(e);
            if (kind < 70) {
                Event up = e;
                up.type = EventType::MouseUp;
                return {e, up};
            }
            if (Below(2)) e.type = EventType::MouseUp;
        } else if (kind < 92) {
            e.type = EventType::MouseMove;
            PlacePointer(e);
        } else {
            static constexpr EventType kWindow[] = {EventType::Expose, EventType::Minimized, EventType::Restored,
                                                    EventType::FocusGained};
            e.type = kWindow[Below(std::size(kWindow))];
        }
        return {e};
    }

    int Below(std::size_t n) { return static_cast<int>(dice_() % n); }

private:
    // Half the time on a control (shown or not), else anywhere, a little outside too.
    void PlacePointer(Event& e) {
        if (Below(2)) {
            const forms::PictureBox* controls[] = {&form_.pctNew, &form_.pctAction, &form_.pctScores,
                                                   &form_.pctSound, &form_.pctAbout, &form_.pctOk,
                                                   &form_.pctClear, &form_.pctMinimizeIcon, &form_.pctAboutText1,
                                                   &form_.pctAboutText2, &form_.pctLogo, &form_.pctScore[3]};
            const forms::PictureBox& c = *controls[Below(std::size(controls))];
            e.x = forms::ToPixels(c.Left) + Below(static_cast<std::size_t>(std::max(1, c.PixelWidth())));
            e.y = forms::ToPixels(c.Top) + Below(static_cast<std::size_t>(std::max(1, c.PixelHeight())));
        } else {
            e.x = Below(640) - 20;
            e.y = Below(480) - 20;
        }
    }

    // The keys that matter, more often than the rest.
    static constexpr int kKeys[] = {8, 13, 32, 37, 38, 39, 40, 65, 77, 90, 97, 122};
    FrmMain& form_;
    std::mt19937_64 dice_;
};

// Plays one seed for the given virtual minutes; returns how many events were checked.
int PlayRandomly(std::uint64_t seed, int minutes) {
    test::Game g(seed);
    FrmMain& f = g.form();
    RandomInput input(f, seed);
    g.SetSound(input.Below(2));
    g.platform.SetSyncSoundLength(2500);
    std::uint64_t t = g.Now();
    const std::uint64_t end = t + static_cast<std::uint64_t>(minutes) * 60'000;
    int events = 0;
    while (t < end) {
        t += static_cast<std::uint64_t>(input.Below(400));
        for (const Event& e : input.Next()) g.platform.At(t, e);
        // The exit icon and the Exit button end the program; let them come rarely.
        if (input.Below(20000) == 0) g.Click(t, input.Below(2) ? f.pctQuit : f.pctExitIcon);
        g.At(t, [&f, &events] {
            ++events;
            ExpectSane(f);
        });
    }
    // A game left paused would wait for ever: the session ends a minute after the input.
    g.platform.StopAt(end + 60'000);
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
