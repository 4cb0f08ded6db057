// The window as it opens: every control where the layout puts it, shown or hidden,
// with its tooltip and pointer; and the controls that hiding and restoring the panel
// take away and bring back.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using platform::EventType;
using Layout = test::GameTest;

struct Control {
    const forms::PictureBox& box;
    int x, y, w, h;           // pixels
    bool shown, hand, panel;  // panel: hidden by HidePanel
    const char* tip;
};

std::vector<Control> Controls(FrmMain& f) {
    std::vector<Control> controls = {
        {f.pctLogo, 74, 16, 254, 31, true, false, false, ""},
        {f.pctMinimizeIcon, 542, 14, 20, 20, true, true, false, ""},
        {f.pctExitIcon, 564, 14, 20, 20, true, true, false, ""},
        {f.pctAction, 486, 108, 32, 32, false, true, true, "Play"},
        {f.pctOk, 470, 142, 32, 32, false, true, false, "Ok"},
        {f.pctClear, 504, 142, 32, 32, false, true, false, "Clear"},
        {f.pctNew, 470, 176, 32, 32, true, true, true, "New Game"},
        {f.pctScores, 504, 176, 32, 32, true, true, true, "High Scores"},
        {f.pctSound, 504, 210, 32, 32, true, true, true, "Sound On/Off"},
        {f.pctAbout, 470, 244, 32, 32, true, true, true, "About"},
        {f.pctQuit, 504, 244, 32, 32, true, true, true, "Exit"},
        {f.pctFocus, 456, 328, 101, 20, true, false, true, ""},
        {f.pctScoreBoard, 102, 370, 32, 20, false, false, false, ""},
        {f.pctSpecial, 322, 184, 85, 39, false, false, false, ""},
        {f.pctAboutText1, 48, 242, 344, 169, false, false, false, ""},
        {f.pctAboutText2, 432, 16, 32, 32, false, true, false, ""},
        {f.pctEmptyBeer, 66, 370, 32, 20, false, false, false, ""}};
    // The score's digits 21 pixels apart, the highest on the left; the mugs 33 apart.
    for (int i = 0; i < 7; ++i)
        controls.push_back({f.pctScore[6 - i], 430 + 21 * i, 60, 22, 23, true, false, true, ""});
    for (int i = 0; i < 3; ++i)
        controls.push_back({f.pctLives[i], 458 + 33 * i, 355, 32, 32, true, false, true, ""});
    return controls;
}

// The screen it opens on is the golden frame idle.png.
TEST_F(Layout, EveryControlWhereItBelongsWithItsTooltipAndPointer) {
    std::uint64_t t = g.Now();
    for (const Control& c : Controls(f)) {
        SCOPED_TRACE(c.box.Name + "(" + std::to_string(c.box.Index) + ")");
        const forms::PictureBox& b = c.box;
        EXPECT_EQ((std::vector{forms::ToPixels(b.Left), forms::ToPixels(b.Top), b.PixelWidth(),
                               b.PixelHeight()}),
                  (std::vector{c.x, c.y, c.w, c.h}));
        EXPECT_TRUE(c.box.Visible == c.shown && c.box.HandCursor == c.hand);
        EXPECT_EQ(c.box.ToolTipText(), c.tip);
        if (!c.shown) continue;
        g.Send(t += 1000, EventType::MouseMove, c.x + c.w / 2, c.y + c.h / 2);
        g.At(t + 600, [this, c] {
            EXPECT_EQ(g.platform.CurrentCursor() == platform::Cursor::Hand, c.hand) << c.box.Name;
            EXPECT_EQ(f.TooltipText(), c.tip) << c.box.Name;
        });
    }
    g.Run();
}

TEST_F(Layout, HidingThePanelLeavesOnlyTheLogoAndIconsAndShowingBringsAllBack) {
    for (const bool playing : {false, true}) {
        f.pctAction.Visible = playing;
        f.HidePanel();
        EXPECT_FALSE(f.lineLeft.Visible || f.lineTop.Visible || f.lineRight.Visible ||
                     f.lineBottom.Visible);
        for (const Control& c : Controls(f))
            EXPECT_EQ(c.box.Visible, c.shown && !c.panel) << c.box.Name << c.box.Index;
        f.PaintSprite(f.pctBeer[9], f.ColumnX[0], f.RowY[0]);  // not on the board
        f.ShowPanel();
        EXPECT_TRUE(f.lineLeft.Visible && f.lineTop.Visible && f.lineRight.Visible &&
                    f.lineBottom.Visible);
        for (const Control& c : Controls(f))
            EXPECT_EQ(c.box.Visible, c.shown || (&c.box == &f.pctAction && playing))
                << c.box.Name << c.box.Index;
        EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[0], f.RowY[0]));  // the board redrawn
    }
}

}  // namespace
