// The high-score table: entering scores, drawing the board, Clear and OK.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time
constexpr std::uint32_t kBlack = 0x000000;

const char* const kThreeRows =
    "[Settings]\nHighScoreName1=AAA\nHighScore1=5000\nHighScoreName2=BBB\nHighScore2=4000\n"
    "HighScoreName3=CCC\nHighScore3=3000\n";

// Gives the last game a score and presses Exit, which offers it to the table.
void ExitWithScore(test::Game& g, std::uint64_t ms, std::int32_t score) {
    g.At(ms, [&g, score] { g.form().Score = score; });
    g.Click(ms + 1, g.form().pctQuit);
}

// True when the sprite is drawn at board pixel (x, y), both on the board itself and in
// the frame shown (the board stands at 10, 10).
bool BoardShows(test::Game& g, const forms::PictureBox& sprite, int x, int y) {
    const forms::Image& image = *sprite.Picture();
    const forms::Surface& board = g.form().pctScoreBoard.Pixels();
    for (int py = 0; py < image.height; ++py)
        for (int px = 0; px < image.width; ++px) {
            const std::uint32_t p = image.pixels[static_cast<std::size_t>(py) * image.width + px];
            if ((p >> 24) && (p & 0xFFFFFF) != (board.At(x + px, y + py) & 0xFFFFFF)) return false;
        }
    return g.FrameShows(image, x + 10, y + 10);
}

TEST(RecordScore, TakesTheFirstRowItReachesAndOpensEntryThere) {
    test::Game g(1, kThreeRows);
    FrmMain& f = g.form();
    ExitWithScore(g, T + 10, 4000);  // ties with row 2: goes above it
    g.At(T + 20, [&] {
        EXPECT_EQ((std::vector<std::int32_t>(f.HighScores.begin() + 1, f.HighScores.begin() + 5)),
                  (std::vector<std::int32_t>{5000, 4000, 4000, 3000}));
        EXPECT_EQ(f.HighNames[2], "");
        EXPECT_EQ(f.HighNames[3], "BBB");
        EXPECT_TRUE(f.EnteringName);
        EXPECT_EQ(f.EntryRow, 2);
        EXPECT_EQ(f.EntryColumn, 1);
        EXPECT_TRUE(f.Paused);
        EXPECT_TRUE(f.pctScoreBoard.Visible);
        EXPECT_FALSE(f.pctNew.Visible);
        EXPECT_TRUE(BoardShows(g, f.frmGraphics.pctCursor, f.ColumnX[0], f.RowY[0] + 23));
    });
    g.Key(T + 30, 'D');
    g.Key(T + 31, 13);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_NE(g.SettingsText().find("HighScoreName2=D\nHighScore2=4000\nHighScoreName3=BBB\nHighScore3=4000\n"),
              std::string::npos);
}

TEST(RecordScore, ZeroScoreTakesARowButOpensNothing) {
    test::Game g(1, "[Settings]\nHighScoreName1=ANN\nHighScore1=0\n");
    g.Click(T + 10, g.form().pctQuit);  // Score is 0; the program ends at once
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_NE(g.SettingsText().find("HighScoreName1=\nHighScore1=0\nHighScoreName2=ANN\nHighScore2=0\n"),
              std::string::npos);
}

TEST(RecordScore, ScoreBelowAllRowsChangesNothing) {
    std::string table = "[Settings]\n";
    for (int n = 1; n <= 10; ++n)
        table += "HighScoreName" + std::to_string(n) + "=P\nHighScore" + std::to_string(n) + "=" +
                 std::to_string(1100 - 100 * n) + "\n";
    test::Game g(1, table + "Sound=OFF\n");
    ExitWithScore(g, T + 10, 50);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_EQ(g.SettingsText(), table + "Sound=OFF\n");
}

