// The window's own chrome (resize, drag, minimise) and every way of shutting down.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using platform::EventType;
using test::T;
using Chrome = test::GameTest;

TEST_F(Chrome, BorderlessWheneverShownDraggedByAnyButtonAndMinimisedByItsIcon) {
    EXPECT_TRUE(f.BorderStyle == 0 && g.platform.Caption() == "Frothwick");
    g.At(T + 5, [&] { f.BorderStyle = 1, f.SetCaption("x"); });
    g.Send(T + 10, EventType::Minimized);
    g.At(T + 20, [&] { EXPECT_EQ(f.BorderStyle, 1); });
    g.Send(T + 30, EventType::Restored);
    g.At(T + 40, [&] { EXPECT_TRUE(f.BorderStyle == 0 && g.platform.Caption() == "Frothwick"); });
    // The right button on the background, the left on the playfield; not the logo.
    for (const auto& [ms, x, y, button] :
         {std::tuple{50, 590, 420, 2}, {60, 200, 200, 1}, {70, 150, 30, 4}})
        for (const EventType type : {EventType::MouseDown, EventType::MouseUp})
            g.Send(T + ms, type, x, y, button);
    g.At(T + 80, [&] {
        EXPECT_TRUE(g.platform.DragCount() == 2 && g.platform.DragArea()(200, 200) &&
                    !g.platform.DragArea()(480, 185));
    });
    // With no game running the icon toggles the hidden pause button all the same.
    g.Click(T + 90, f.pctMinimizeIcon);
    g.At(T + 100, [&] {
        EXPECT_TRUE(!f.Paused && !f.pctAction.Visible && g.platform.MinimizeCount() == 1);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
    });
    // Getting the focus back repaints the playfield.
    g.At(T + 110, [&] { f.hDC()->FillRect({f.ColumnX[3], f.RowY[7], 4, 4}, 0x123456); });
    g.Send(T + 120, EventType::FocusGained);
    g.At(T + 130, [&] { EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[3], f.RowY[7])); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(Shutdown, EveryWayOutSavesUnloadsAndEndsAtOnce) {
    struct Case {
        const char* what;
        const char* table;
        std::int32_t score;  // of the last game
        char way;            // the Exit button, the exit icon, New Game, or a close request
        const char* keys;    // typed next; then a close request ends what still runs
        const char* saved;
    };
    for (const Case& c :
         {Case{"close request", "A 5", 900, 'c', "", "A 5"},
          Case{"exit icon: the score is not recorded", "", 900, 'x', "", ""},
          Case{"Exit button: after the name", "", 900, 'e', "Q\r", "Q 900"},
          Case{"close during name entry keeps the letters", "", 900, 'e', "AB", "AB 900"},
          Case{"close during a game: the table as it stood", "A 5", 0, 'n', "", "A 5"}}) {
        SCOPED_TRACE(c.what);
        test::Game g(1, test::TableFile(c.table));
        FrmMain& f = g.form();
        g.At(T + 5, [&] { f.Score = c.score; });
        const forms::PictureBox* way = c.way == 'e'   ? &f.pctQuit
                                       : c.way == 'x' ? &f.pctExitIcon
                                                      : &f.pctNew;
        c.way == 'c' ? g.Send(T + 10, EventType::Close) : g.Click(T + 10, *way);
        for (int i = 0; c.keys[i]; ++i)
            g.Key(T + 20 + i, c.keys[i] == '\r' ? test::kKeyEnter : c.keys[i]);
        g.At(T + 19'999, [&] { EXPECT_TRUE(c.way != 'n' || f.Score > 0); });
        g.Send(T + 20'000, EventType::Close);
        g.Key(T + 20'000, 'C');  // pending behind the close: never handled
        g.At(T + 30'000, [] { ADD_FAILURE() << "the program went on after it had ended"; });
        EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
        EXPECT_FALSE(f.frmGraphics.Loaded());
        EXPECT_EQ(test::TableIn(g.SettingsText()), c.saved);
    }
}

}  // namespace
