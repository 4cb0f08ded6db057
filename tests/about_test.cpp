// The about panel: where it stands, its link, and how it pauses and resumes a game.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time
const char* const kProductPage = "https://frothwick.example.org/FrothwickPro/";

// Clicks one of the panel's boxes, aimed where the open panel has put it.
void ClickWhenPlaced(test::Game& g, std::uint64_t ms, const forms::PictureBox& box) {
    g.At(ms - 1, [&g, ms, &box] { g.Click(ms, box); });
}

TEST(About, OpensCentredOverTheClearedScreenAndPauses) {
    test::Game g;
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctAbout);
    g.At(T + 20, [&] {
        EXPECT_EQ(f.Height(), 6540);
        EXPECT_EQ(f.pctAboutText1.Top, 2002);
        EXPECT_EQ(f.pctAboutText2.Top, 4537);
        // Centred between the frame lines at 200 and 6030 twips.
        EXPECT_EQ(f.pctAboutText1.Left, (6030 - 200 - 5160) / 2 + 200);
        EXPECT_EQ(f.pctAboutText2.Left, (6030 - 200 - 480) / 2 + 200);
        const forms::Rect text = f.pctAboutText1.Bounds();
        EXPECT_TRUE(g.FrameShows(*f.pctAboutText1.Picture(), text.x, text.y));
        EXPECT_TRUE(f.pctAboutText2.Visible);
        EXPECT_FALSE(f.pctNew.Visible);
        EXPECT_FALSE(f.lineLeft.Visible);
        EXPECT_TRUE(f.Paused);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPlay.Picture());
        EXPECT_EQ(f.pctAction.ToolTipText(), "Play");
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(About, TextOpensTheProductPageEveryTimeAndStaysOpen) {
    test::Game g;
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctAbout);
    ClickWhenPlaced(g, T + 20, f.pctAboutText1);
    ClickWhenPlaced(g, T + 30, f.pctAboutText1);
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_EQ(g.platform.Urls(), (std::vector<std::string>{kProductPage, kProductPage}));
    EXPECT_TRUE(f.pctAboutText1.Visible);
    EXPECT_TRUE(f.Paused);
}

TEST(About, ClosingWithNoGameBringsThePanelBackWithoutPlay) {
    test::Game g;
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctAbout);
    ClickWhenPlaced(g, T + 20, f.pctAboutText2);
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_FALSE(f.pctAboutText1.Visible);
    EXPECT_FALSE(f.pctAboutText2.Visible);
    EXPECT_TRUE(f.pctNew.Visible);
    EXPECT_TRUE(f.lineLeft.Visible);
    EXPECT_FALSE(f.pctAction.Visible);
    EXPECT_FALSE(f.Paused);
    EXPECT_TRUE(f.GameOver);
}

TEST(About, OpenDuringAGameHoldsTheCanAndClosingLetsItFall) {
    test::Game g;
    FrmMain& f = g.form();
    std::int32_t canY = 0;
    g.Click(T + 10, f.pctNew);
    g.Click(T + 3000, f.pctAbout);
    g.At(T + 3010, [&] { canY = f.CanY; });
    g.At(T + 4000, [&] { EXPECT_EQ(f.CanY, canY); });
    ClickWhenPlaced(g, T + 4100, f.pctAboutText2);
    g.At(T + 5000, [&] {
        EXPECT_NE(f.CanY, canY);
        EXPECT_TRUE(f.pctAction.Visible);
        EXPECT_EQ(f.pctAction.ToolTipText(), "Play");
    });
    g.Click(T + 5100, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

TEST(About, ClosingResumesAGamePausedBeforeItOpened) {
    test::Game g;
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctNew);
    g.Click(T + 3000, f.pctAction);
    g.Click(T + 3100, f.pctAbout);
    ClickWhenPlaced(g, T + 3200, f.pctAboutText2);
    g.At(T + 3210, [&] { EXPECT_FALSE(f.Paused); });
    g.Click(T + 3300, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

TEST(About, MinimiseIconWhileOpenLetsTheGameRun) {
    test::Game g;
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctNew);
    g.Click(T + 3000, f.pctAbout);
    g.Click(T + 3100, f.pctMinimizeIcon);
    g.At(T + 3110, [&] {
        EXPECT_FALSE(f.Paused);
        EXPECT_TRUE(f.pctAboutText1.Visible);
    });
    g.Click(T + 3200, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

}  // namespace
