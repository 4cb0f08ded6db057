// Keyboard control of the falling can: sideways moves, drops, and the repaint around
// the old cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "harness.h"

namespace {

constexpr int kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kEnter = 13;

using Box = std::array<int, 4>;  // x, y, w, h

std::vector<Box> Boxes(const std::vector<forms::Rect>& rects) {
    std::vector<Box> boxes;
    for (const forms::Rect& r : rects) boxes.push_back({r.x, r.y, r.w, r.h});
    return boxes;
}

// Presses a key now and lets the window handle it; returns the rectangles copied.
std::vector<Box> Press(test::Game& g, int key) {
    g.Key(g.Now(), key);
    return Boxes(g.CopiesDuring([&] { g.form().DoEvents(); }));
}

Box CellBox(FrmMain& f, int row, int column) { return {f.ColumnX[column], f.RowY[row], 32, 20}; }

TEST(Keys, MoveSnapsIntoTheRowAndRepaintsAroundTheOldCell) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.PutFallingCan(0, 3);
    f.CanY = f.RowY[4] + 10;  // halfway between rows 4 and 5
    f.PaintSprite(f.pctBeer[0], f.CanX, f.CanY);
    const auto copies = Press(g, kRight);
    EXPECT_EQ(f.CanX, f.ColumnX[4]);
    EXPECT_EQ(f.CanY, f.RowY[5]);
    EXPECT_FALSE(f.KeyBusy);
    std::vector<Box> around;
    for (int r = 4; r <= 6; ++r)
        for (int c = 2; c <= 4; ++c) around.push_back(CellBox(f, r, c));
    EXPECT_EQ(copies, around);
    EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[3], f.RowY[4]));
    EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[3], f.RowY[5]));
    f.GameStep();  // the step paints it at its new place
    EXPECT_TRUE(g.Shows(f.pctBeer[0], f.ColumnX[4], f.RowY[5]));
}

TEST(Keys, BlockedMovesChangeNothing) {
    struct Case {
        const char* what;
        int column, row, key;
    };
    for (const Case& c : {Case{"left wall", 0, 3, kLeft}, Case{"right wall", 11, 3, kRight},
                          Case{"a can", 4, 10, kRight}, Case{"an obstacle", 4, 12, kLeft}}) {
        SCOPED_TRACE(c.what);
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        g.SetBoard({"...T.1......", "...M.2......", "...M.1......", "...B.2......"});
        f.Board[10][5] = 3;
        f.Board[11][5] = 4;
        g.PutFallingCan(0, c.column);
        f.CanY = f.RowY[c.row] - 5;
        EXPECT_TRUE(Press(g, c.key).empty());
        EXPECT_EQ(f.CanX, f.ColumnX[c.column]);
        EXPECT_EQ(f.CanY, f.RowY[c.row] - 5);
        EXPECT_FALSE(f.KeyBusy);
    }
}

TEST(Keys, IgnoredWithoutAFallingCanDuringAStepOrWhilePaused) {
    for (int blocker = 0; blocker < 3; ++blocker) {
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        g.PutFallingCan(0, 5);
        f.CanY = f.RowY[3];
        f.CanFalling = blocker != 0;
        f.TickBusy = blocker == 1;
        f.Paused = blocker == 2;
        for (int key : {kLeft, kRight, kDown, kSpace}) {
            SCOPED_TRACE(testing::Message() << "blocker " << blocker << " key " << key);
            EXPECT_TRUE(Press(g, key).empty());
            EXPECT_EQ(f.CanX, f.ColumnX[5]);
            EXPECT_EQ(f.CanY, f.RowY[3]);
            EXPECT_EQ(f.Score, 0);
            EXPECT_FALSE(f.KeyBusy);
        }
    }
}

TEST(Keys, OtherKeysDoNothingAndNameEntryTakesEveryKey) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.PutFallingCan(0, 5);
    for (int key : {kUp, kEnter, int{'A'}, int{'0'}}) EXPECT_TRUE(Press(g, key).empty()) << key;
    f.EnteringName = true;
    for (int key : {kLeft, kDown}) EXPECT_TRUE(Press(g, key).empty()) << key;
    EXPECT_EQ(f.CanX, f.ColumnX[5]);
    EXPECT_EQ(f.CanY, f.RowY[0]);
    EXPECT_EQ(f.Score, 0);
}

