// Start-up, dealing and drawing boards, the game loop, and the fall and landing of a can.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "harness.h"

namespace {

using namespace game;
using layout::kRowPitch;
using test::kKeyDown, test::kKeySpace;
using Playfield = test::GameTest;

TEST_F(Playfield, StartUpRemovesALeftoverTraceFileAndSeedsTheDiceFromTheWallClock) {
    const auto firstDraws = [this](std::uint64_t wallClockNs) {
        std::ofstream(g.home + "/Frothwick.txt") << "x";
        platform::HeadlessPlatform headless;  // the same virtual clock every time
        headless.SetWallClockStart(wallClockNs);
        headless.SetProgramDir(g.home);
        FrmMain form(headless);
        form.Form_Load();
        EXPECT_FALSE(std::filesystem::exists(g.home + "/Frothwick.txt"));
        return std::vector{form.Rnd(), form.Rnd(), form.Rnd()};
    };
    EXPECT_EQ(firstDraws(1'800'000'000'000'000'000), firstDraws(1'800'000'000'000'000'000));
    EXPECT_NE(firstDraws(1'800'000'000'000'000'000), firstDraws(1'800'000'001'000'000'000));
}

TEST_F(Playfield, NewBoardsHoldOnlyFloorStacksOfOneThreeOrFourAndCansOfEveryKindFallEverywhere) {
    std::map<std::string, int> stacks;  // how often each column's four floor rows were dealt
    std::set<int> kinds, starts;
    const int boards = 4000, w = kVisibleColumns + 1, top = (kFloorRow - 3) * w;  // in BoardText
    g.StartOnEmptyBoard();
    for (int n = 0; n < boards; ++n) {
        for (auto& row : f.Board) std::fill(std::begin(row), std::end(row), 1);
        f.NewBoard();  // clears everything
        const std::string text = g.BoardText();
        ASSERT_EQ(text.substr(0, top), test::Field("").substr(0, top));
        for (auto p = &text[top]; *p != '\n'; ++p) ++stacks[{p[0], p[w], p[2 * w], p[3 * w]}];
        f.CanFalling = false;
        f.GameStep();
        kinds.insert(f.CanKind), starts.insert((f.CanX - f.ColumnX[0]) / layout::kColumnPitch);
    }
    EXPECT_EQ(stacks.size(), 4u);  // empty, and no other shape
    const double perBoard = kVisibleColumns / double(kObstacleOdds * kObstacleHeights);
    for (const char* stack : {"...S", ".TMB", "TMMB"})  // each as likely, in one column in 20
        EXPECT_NEAR(stacks[stack] / double(boards), perBoard, 0.025) << stack;
    EXPECT_TRUE(kinds.size() == kCanKinds && starts.size() == kVisibleColumns &&
                *starts.rbegin() == kLastColumn);
}

// A can left to fall, or dropped by a key after one step: the drop stops above the
// lowest free cell, for its row number in points; then the can snaps into its cell for
// twice its row.
TEST(Landing, FallingOrDroppedTheCanSnapsIntoItsCellForTwiceItsRow) {
    struct Case {
        const char* what;
        const char* rows;
        int column, key, startY;  // startY: below RowY(0) before the first step
        int dropRow, steps, row;  // steps: after the drop, until it lands in row (0: no drop)
    };
    const int kind = 2, floor = kFloorRow, deepest = kDeepestDropRow;
    for (const Case& c :
         {Case{"floor", "", 5, 0, 0, 0, 0, floor},
          Case{"stack", "4|4|4|4|4|4", 0, 0, 0, 0, 0, floor - 6},
          Case{"stack in the last column", ">4|>4", kLastColumn, 0, 0, 0, 0, floor - 2},
          Case{"dropped, empty column", "", 6, kKeySpace, 0, deepest, 2, floor},
          Case{"dropped onto a stack", "1|2|1|2|1|2|1", 0, kKeyDown, 0, floor - 7, 1, floor - 7},
          Case{"dropped entering the floor", "", 2, kKeyDown, deepest * kRowPitch, deepest, 1,
               floor}}) {
        SCOPED_TRACE(c.what);
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        g.SetBoard(c.rows);
        g.PutFallingCan(kind, c.column);
        if (c.key) {
            f.CanY += c.startY;
            f.GameStep();
            const std::int32_t y = f.CanY;
            g.Key(g.Now(), c.key);
            f.DoEvents();
            EXPECT_TRUE(f.CanY == std::max(y, f.RowY[c.dropRow]) && f.Score == c.dropRow &&
                        f.CanFalling);
            EXPECT_TRUE(g.Shows(c.startY == 0 ? f.pctBeer[CanSprite(kind, 1)] : f.pctEmptyBeer,
                                f.ColumnX[c.column], f.RowY[c.dropRow]));
        }
        const int steps = g.StepUntilLanded(), frame = (steps + !!c.key) % kRollFrames;
        // Falling kStartFallStep pixels a step from row 0, the can moves into a row once it
        // has passed the row above, and lands in it at the next step.
        EXPECT_EQ(steps, c.key ? c.steps : kRowPitch * (c.row - 1) / kStartFallStep + 2);
        EXPECT_EQ(f.Board[c.row][c.column], kind + 1);
        EXPECT_EQ(f.Score, c.dropRow + 2 * c.row);
        EXPECT_TRUE(g.Shows(f.pctBeer[CanSprite(kind, frame)], f.ColumnX[c.column], f.RowY[c.row]));
        EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[c.column], f.RowY[c.row - 1]));
        g.Send(g.Now() + 1, platform::EventType::Expose);  // and it is on the board for good
        g.Run();
        EXPECT_TRUE(g.Shows(f.pctBeer[CanSprite(kind, frame)], f.ColumnX[c.column], f.RowY[c.row]));
    }
}

