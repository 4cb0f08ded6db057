// The window's own chrome (resize, drag, minimise) and every way of shutting down.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using platform::EventType;
using test::T;
using Chrome = test::GameTest;

TEST_F(Chrome, BorderlessWheneverShownButNotWhileMinimisedAndFocusRepaintsThePlayfield) {
    EXPECT_TRUE(f.BorderStyle == 0 && g.platform.Caption() == "Frothwick");
    g.At(T + 5, [&] {
        f.BorderStyle = 1;
        f.SetCaption("x");
    });
    g.Send(T + 10, EventType::Minimized);
    g.At(T + 20, [&] { EXPECT_EQ(f.BorderStyle, 1); });
    g.Send(T + 30, EventType::Restored);
    g.At(T + 40, [&] { EXPECT_TRUE(f.BorderStyle == 0 && g.platform.Caption() == "Frothwick"); });
    const int x = f.ColumnX[3] + 5, y = f.RowY[7] + 5;
    g.At(T + 50, [&] { f.hDC()->FillRect({x, y, 4, 4}, 0x123456); });
    g.At(T + 60, [&] { EXPECT_EQ(g.Pixel(x, y), 0x123456u); });
    g.Send(T + 70, EventType::FocusGained);
    g.At(T + 80, [&] { EXPECT_EQ(g.Pixel(x, y), f.pctEmptyBeer.Pixels().At(5, 5) & 0xFFFFFF); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST_F(Chrome, AnyButtonOnTheBackgroundOrPlayfieldMovesTheWindow) {
    const int presses[][4] = {{10, 590, 420, 2},  // right button on the background
                              {20, 200, 200, 1},  // the playfield
                              {30, 150, 30, 4}};  // the logo: a control without a handler
    for (const auto& p : presses)
        for (const EventType type : {EventType::MouseDown, EventType::MouseUp})
            g.Send(T + p[0], type, p[1], p[2], p[3]);
    g.Click(T + 40, f.pctScores);
    g.At(T + 50, [&] { EXPECT_TRUE(g.platform.DragCount() == 2 && f.pctScoreBoard.Visible); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST_F(Chrome, TheMinimiseIconWithNoGameTogglesTheHiddenButton) {
    g.Click(T + 10, f.pctMinimizeIcon);
    g.At(T + 20, [&] {
        EXPECT_TRUE(!f.Paused && !f.pctAction.Visible && f.WindowState() == 1 &&
                    g.platform.MinimizeCount() == 1);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(Shutdown, EveryWayOutSavesUnloadsAndEndsAtOnce) {
    struct Case {
        const char* what;
        const char* settings;
        std::function<void(test::Game&)> script;
        const char* saved;  // a part of the file saved
    };
    const Case cases[] = {
        {"close request", "",
         [](test::Game& g) {
             g.Send(T + 10, EventType::Close);
             g.platform.ClickAt(T + 10, 520, 192);  // High Scores, already pending: never handled
             g.At(T + 11, [&g] { EXPECT_FALSE(g.form().pctScoreBoard.Visible); });
         },
         "HighScore1=0\n"},
        {"exit icon: the score is not recorded", "",
         [](test::Game& g) {
             g.At(T + 5, [&g] { g.form().Score = 900; });
             g.Click(T + 10, g.form().pctExitIcon);
         },
         "HighScoreName1=\nHighScore1=0\n"},
        {"Exit button, qualifying score: after the name", "",
         [](test::Game& g) {
             g.Quit(T + 10, 900);
             g.At(T + 500, [&g] { EXPECT_TRUE(g.form().EnteringName); });
             g.Key(T + 600, 'Q');
             g.Key(T + 601, test::kKeyEnter);
         },
         "HighScoreName1=Q\nHighScore1=900\n"},
        {"close during a game: the table as it stood",
         "[Settings]\nHighScoreName1=ANN\nHighScore1=1\n",
         [](test::Game& g) {
             g.Click(T + 10, g.form().pctNew);
             g.At(T + 20'000, [&g] { EXPECT_GT(g.form().Score, 0); });
             g.Send(T + 20'000, EventType::Close);
         },
         "HighScoreName1=ANN\nHighScore1=1\nHighScoreName2=\nHighScore2=0\n"},
        {"close during name entry keeps the letters", "",
         [](test::Game& g) {
             g.Quit(T + 10, 900);
             g.Key(T + 20, 'A');
             g.Key(T + 21, 'B');
             g.Send(T + 30, EventType::Close);
             g.Key(T + 30, 'C');  // pending behind the close
         },
         "HighScoreName1=AB\nHighScore1=900\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Game g(1, c.settings);
        c.script(g);
        g.At(T + 30'000, [] { ADD_FAILURE() << "the program went on after it had ended"; });
        EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
        EXPECT_FALSE(g.form().frmGraphics.Loaded());
        EXPECT_TRUE(g.Saved(c.saved));
    }
}

}  // namespace
