// The control panel: pause/play and how the other buttons pause and resume a game.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"

namespace {

using Box = forms::PictureBox FrmMain::*;

// Each sequence is clicked during a game, and again in the two-second wait before it
// starts (but those that begin with the pause/play button, hidden until then). Every
// game starts through a name entry ended with Enter: first, or where `enter` stands.
// `hide` hides the window (a browser's page in a background tab).
TEST(Pausing, EveryButtonSequenceLeavesTheGameHeldOrRunningAsItShould) {
    struct Case {
        const char* what;
        std::vector<Box> clicks;
        bool paused, playFace, actionShown;
    };
    const Box action = &FrmMain::pctAction, about = &FrmMain::pctAbout,
              close = &FrmMain::pctAboutText2, minimise = &FrmMain::pctMinimizeIcon,
              scores = &FrmMain::pctScores;
    // Steps that are no click: Enter, and hiding the window.
    const Box enter = nullptr, hide = &FrmMain::pctFocus;
    const Case cases[] = {
        {"nothing", {}, false, false, true},
        {"pause", {action}, true, true, true},
        {"pause, play", {action, action}, false, false, true},
        {"minimise (then restore)", {minimise}, true, true, true},
        {"pause, minimise", {action, minimise}, false, false, true},
        {"about", {about}, true, true, false},
        {"about, close", {about, close}, false, true, true},
        {"pause, about, close", {action, about, close}, false, true, true},
        {"about, minimise", {about, minimise}, false, false, false},
        {"scores", {scores}, true, false, false},
        {"scores, clear, OK", {scores, &FrmMain::pctClear, &FrmMain::pctOk}, false, false, true},
        {"pause, scores, OK", {action, scores, &FrmMain::pctOk}, false, true, true},
        {"hide", {hide}, true, true, true},
        {"pause, hide", {action, hide}, true, true, true},
        {"about, close, hide", {about, close, hide}, true, true, true},
        {"scores, hide", {scores, hide}, true, false, false},
        {"minimise during the entry", {minimise, enter}, true, true, true},
    };
    for (const bool inWait : {false, true})
        for (const Case& c : cases) {
            if (inWait && !c.clicks.empty() && c.clicks[0] == action) continue;
            SCOPED_TRACE(std::string(c.what) + (inWait ? " in the start wait" : ""));
            test::Game g;
            FrmMain& f = g.form();
            f.Score = 900;
            const std::uint64_t t0 = g.NewGame();
            if (std::ranges::count(c.clicks, enter) == 0) g.Key(t0 + 50, test::kKeyEnter);
            std::uint64_t t = inWait ? t0 : t0 + 3000;
            for (const Box box : c.clicks)
                box == enter  ? g.Key(t += 100, test::kKeyEnter)
                : box == hide ? g.Send(t += 100, platform::EventType::Hidden)
                              : g.Click(t += 100, f.*box);
            g.Send(t + 50, platform::EventType::Restored);
            t = std::max(t, t0 + 2500);
            // The can's height and the frame: both stand still while the game is held.
            const auto shown = [&] { return std::pair{f.CanY, g.platform.Frame()}; };
            decltype(shown()) before;
            g.At(t + 100, [&] {
                EXPECT_EQ(f.pctAction.Picture(),
                          (c.playFace ? f.frmGraphics.pctPlay : f.frmGraphics.pctPause).Picture());
                EXPECT_EQ(f.pctAction.ToolTipText(), c.playFace ? "Play" : "Pause");
                EXPECT_EQ(f.pctAction.Visible, c.actionShown);
                before = shown();
            });
            g.At(t + 1100, [&] { EXPECT_EQ(shown() == before, c.paused); });
            g.Click(t + 1200, f.pctExitIcon);
            EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
        }
}

}  // namespace
