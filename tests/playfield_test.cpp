// Start-up, dealing and drawing boards, the game loop, and the fall and landing of a can.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "harness.h"

namespace {

using test::T;
using Playfield = test::GameTest;
using GameStep = test::BoardTest;

TEST_F(Playfield, StartUpRemovesALeftoverTraceFile) {
    std::ofstream(g.home + "/Frothwick.txt") << "x";
    FrmMain(g.platform).Form_Load();
    EXPECT_FALSE(std::filesystem::exists(g.home + "/Frothwick.txt"));
}

TEST_F(Playfield, TheDiceFollowTheWallClock) {
    const auto firstDraws = [](std::uint64_t wallClockNs) {
        platform::HeadlessPlatform headless;  // the same virtual clock every time
        headless.SetWallClockStart(wallClockNs);
        FrmMain form(headless);
        form.Form_Load();
        return std::vector{form.Rnd(), form.Rnd(), form.Rnd()};
    };
    EXPECT_EQ(firstDraws(1'800'000'000'000'000'000), firstDraws(1'800'000'000'000'000'000));
    EXPECT_NE(firstDraws(1'800'000'000'000'000'000), firstDraws(1'800'000'001'000'000'000));
}

TEST_F(Playfield, NewBoardsHoldOnlyFloorStacksOfOneThreeOrFourAndCansOfEveryKindFallEverywhere) {
    std::map<std::string, int> stacks;  // a column's rows 12..15 that hold something
    std::map<int, int> kinds, columns;
    int emptyBoards = 0;
    const int boards = 4000;
    g.StartOnEmptyBoard();
    for (int n = 0; n < boards; ++n) {
        g.SetBoard("1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1");  // a new board clears everything
        f.NewBoard();
        const std::string text = g.BoardText();
        ASSERT_EQ(text.substr(0, 12 * 13), test::Field("").substr(0, 12 * 13));
        bool empty = true;
        for (int c = 0; c < 12; ++c) {
            std::string column;
            for (int r = 12; r <= 15; ++r) column += text[r * 13 + c];
            if (column != "....") ++stacks[column], empty = false;
        }
        emptyBoards += empty;
        f.CanFalling = false;
        f.GameStep();
        ++kinds[f.CanKind], ++columns[(f.CanX - f.ColumnX[0]) / 32];
    }
    EXPECT_EQ(stacks.size(), 3u);  // and no other shape
    for (const char* shape : {"...S", ".TMB", "TMMB"})
        EXPECT_NEAR(stacks[shape] / double(boards), 0.2, 0.025) << shape;  // 0.6 a board
    EXPECT_NEAR(emptyBoards / double(boards), 0.54, 0.03);                 // 0.95^12
    EXPECT_TRUE(kinds.size() == 6 && columns.size() == 12 && columns.rbegin()->first == 11);
}

TEST_F(GameStep, PaintsTheNewCanAtRowZeroThenRollsItDownErasingTheStripItLeft) {
    for (const int fallStep : {5, 7}) {
        g.StartOnEmptyBoard();
        f.FallStep = fallStep;
        f.CanFrame = 5;  // left by the last can
        f.GameStep();
        const int x = f.CanX;
        for (int step = 1; step <= 9; ++step) {
            SCOPED_TRACE(testing::Message() << fallStep << " px, step " << step);
            EXPECT_TRUE(g.Shows(f.pctBeer[f.CanKind * 8 + (step - 1) % 8], x, f.CanY - fallStep));
            f.GameStep();
            const int y = f.RowY[0] + fallStep * step;
            EXPECT_TRUE(g.Shows(f.pctBeer[f.CanKind * 8 + step % 8], x, y));
            for (int dy = 1; dy <= fallStep; ++dy)
                EXPECT_EQ(g.Pixel(x + 16, y - dy), f.pctEmptyBeer.Pixels().At(16, 0) & 0xFFFFFF);
        }
    }
}

TEST(Landing, OnTheFloorOrOnAStackTheCanSnapsIntoItsCellForTwiceItsRow) {
    struct Case {
        const char* rows;
        int column, steps, row;
    };
    // 58 steps of 5 pixels reach into row 15; onto a stack at row 10, five pixels into row 9.
    for (const Case& c : {Case{"", 5, 58, 15}, Case{"4|4|4|4|4|4", 0, 34, 9},
                          Case{"...........4|...........4", 11, 50, 13}}) {
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        g.SetBoard(c.rows);
        g.PutFallingCan(2, c.column);
        EXPECT_EQ(g.StepUntilLanded(), c.steps);
        EXPECT_EQ(f.Board[c.row][c.column], 3);
        EXPECT_EQ(f.BoardFrame[c.row][c.column], c.steps % 8);  // the frame after the last drawn
        EXPECT_EQ(g.ScoreShown(), "00000" + std::to_string(2 * c.row));
        EXPECT_TRUE(g.Shows(f.pctBeer[2 * 8 + c.steps % 8], f.ColumnX[c.column], f.RowY[c.row]));
        EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[c.column], f.RowY[c.row - 1]));
        g.Send(g.Now() + 1, platform::EventType::Expose);  // and it is on the board for good
        g.Run();
        EXPECT_TRUE(g.Shows(f.pctBeer[2 * 8 + c.steps % 8], f.ColumnX[c.column], f.RowY[c.row]));
    }
}