// New Game clicked while held, after a game that ended.
TEST_F(Playfield, NewGameStartsAfterTwoSecondsWithFullMugsThePauseFaceAndTheFallStepItHad) {
    f.pctLives[1].Picture = f.frmGraphics.pctEmptyMug.Picture;
    f.Lives = 0, f.Paused = true;
    f.FallStep = 7;  // a second game goes on at the speed the first one reached,
    f.CanFalling = true, f.CanY = f.RowY[9];  // not with the can the first one left
    const std::uint64_t t0 = g.NewGame();
    g.At(t0 + 1999, [&] { EXPECT_TRUE(!f.CanFalling && g.MugsShow(3) && !f.pctAction.Visible); });
    g.At(t0 + 2001, [&] {
        EXPECT_TRUE(f.CanFalling && f.pctAction.Visible && f.CanY == f.RowY[0] + 7);
        EXPECT_EQ(f.pctAction.ToolTipText(), "Pause");
        EXPECT_EQ(g.ScoreShown(), "0000000");
    });
    g.At(t0 + 2091, [&] { EXPECT_EQ(f.CanY, f.RowY[0] + 14); });  // 90 ms a step
    g.At(t0 + 2095, [&] { f.TickDelay = 40; });                   // until a faster band
    g.At(t0 + 2221, [&] { EXPECT_EQ(f.CanY, f.RowY[0] + 28); });  // steps at 2180 and 2220
    // A game that ends under the about panel brings the whole panel back.
    g.Click(t0 + 2230, f.pctAbout);
    g.At(t0 + 2300, [&] { f.Lives = 0; });
    g.Run();
    EXPECT_TRUE(!f.pctAction.Visible && f.pctNew.Visible && f.lineLeft.Visible);
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
        const auto& table = f.HighScores;
        EXPECT_EQ(std::count(table.begin(), table.end(), f.Score), 1);
        EXPECT_EQ(std::count(table.begin(), table.end(), 5000), pending ? 1 : 0);
    }
}

// Restarts part-way through a game, with a table no score reaches: each New Game
// starts a fresh game two seconds later, at the same depth of the stack as the first.
TEST(NewGameAgain, AThousandRestartsEachStartAFreshGameAtTheSameStackDepth) {
    test::Game g(7, test::TableFile("A 9999999|A 9999999|A 9999999|A 9999999|A 9999999|"
                                    "A 9999999|A 9999999|A 9999999|A 9999999|A 9999999"));
    FrmMain& f = g.form();
    constexpr int kRestarts = 1000;
    int fresh = 0;
    std::set<const void*> depths;  // a frame's address inside each game's first wait
    for (std::uint64_t i = 0, click = test::T + 10; i < kRestarts; ++i, click += 3000) {
        g.Click(click, f.pctNew);
        g.At(click + 1999, [&] { fresh += !f.CanFalling; });
        g.At(click + 2001, [&] {
            fresh += f.CanFalling && g.MugsShow(game::kLives) && g.ScoreShown() == "0000000";
            depths.insert(__builtin_frame_address(0));
        });
        g.Key(click + 2500, kKeyDown);  // a can lands: the next restart offers its score
    }
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
    EXPECT_EQ(fresh, 2 * kRestarts);
    EXPECT_EQ(depths.size(), 1u);
    EXPECT_TRUE(f.Score > 0 && !f.EnteringName);
}

}  // namespace
