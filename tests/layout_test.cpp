// The window as it opens: every control where the layout puts it, shown or hidden,
// with its tooltip and pointer. What hiding and restoring the panel take away and
// bring back is in the golden frames (about, cop, play).
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"

namespace {

using Layout = test::GameTest;

struct Control {
    const forms::PictureBox& box;
    int x, y, w, h;  // pixels
    bool shown, hand;
    const char* tip;
};

std::vector<Control> Controls(FrmMain& f) {
    std::vector<Control> controls = {{f.pctLogo, 74, 16, 254, 31, true, false, ""},
                                     {f.pctMinimizeIcon, 542, 14, 20, 20, true, true, ""},
                                     {f.pctExitIcon, 564, 14, 20, 20, true, true, ""},
                                     {f.pctAction, 486, 108, 32, 32, false, true, "Play"},
                                     {f.pctOk, 470, 142, 32, 32, false, true, "Ok"},
                                     {f.pctClear, 504, 142, 32, 32, false, true, "Clear"},
                                     {f.pctNew, 470, 176, 32, 32, true, true, "New Game"},
                                     {f.pctScores, 504, 176, 32, 32, true, true, "High Scores"},
                                     {f.pctSound, 504, 210, 32, 32, true, true, "Sound On/Off"},
                                     {f.pctAbout, 470, 244, 32, 32, true, true, "About"},
                                     {f.pctQuit, 504, 244, 32, 32, true, true, "Exit"},
                                     {f.pctFocus, 456, 328, 101, 20, true, false, ""},
                                     {f.pctScoreBoard, 102, 370, 32, 20, false, false, ""},
                                     {f.pctSpecial, 322, 184, 85, 39, false, false, ""},
                                     {f.pctAboutText1, 48, 242, 344, 169, false, false, ""},
                                     {f.pctAboutText2, 432, 16, 32, 32, false, true, ""},
                                     {f.pctEmptyBeer, 66, 370, 32, 20, false, false, ""}};
    // The score's digits 21 pixels apart, the highest on the left; the mugs 33 apart.
    for (int i = 0; i < 7; ++i)
        controls.push_back({f.pctScore[6 - i], 430 + 21 * i, 60, 22, 23, true, false, ""});
    for (int i = 0; i < 3; ++i)
        controls.push_back({f.pctLives[i], 458 + 33 * i, 355, 32, 32, true, false, ""});
    return controls;
}

// Where the shown controls stand, and the screen they open on, is idle.png.
TEST_F(Layout, EveryControlWhereItBelongsWithItsTooltipAndPointer) {
    std::uint64_t t = g.Now();
    for (const Control& c : Controls(f)) {
        SCOPED_TRACE(c.box.Name + "(" + std::to_string(c.box.Index) + ")");
        EXPECT_TRUE(c.box.Visible == c.shown && c.box.HandCursor == c.hand);
        EXPECT_EQ(c.box.ToolTipText(), c.tip);
        if (!c.shown) continue;
        g.Send(t += 1000, platform::EventType::MouseMove, c.x + c.w / 2, c.y + c.h / 2);
        g.At(t + 499, [this] { EXPECT_EQ(f.TooltipText(), ""); });  // after half a second
        g.At(t + 501, [this, c] {
            EXPECT_EQ(g.platform.CurrentCursor() == platform::Cursor::Hand, c.hand) << c.box.Name;
            EXPECT_EQ(f.TooltipText(), c.tip) << c.box.Name;
        });
    }
    g.Run();
    // The hand points with its fingertip: its hot spot is opaque, and nothing above it.
    const auto& [hand, x, y] = g.platform.Hand();
    const auto opaque = [](std::uint32_t pixel) { return pixel >> 24 != 0; };
    const auto top = hand.pixels.begin() + y * hand.width;  // of the hot spot's row
    EXPECT_TRUE(x < hand.width && opaque(top[x]) && std::none_of(hand.pixels.begin(), top, opaque));
}

}  // namespace