TEST(ScoreBoard, DrawsNamesAndDigitsInTheirCells) {
    test::Game g(1, "[Settings]\nHighScoreName1=JAZ\nHighScore1=9876512\nHighScoreName3=k[?Q\nHighScore3=30\n");
    FrmMain& f = g.form();
    const auto& sprites = f.frmGraphics;
    g.Click(T + 10, f.pctScores);
    g.At(T + 20, [&] {
        EXPECT_EQ(f.pctScoreBoard.Bounds().x, 10);
        EXPECT_EQ(f.pctScoreBoard.Bounds().y, 10);
        EXPECT_EQ(f.pctScoreBoard.PixelWidth(), 396);
        EXPECT_EQ(f.pctScoreBoard.PixelHeight(), 415);
        const int x0 = f.ColumnX[0], y0 = f.RowY[0];
        for (int j = 1; j <= 7; ++j) EXPECT_EQ(f.LetterX[j], x0 + 22 * (j - 1));
        for (int r = 1; r <= 10; ++r) EXPECT_EQ(f.RowTop[r], y0 + 23 * (r - 1));
        EXPECT_TRUE(BoardShows(g, sprites.pctAlpha['J' - 'A'], x0, y0));
        EXPECT_TRUE(BoardShows(g, sprites.pctAlpha['A' - 'A'], x0 + 22, y0));
        EXPECT_TRUE(BoardShows(g, sprites.pctAlpha['Z' - 'A'], x0 + 44, y0));
        EXPECT_EQ(g.Pixel(10 + x0 + 66 + 11, 10 + y0 + 11), kBlack);  // no fourth letter
        const std::string digits = "9876512";
        for (int i = 0; i < 7; ++i)
            EXPECT_TRUE(BoardShows(g, sprites.pctDigit[digits[i] - '0'], f.ColumnX[5] + 22 * i, y0)) << i;
        // Row 2 is empty: no letters, seven zeros.
        EXPECT_EQ(g.Pixel(10 + x0 + 11, 10 + y0 + 23 + 11), kBlack);
        EXPECT_TRUE(BoardShows(g, sprites.pctDigit[0], f.ColumnX[5] + 22 * 6, y0 + 23));
        // Characters after "Z" and below "A" are empty letter cells.
        for (int j = 0; j < 3; ++j) EXPECT_TRUE(BoardShows(g, sprites.pctEmptyLetter, x0 + 22 * j, y0 + 46)) << j;
        EXPECT_TRUE(BoardShows(g, sprites.pctAlpha['Q' - 'A'], x0 + 66, y0 + 46));
        EXPECT_FALSE(f.EnteringName);
    });
    g.Click(T + 30, f.pctOk);
    g.At(T + 40, [&] {
        EXPECT_FALSE(f.pctScoreBoard.Visible);
        EXPECT_FALSE(f.pctOk.Visible);
        EXPECT_TRUE(f.pctNew.Visible);
        EXPECT_FALSE(f.Paused);
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
        EXPECT_EQ(f.HighScores[1], 3500);
        EXPECT_EQ(f.HighNames[1], "");
        for (int n = 2; n <= 10; ++n) EXPECT_TRUE(f.HighNames[n].empty() && f.HighScores[n] == 0) << n;
        EXPECT_TRUE(f.EnteringName);
        EXPECT_EQ(f.EntryRow, 1);
        EXPECT_EQ(f.EntryColumn, 1);
        EXPECT_TRUE(BoardShows(g, f.frmGraphics.pctCursor, f.ColumnX[0], f.RowY[0]));
        EXPECT_EQ(g.Pixel(10 + f.ColumnX[0] + 11, 10 + f.RowY[0] + 46 + 11), kBlack);  // old row 3 wiped
    });
    g.Key(T + 50, 'Z');
    g.Key(T + 51, 13);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_NE(g.SettingsText().find("HighScoreName1=Z\nHighScore1=3500\nHighScoreName2=\nHighScore2=0\n"),
              std::string::npos);
}

TEST(ScoreBoard, ClearAndOkDuringAGameLetItGoOn) {
    test::Game g(1, kThreeRows);
    FrmMain& f = g.form();
    std::int32_t canY = 0;
    g.Click(T + 10, f.pctNew);
    g.Click(T + 5000, f.pctScores);
    g.At(T + 5010, [&] {
        EXPECT_TRUE(f.Paused);
        EXPECT_FALSE(f.pctAction.Visible);
    });
    g.Click(T + 5100, f.pctClear);
    g.At(T + 5110, [&] {
        EXPECT_EQ(f.HighScores[1], 0);
        EXPECT_NE(g.SettingsText().find("HighScore1=5000"), std::string::npos);  // stored only at the end
        EXPECT_TRUE(f.pctScoreBoard.Visible);
    });
    g.Click(T + 5200, f.pctOk);
    g.At(T + 5210, [&] {
        EXPECT_FALSE(f.Paused);
        EXPECT_TRUE(f.pctAction.Visible);
        canY = f.CanY;
    });
    g.At(T + 6000, [&] { EXPECT_NE(f.CanY, canY); });  // the can falls on
    g.Click(T + 6100, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_EQ(g.SettingsText().find("HighScore1=5000"), std::string::npos);
}

TEST(ScoreBoard, OkAfterPauseLetsTheGameRunButKeepsThePlayFace) {
    test::Game g;
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctNew);
    g.Click(T + 3000, f.pctAction);
    g.Click(T + 3100, f.pctScores);
    g.Click(T + 3200, f.pctOk);
    g.At(T + 3210, [&] {
        EXPECT_FALSE(f.Paused);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPlay.Picture());
    });
    g.Click(T + 3300, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

}  // namespace
