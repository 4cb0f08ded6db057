// Typing a high-score name on the board, key by key.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time
constexpr int kEnter = 13, kBackspace = 8, kShift = 16;

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

// Types the keys one ms apart from `ms` on, then Enter; returns the name saved.
std::string SavedName(test::Game& g, std::uint64_t ms, const std::vector<int>& keys) {
    for (const int key : keys) g.Key(ms++, key);
    g.Key(ms, kEnter);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    const std::string text = g.SettingsText();
    const auto start = text.find("HighScoreName1=") + 15;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(NameEntry, EnterFirstClosesTheBoardWithAnEmptyName) {
    test::Game g;
    FrmMain& f = g.form();
    g.At(T + 5, [&] { f.Score = 700; });
    g.Click(T + 10, f.pctNew);
    g.Key(T + 20, kEnter);
    g.At(T + 30, [&] {
        EXPECT_FALSE(f.EnteringName);
        EXPECT_FALSE(f.pctScoreBoard.Visible);
        EXPECT_TRUE(f.pctNew.Visible);
        EXPECT_EQ(f.HighNames[1], "");
        EXPECT_EQ(f.HighScores[1], 700);
    });
    // Shown again during the game that followed: the score, and no letters.
    g.Click(T + 5000, f.pctScores);
    g.At(T + 5010, [&] {
        EXPECT_EQ(g.Pixel(10 + f.ColumnX[0] + 11, 10 + f.RowY[0] + 11), 0x000000u);
        EXPECT_TRUE(g.FrameShows(*f.frmGraphics.pctDigit[7].Picture(), 10 + f.ColumnX[5] + 4 * 22, 10 + f.RowY[0]));
    });
    g.Click(T + 5100, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

TEST(NameEntry, SevenLettersTakeSixAndBackspaceTakesOneBack) {
    test::Game g;
    FrmMain& f = g.form();
    StartEntry(g);
    for (int i = 0; i < 7; ++i) g.Key(T + 20 + i, 'A' + i);
    g.At(T + 30, [&] {
        EXPECT_EQ(f.HighNames[1], "ABCDEF");
        EXPECT_EQ(f.EntryColumn, 7);
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctAlpha['F' - 'A'], 6));
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctCursor, 7));
    });
    g.Key(T + 40, kBackspace);
    g.At(T + 50, [&] {
        EXPECT_EQ(f.HighNames[1], "ABCDE");
        EXPECT_EQ(f.EntryColumn, 6);
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctCursor, 6));
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctEmptyLetter, 7));
    });
    EXPECT_EQ(SavedName(g, T + 60, {}), "ABCDE");
}

TEST(NameEntry, BackspaceFirstDoesNothing) {
    test::Game g;
    FrmMain& f = g.form();
    StartEntry(g);
    g.Key(T + 20, kBackspace);
    g.At(T + 30, [&] {
        EXPECT_EQ(f.EntryColumn, 1);
        EXPECT_TRUE(f.EnteringName);
        EXPECT_TRUE(CellShows(g, f.frmGraphics.pctCursor, 1));
    });
    EXPECT_EQ(SavedName(g, T + 40, {'K'}), "K");
}

TEST(NameEntry, OnlyLetterCodesTypeAndShiftMakesNoDifference) {
    test::Game g;
    StartEntry(g);
    // Shift+B, keypad 2 (98), digits, Space, arrows, keypad 1 (97) and F1 (112).
    std::vector<int> keys = {kShift, 'B', 98};
    for (int code = '0'; code <= '9'; ++code) keys.push_back(code);
    for (const int code : {32, 37, 38, 39, 40, 97, 112}) keys.push_back(code);
    EXPECT_EQ(SavedName(g, T + 20, keys), "BBAP");
}

}  // namespace
