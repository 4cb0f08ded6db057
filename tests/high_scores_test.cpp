// The high-score table: entering scores, drawing the board, Clear and OK.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using test::T;
constexpr std::uint32_t kBlack = 0x000000;

const char* const kThreeRows =
    "[Settings]\nHighScoreName1=AAA\nHighScore1=5000\nHighScoreName2=BBB\nHighScore2=4000\n"
    "HighScoreName3=CCC\nHighScore3=3000\n";

// Gives the last game a score and presses Exit, which offers it to the table.
void ExitWithScore(test::Game& g, std::uint64_t ms, std::int32_t score) {
    g.At(ms, [&g, score] { g.form().Score = score; });
    g.Click(ms + 1, g.form().pctQuit);
}

// True when the frame shows the sprite at board pixel (x, y) (the board stands at 10, 10).
bool BoardShows(test::Game& g, const forms::PictureBox& sprite, int x, int y) {
    return g.FrameShows(*sprite.Picture(), x + 10, y + 10);
}

TEST(RecordScore, TakesTheFirstRowItReachesAndOpensEntryThereUnlessTheScoreIsZero) {
    std::string tenRows = "[Settings]\n";
    for (int n = 1; n <= game::kHighScoreRows; ++n)
        tenRows += "HighScoreName" + std::to_string(n) + "=P\nHighScore" + std::to_string(n) + "=" +
                   std::to_string(1100 - 100 * n) + "\n";
    struct Case {
        const char* what;
        std::string settings;
        std::int32_t score;
        int entryRow;  // 0: no entry opens
        std::string saved;
    };
    const Case cases[] = {
        {"a tie goes above", kThreeRows, 4000, 2,
         "HighScoreName2=D\nHighScore2=4000\nHighScoreName3=BBB\nHighScore3=4000\nHighScoreName4="
         "CCC\n"},
        {"zero takes a row", "[Settings]\nHighScoreName1=ANN\nHighScore1=0\n", 0, 0,
         "HighScoreName1=\nHighScore1=0\nHighScoreName2=ANN\nHighScore2=0\n"},
        {"below all rows", tenRows, 50, 0, tenRows},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Game g(1, c.settings);
        FrmMain& f = g.form();
        ExitWithScore(g, T + 10, c.score);
        if (c.entryRow) {
            g.At(T + 20, [&] {
                EXPECT_TRUE(f.EnteringName && f.EntryRow == c.entryRow && f.EntryColumn == 1 &&
                            f.Paused);
                EXPECT_TRUE(f.pctScoreBoard.Visible && !f.pctNew.Visible);
                EXPECT_TRUE(BoardShows(g, f.frmGraphics.pctCursor, f.ColumnX[0],
                                       f.RowY[0] + 23 * (c.entryRow - 1)));
            });
            g.Key(T + 30, 'D');
            g.Key(T + 31, platform::kKeyEnter);
        }
        EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
        EXPECT_NE(g.SettingsText().find(c.saved), std::string::npos) << g.SettingsText();
    }
}

TEST(ScoreBoard, DrawsNamesAndDigitsInTheirCells) {
    test::Game g(
        1,
        "[Settings]\nHighScoreName1=JAZ\nHighScore1=9876512\nHighScoreName3=k[?Q\nHighScore3=30\n");
    FrmMain& f = g.form();
    const auto& sprites = f.frmGraphics;
    g.Click(T + 10, f.pctScores);
    g.At(T + 20, [&] {
        const forms::Rect board = f.pctScoreBoard.Bounds();
        EXPECT_EQ((std::vector<int>{board.x, board.y, board.w, board.h}),
                  (std::vector<int>{10, 10, 396, 415}));
        const int x0 = f.ColumnX[0], y0 = f.RowY[0];
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(BoardShows(g, sprites.pctAlpha["JAZ"[i] - 'A'], x0 + 22 * i, y0)) << i;
        EXPECT_EQ(g.Pixel(10 + x0 + 66 + 11, 10 + y0 + 11), kBlack);  // no fourth letter
        const std::string digits = "9876512";
        for (int i = 0; i < 7; ++i)
            EXPECT_TRUE(BoardShows(g, sprites.pctDigit[digits[i] - '0'], f.ColumnX[5] + 22 * i, y0))
                << i;
        // Row 2 is empty: no letters, seven zeros.
        EXPECT_EQ(g.Pixel(10 + x0 + 11, 10 + y0 + 23 + 11), kBlack);
        EXPECT_TRUE(BoardShows(g, sprites.pctDigit[0], f.ColumnX[5] + 22 * 6, y0 + 23));
        // Characters after "Z" and below "A" are empty letter cells.
        for (int j = 0; j < 3; ++j)
            EXPECT_TRUE(BoardShows(g, sprites.pctEmptyLetter, x0 + 22 * j, y0 + 46)) << j;
        EXPECT_TRUE(BoardShows(g, sprites.pctAlpha['Q' - 'A'], x0 + 66, y0 + 46));
        EXPECT_FALSE(f.EnteringName);
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(ScoreBoard, ClearDuringEntryStartsItAfreshOnRowOne) {
    test::Game g(1, kThreeRows);
    FrmMain& f = g.form();
    ExitWithScore(g, T + 10, 3500);
    g.Key(T + 20, 'X');
    g.Key(T + 21, 'Y');
    g.Click(T + 30, f.pctClear);
    g.At(T + 40, [&] {
        EXPECT_TRUE(f.HighScores[1] == 3500 && f.HighNames[1].empty());
        for (int n = 2; n <= game::kHighScoreRows; ++n)
            EXPECT_TRUE(f.HighNames[n].empty() && f.HighScores[n] == 0) << n;
        EXPECT_TRUE(f.EnteringName && f.EntryRow == 1 && f.EntryColumn == 1);
        EXPECT_TRUE(BoardShows(g, f.frmGraphics.pctCursor, f.ColumnX[0], f.RowY[0]));
        EXPECT_EQ(g.Pixel(10 + f.ColumnX[0] + 11, 10 + f.RowY[0] + 46 + 11),
                  kBlack);  // old row 3 wiped
    });
    g.Key(T + 50, 'Z');
    g.Key(T + 51, platform::kKeyEnter);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_NE(
        g.SettingsText().find("HighScoreName1=Z\nHighScore1=3500\nHighScoreName2=\nHighScore2=0\n"),
        std::string::npos);
}

TEST(ScoreBoard, ClearEmptiesTheTableAtOnceButTheFileOnlyAtTheEnd) {
    test::Game g(1, kThreeRows);
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctScores);
    g.Click(T + 20, f.pctClear);
    g.At(T + 30, [&] {
        EXPECT_TRUE(f.HighScores[1] == 0 && f.pctScoreBoard.Visible);
        EXPECT_NE(g.SettingsText().find("HighScore1=5000"), std::string::npos);
    });
    g.Click(T + 40, f.pctOk);
    g.At(T + 50, [&] {
        EXPECT_TRUE(!f.pctScoreBoard.Visible && !f.pctOk.Visible && f.pctNew.Visible && !f.Paused);
    });
    g.Click(T + 60, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_EQ(g.SettingsText().find("HighScore1=5000"), std::string::npos);
}

}  // namespace
