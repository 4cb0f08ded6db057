// The about panel with no game running: its link, and closing it (how it looks: the
// golden frame about.png).
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using test::T;
using About = test::GameTest;

TEST_F(About, LinksToTheHomePageAndClosesWithoutStartingAGame) {
    // The page installed beside the program, unless the build chose a web address; a
    // folder name is written so that it cannot end or split the address.
    const std::string chosen = FROTHWICK_HOMEPAGE;
    const auto page = [&](const std::string& folderUrl) {
        return chosen.empty() ? folderUrl + "/index.html" : chosen;
    };
    g.Click(T + 10, f.pctAbout);
    g.Click(T + 30, f.pctAboutText1);
    g.At(T + 35, [&] { g.platform.SetProgramDir("/opt/Pub games/#1 100%"); });
    g.Click(T + 40, f.pctAboutText1);
    g.At(T + 45, [&] { g.platform.SetProgramDir("C:\\Games\\Frothwick"); });
    g.Click(T + 50, f.pctAboutText1);
    g.At(T + 55, [&] {
        EXPECT_TRUE(g.platform.Urls() == (std::vector{page("file://" + g.home),
                                                      page("file:///opt/Pub%20games/%231%20100%25"),
                                                      page("file:///C:/Games/Frothwick")}) &&
                    f.pctAboutText2.Visible);
    });
    g.Click(T + 60, f.pctAboutText2);
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_TRUE(!f.pctAboutText1.Visible && f.pctNew.Visible && f.lineLeft.Visible &&
                !f.pctAction.Visible);
}

}  // namespace
