// The about panel with no game running: where it stands, its link, and closing it.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using test::T;
using About = test::GameTest;

TEST_F(About, OpensCentredLinksToTheProductPageAndClosesWithoutStartingAGame) {
    const std::string page = "https://frothwick.example.org/FrothwickPro/";
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
        EXPECT_TRUE(!f.pctNew.Visible && !f.lineLeft.Visible && f.Paused);
    });
    g.ClickPlaced(T + 30, f.pctAboutText1);
    g.ClickPlaced(T + 40, f.pctAboutText1);
    g.At(T + 50, [&] {
        EXPECT_EQ(g.platform.Urls(), (std::vector<std::string>{page, page}));
        EXPECT_TRUE(f.pctAboutText2.Visible);
    });
    g.ClickPlaced(T + 60, f.pctAboutText2);
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_TRUE(!f.pctAboutText1.Visible && f.pctNew.Visible && f.lineLeft.Visible &&
                !f.pctAction.Visible);
    EXPECT_TRUE(!f.Paused && f.GameOver);
}

}  // namespace
