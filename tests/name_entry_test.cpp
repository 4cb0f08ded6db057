// Typing a high-score name on the board, key by key.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using platform::kKeyBackspace;
using platform::kKeyEnter;
using platform::kKeyShift;
using test::T;

// Scores the last game 700 and presses Exit: with an empty table, entry opens on row 1
// at T + 10, and the program ends after Enter.
void StartEntry(test::Game& g) {
    g.At(T + 5, [&g] { g.form().Score = 700; });
    g.Click(T + 10, g.form().pctQuit);
}

// True when the frame shows the sprite in letter column `column` of the entry row.
bool CellShows(test::Game& g, const forms::PictureBox& sprite, int column) {
    const FrmMain& f = g.form();
    return g.FrameShows(*sprite.Picture(), 10 + f.LetterX[column], 10 + f.RowTop[f.EntryRow]);
}

TEST(NameEntry, KeysTypeOnlyLettersAtMostSixAndBackspaceTakesOneBack) {
    std::vector<int> ignored = {kKeyShift, 32, 37, 38, 39, 40};  // Shift, Space, arrows; digits:
    for (int code = '0'; code <= '9'; ++code) ignored.push_back(code);
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{}, ""},                     // Enter first: an empty name
        {{kKeyBackspace, 'K'}, "K"},  // Backspace first does nothing
        {{'A', kKeyBackspace, 'K'}, "K"},
        {{kKeyShift, 'B', 98, 97, 112}, "BBAP"},  // Shift+B, keypad 2 and 1, F1
        {ignored, ""},
        {{'A', 'B', 'C', 'D', 'E', 'F', 'G', kKeyBackspace}, "ABCDE"},
    };
    for (const auto& [keys, name] : cases) {
        SCOPED_TRACE(name);
        test::Game g;
        StartEntry(g);
        std::uint64_t ms = T + 20;
        for (const int key : keys) g.Key(ms++, key);
        g.Key(ms, kKeyEnter);
        EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
        EXPECT_NE(
            g.SettingsText().find(std::string("HighScoreName1=") + name + "\nHighScore1=700\n"),
            std::string::npos);
    }
}

TEST(NameEntry, TheCursorStopsInColumnSevenAndBackspaceMovesItBack) {
    test::Game g;
    FrmMain& f = g.form();
    StartEntry(g);
    g.Key(T + 15, kKeyBackspace);  // first: nothing happens
    g.At(T + 16, [&] { EXPECT_TRUE(CellShows(g, f.frmGraphics.pctCursor, 1)); });
    for (int i = 0; i < 7; ++i) g.Key(T + 20 + i, 'A' + i);
    g.At(T + 30, [&] {
        EXPECT_TRUE(f.HighNames[1] == "ABCDEF" && f.EntryColumn == 7);
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctAlpha['F' - 'A'], 6));
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctCursor, 7));
    });
    g.Key(T + 40, kKeyBackspace);
    g.At(T + 50, [&] {
        EXPECT_EQ(f.EntryColumn, 6);
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctCursor, 6));
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctEmptyLetter, 7));
    });
    g.Key(T + 60, kKeyEnter);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

}  // namespace