TEST(Keys, DropDownAnEmptyColumnStopsOnRow14For14PointsThenFallsToTheFloor) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.PutFallingCan(2, 6);
    f.GameStep();
    const auto copies = Press(g, kSpace);
    EXPECT_EQ(copies.size(), 1u + 2 * 14);  // the last image, then two cells per row
    EXPECT_EQ(f.CanY, f.RowY[14]);
    EXPECT_EQ(f.Score, 14);
    EXPECT_TRUE(f.CanFalling);
    for (int r = 0; r <= 13; ++r) EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[6], f.RowY[r])) << r;
    EXPECT_TRUE(g.Shows(f.pctBeer[2 * 8 + 1], f.ColumnX[6], f.RowY[14]));
    g.StepUntilLanded();
    EXPECT_EQ(f.Board[15][6], 3);
    EXPECT_EQ(f.Score, 14 + 30);
}

TEST(Keys, DropOntoAStackStopsAboveIt) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.SetBoard({".......1....", ".......2....", ".......1....", ".......2....", ".......1....", ".......2....",
                ".......1...."});
    g.PutFallingCan(3, 7);
    f.GameStep();
    Press(g, kDown);
    EXPECT_EQ(f.CanY, f.RowY[8]);
    EXPECT_EQ(f.Score, 8);
    EXPECT_EQ(g.StepUntilLanded(), 1);  // the next step lands it where it stands
    EXPECT_EQ(f.Board[8][7], 4);
    EXPECT_EQ(f.Score, 8 + 16);
}

TEST(Keys, DropWhileEnteringTheFloorRowOnlyErasesTheCanAndScores14) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    g.PutFallingCan(0, 2);
    f.CanY = f.RowY[14];
    f.GameStep();
    ASSERT_EQ(f.CanY, f.RowY[14] + 5);
    EXPECT_EQ(Press(g, kDown).size(), 1u);
    EXPECT_EQ(f.CanY, f.RowY[14] + 5);
    EXPECT_EQ(f.Score, 14);
    EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[2], f.RowY[14]));
}

TEST(Keys, ArrowAndDropDuringAPlayedGame) {
    test::Game g(21);
    FrmMain& f = g.form();
    const std::uint64_t t0 = g.Now();
    g.Click(t0, f.pctNew);
    int column = 0;
    g.At(t0 + 2044, [&] { column = (f.CanX - f.ColumnX[0]) / 32; });
    g.Key(t0 + 2045, kLeft);
    g.At(t0 + 2046, [&] { EXPECT_EQ(f.CanX, f.ColumnX[std::max(column - 1, 0)]); });
    std::int32_t scoreBefore = 0;
    g.At(t0 + 2144, [&] { scoreBefore = f.Score; });
    g.Key(t0 + 2145, kSpace);
    g.At(t0 + 2146, [&] {
        const int points = f.Score - scoreBefore;
        EXPECT_GT(points, 0);
        EXPECT_EQ(f.CanY, f.RowY[points]);  // left on the row its points name
        EXPECT_TRUE(points == 14 || f.Board[points + 1][std::max(column - 1, 0)] != 0);
    });
    g.Run();
}

TEST(RedrawAround, RepaintsUpToThreeByThreeCellsClippedAtTheEdges) {
    struct Case {
        int row, column, firstRow, lastRow, firstColumn, lastColumn;
    };
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    f.Board[6][4] = 3;
    f.BoardFrame[6][4] = 5;
    for (const Case& c : {Case{7, 5, 6, 8, 4, 6}, Case{0, 0, 0, 1, 0, 1}, Case{15, 11, 14, 15, 10, 11},
                          Case{14, 10, 13, 14, 9, 10}}) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        std::vector<Box> expected;
        for (int r = c.firstRow; r <= c.lastRow; ++r)
            for (int col = c.firstColumn; col <= c.lastColumn; ++col) expected.push_back(CellBox(f, r, col));
        const std::int16_t row = static_cast<std::int16_t>(c.row), column = static_cast<std::int16_t>(c.column);
        EXPECT_EQ(Boxes(g.CopiesDuring([&] { f.RedrawAround(row, column); })), expected);
    }
    EXPECT_TRUE(g.Shows(f.pctBeer[2 * 8 + 5], f.ColumnX[4], f.RowY[6]));
}

}  // namespace
