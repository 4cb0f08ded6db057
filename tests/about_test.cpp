// The about panel with no game running: where it stands, its link, and closing it.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

TEST(About, OpensCentredLinksToTheProductPageAndClosesWithoutStartingAGame) {
    constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time
    const std::string page = "https://frothwick.example.org/FrothwickPro/";
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
        EXPECT_FALSE(f.pctNew.Visible);
        EXPECT_FALSE(f.lineLeft.Visible);
        EXPECT_TRUE(f.Paused);
    });
    g.ClickPlaced(T + 30, f.pctAboutText1);
    g.ClickPlaced(T + 40, f.pctAboutText1);
    g.At(T + 50, [&] {
        EXPECT_EQ(g.platform.Urls(), (std::vector<std::string>{page, page}));
        EXPECT_TRUE(f.pctAboutText2.Visible);
    });
    g.ClickPlaced(T + 60, f.pctAboutText2);
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_FALSE(f.pctAboutText1.Visible);
    EXPECT_TRUE(f.pctNew.Visible);
    EXPECT_TRUE(f.lineLeft.Visible);
    EXPECT_FALSE(f.pctAction.Visible);
    EXPECT_FALSE(f.Paused);
    EXPECT_TRUE(f.GameOver);
}

}  // namespace