TEST_F(Playfield, NewGameStartsAfterTwoSecondsWithFullMugsThePauseFaceAndTheFallStepItHad) {
    f.pctLives[1].Picture = f.frmGraphics.pctEmptyMug.Picture;
    f.FallStep = 7;  // a second game goes on at the speed the first one reached
    const std::uint64_t t0 = g.NewGame();
    g.At(t0 + 1999, [&] { EXPECT_TRUE(!f.CanFalling && g.MugsShow(3) && !f.pctAction.Visible); });
    g.At(t0 + 2001, [&] {
        EXPECT_TRUE(f.CanFalling && f.pctAction.Visible && f.CanY == f.RowY[0] + 7);
        EXPECT_TRUE(g.Shows(f.frmGraphics.pctPause, 486, 108));
        EXPECT_EQ(f.pctAction.ToolTipText(), "Pause");
        EXPECT_EQ(g.ScoreShown(), "0000000");
    });
    g.At(t0 + 2091, [&] { EXPECT_EQ(f.CanY, f.RowY[0] + 14); });  // 90 ms a step
    g.At(t0 + 2200, [&] { f.Lives = 0; });
    g.Run();
}

TEST_F(Playfield, NewGameDuringAGameRunsItsOwnGameWithANewCanThenTheOldLoopEndsToo) {
    f.Rnd.Seed(9);
    const std::uint64_t t1 = g.NewGame() + 30'000;
    g.At(t1 - 1, [&] { EXPECT_GT(f.Score, 0); });
    g.Click(t1, f.pctNew);  // the running game's score opens name entry
    std::int32_t frozenY = 0;
    g.At(t1 + 1000, [&] { frozenY = f.CanY; });
    g.At(t1 + 2999, [&] { EXPECT_EQ(f.CanY, frozenY); });  // the old loop is suspended
    g.Key(t1 + 3000, test::kKeyEnter);
    g.At(t1 + 3001, [&] { EXPECT_TRUE(f.Lives == 3 && f.CanY == f.RowY[0] + 5 && !f.Paused); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_TRUE(f.Lives == 0 && f.GameOver && !f.pctAction.Visible);
}

TEST(NewGameAgain, InTheStartWaitLeavesThatGameOnDisplayAndOffersItsScoreOnce) {
    test::Game single(42);  // a seed deals the same game however it was started
    single.NewGame();
    single.Run();
    for (const std::int32_t pending : {0, 5000}) {  // a double click; a pending score's entry
        test::Game g(42);                           // ended at once, then New Game again
        FrmMain& f = g.form();
        f.Score = pending;
        const std::uint64_t t0 = g.NewGame();
        g.Key(t0 + 50, test::kKeyEnter);
        g.Click(t0 + 100, f.pctNew);
        EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
        EXPECT_TRUE(f.Score == single.form().Score && f.GameOver && !f.EnteringName);
        EXPECT_TRUE(g.ScoreShown() == single.ScoreShown() && g.BoardText() == single.BoardText());
        g.Click(g.Now() + 10, f.pctQuit);  // offers that game's score, once
        g.Key(g.Now() + 20, test::kKeyEnter);
        EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
        const auto rows = [&f](std::int32_t score) {
            return std::count(f.HighScores.begin() + 1, f.HighScores.end(), score);
        };
        EXPECT_TRUE(rows(f.Score) == 1 && rows(5000) == (pending ? 1 : 0));
    }
}

}  // namespace
