// The window's own chrome (drag, minimise, focus), saving and every way of shutting down.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "harness.h"

namespace {

using platform::EventType;
using test::T;
using Chrome = test::GameTest;

TEST_F(Chrome, DraggedByAnyButtonMinimisedByItsIconAndRepaintedWithTheFocus) {
    // The right button on the background, the left on the playfield; not the logo.
    for (const auto& [ms, x, y, button] :
         {std::tuple{50, 590, 420, 2}, {60, 200, 200, 1}, {70, 150, 30, 4}})
        for (const EventType type : {EventType::MouseDown, EventType::MouseUp})
            g.Send(T + ms, type, x, y, button);
    g.At(T + 80, [&] {
        EXPECT_TRUE(g.platform.DragCount() == 2 && g.platform.DragArea()(200, 200) &&
                    !g.platform.DragArea()(480, 185));
    });
    // The icon minimises the window; with no game running the pause button stays hidden.
    g.Click(T + 90, f.pctMinimizeIcon);
    g.At(T + 100, [&] { EXPECT_TRUE(!f.pctAction.Visible && g.platform.MinimizeCount() == 1); });
    // Getting the focus back repaints the playfield.
    g.At(T + 110, [&] { f.hDC()->FillRect({f.ColumnX[3], f.RowY[7], 4, 4}, 0x123456); });
    g.Send(T + 120, EventType::FocusGained);
    g.At(T + 130, [&] { EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[3], f.RowY[7])); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

// Nothing depends on a clean shutdown: a name entry and the sound setting are in the
// file as they end or change; every way out saves the rest and ends at once.
TEST(Saving, WhatThePlayerMadeIsInTheFileAtOnceAndEveryWayOutSavesTheRest) {
    struct Case {
        const char* what;
        std::int32_t score;  // of the last game
        const char* script;  // a click on New Game, Exit, the exit icon (x), Sound, OK,
                             // High Scores (h) or Clear (c);
                             // capitals and '\r' (Enter) are typed; 'w': another window
                             // saves its own table and turns sound on; then a close request
        const char* atOnce;  // in the file before the close request
        const char* saved;   // the table at the end
    };
    for (const Case& c :
         {Case{"close request", 900, "", "", "A 5000"},
          Case{"exit icon: the score is not offered", 900, "x", "", "A 5000"},
          Case{"Exit button: after the name", 900, "eQ\r", "", "A 5000|Q 900"},
          Case{"close during name entry keeps the letters", 900, "eAB", "e2=\nHighScore2=900\n",
               "A 5000|AB 900"},  // the new row at once, before its name
          Case{"close during a game: the table as it stood", 0, "n", "", "A 5000"},
          Case{"a name ended with Enter", 900, "nQ\r", "e2=Q\nHighScore2=900\n", "A 5000|Q 900"},
          Case{"a name ended with OK", 900, "nQo", "e2=Q\nHighScore2=900\n", "A 5000|Q 900"},
          Case{"the sound button, twice", 900, "ss", "\nSound=ON\n", "A 5000"},
          Case{"another window's Clear of this one's row, its row and sound stand", 900, "nQ\rw",
               "", "B 3000"},
          Case{"a Clear here leaves another window's later row", 900, "hcw", "", "B 3000"}}) {
        SCOPED_TRACE(c.what);
        test::Game g(1, test::TableFile("A 5000"));
        FrmMain& f = g.form();
        f.Score = c.score;
        // The button tells on from off by picture handle: a copy of the off image is not
        // off, so the first click turns sound off.
        f.pctSound.Picture = f.assets.Picture("sound_off.gif");
        const forms::PictureBox* buttons[] = {&f.pctNew, &f.pctQuit,   &f.pctExitIcon, &f.pctSound,
                                              &f.pctOk,  &f.pctScores, &f.pctClear};
        std::uint64_t ms = T;
        const std::string other = test::TableFile("B 3000") + "Sound=ON\n";  // saved by 'w'
        for (const char* k = c.script; *k; ++k) {
            const auto button = std::string("nexsohc").find(*k);
            if (*k == 'w')
                g.At(ms += 10,
                     [&] { std::ofstream(g.home + "/FrothwickPro/settings.ini") << other; });
            else
                button != std::string::npos ? g.Click(ms += 10, *buttons[button])
                                            : g.Key(ms += 10, *k == '\r' ? test::kKeyEnter : *k);
        }
        g.At(T + 19'999, [&] { EXPECT_TRUE(g.Saved(c.atOnce)); });
        g.Send(T + 20'000, EventType::Close);
        g.Key(T + 20'000, 'C');  // pending behind the close: never handled
        g.At(T + 30'000, [] { ADD_FAILURE() << "the program went on after it had ended"; });
        EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
        EXPECT_EQ(test::TableIn(g.SettingsText()), c.saved);
        // This window's sound is off (see above) but was not clicked: the other's stands.
        EXPECT_TRUE(g.Saved(std::strchr(c.script, 'w') ? "\nSound=ON\n" : ""));
    }
}

}  // namespace
