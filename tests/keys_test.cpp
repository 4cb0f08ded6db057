// Keyboard control of the falling can: sideways moves, drops, and the repaint around
// the old cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "harness.h"

namespace {

using namespace game;

using platform::kKeyDown;
using platform::kKeyEnter;
using platform::kKeyLeft;
using platform::kKeyRight;
using platform::kKeySpace;
using platform::kKeyUp;

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

using Keys = test::BoardTest;
using RedrawAround = test::BoardTest;

TEST_F(Keys, MoveSnapsIntoTheRowAndRepaintsAroundTheOldCell) {
    g.PutFallingCan(0, 3);
    f.CanY = f.RowY[4] + 10;  // halfway between rows 4 and 5
    f.PaintSprite(f.pctBeer[0], f.CanX, f.CanY);
    const auto copies = Press(g, kKeyRight);
    EXPECT_TRUE(f.CanX == f.ColumnX[4] && f.CanY == f.RowY[5] && !f.KeyBusy);
    std::vector<Box> around;
    for (int r = 4; r <= 6; ++r)
        for (int c = 2; c <= 4; ++c) around.push_back(CellBox(f, r, c));
    EXPECT_EQ(copies, around);
    EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[3], f.RowY[4]));
    EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[3], f.RowY[5]));
    f.GameStep();  // the step paints it at its new place
    EXPECT_TRUE(g.Shows(f.pctBeer[0], f.ColumnX[4], f.RowY[5]));
}

TEST_F(Keys,
       BlockedMovesAndKeysWithoutAFallingCanDuringAStepWhilePausedOrEnteringANameChangeNothing) {
    g.SetBoard({"...T.1......", "...M.2......", "...M.1......", "...B.2......"});
    f.Board[10][5] = 3;
    f.Board[11][5] = 4;
    const std::vector<int> moves = {kKeyLeft, kKeyRight, kKeyDown, kKeySpace};
    struct Case {
        const char* what;
        int column, row;
        std::vector<int> keys;
        bool FrmMain::*flipped;  // a state turned the other way for the case
    };
    const Case cases[] = {
        {"left wall", 0, 3, {kKeyLeft}, nullptr},
        {"right wall", kLastColumn, 3, {kKeyRight}, nullptr},
        {"a can", 4, 10, {kKeyRight}, nullptr},
        {"an obstacle", 4, 12, {kKeyLeft}, nullptr},
        {"no can", 5, 3, moves, &FrmMain::CanFalling},
        {"a step", 5, 3, moves, &FrmMain::TickBusy},
        {"paused", 5, 3, moves, &FrmMain::Paused},
        {"name entry", 5, 3, moves, &FrmMain::EnteringName},
        {"other keys", 5, 3, {kKeyUp, kKeyEnter, 'A', '0'}, nullptr},
    };
    for (const Case& c : cases) {
        g.PutFallingCan(0, c.column);
        f.CanY = f.RowY[c.row] - 5;
        if (c.flipped) f.*c.flipped = !(f.*c.flipped);
        for (const int key : c.keys) {
            SCOPED_TRACE(testing::Message() << c.what << ", key " << key);
            EXPECT_TRUE(Press(g, key).empty());
            EXPECT_TRUE(f.CanX == f.ColumnX[c.column] && f.CanY == f.RowY[c.row] - 5 &&
                        f.Score == 0 && !f.KeyBusy);
        }
        if (c.flipped) f.*c.flipped = !(f.*c.flipped);
    }
}

TEST_F(Keys, DropStopsAboveTheLowestFreeCellForItsRowNumberInPointsAndTheCanThenLands) {
    struct Case {
        const char* what;
        std::initializer_list<const char*> rows;
        int column, startY, key, row;  // startY: below RowY(0) before the step
        std::size_t copies;            // the last image, then two cells per row
        int landedRow, totalPoints;
    };
    const Case cases[] = {
        {"empty column",
         {},
         6,
         0,
         kKeySpace,
         kDeepestDropRow,
         1 + 2 * kDeepestDropRow,
         kFloorRow,
         kDeepestDropRow + 2 * kFloorRow},
        {"onto a stack",
         {"1", "2", "1", "2", "1", "2", "1"},
         0,
         0,
         kKeyDown,
         8,
         1 + 2 * 8,
         8,
         8 + 16},
        // Already entering the floor row: the can stays, only its image is erased.
        {"entering the floor",
         {},
         2,
         kRowPitch * kDeepestDropRow,
         kKeyDown,
         kDeepestDropRow,
         1,
         kFloorRow,
         kDeepestDropRow + 2 * kFloorRow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g.StartOnEmptyBoard();
        g.SetBoard(c.rows);
        g.PutFallingCan(2, c.column);
        f.CanY += c.startY;
        f.GameStep();
        const std::int32_t y = f.CanY;
        EXPECT_EQ(Press(g, c.key).size(), c.copies);
        EXPECT_EQ(f.CanY, std::max(y, f.RowY[c.row]));
        EXPECT_EQ(f.Score, c.row);
        EXPECT_TRUE(f.CanFalling);
        for (int r = 0; r < c.row; ++r)
            EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[c.column], f.RowY[r])) << r;
        const forms::PictureBox& shown =
            c.startY == 0 ? f.pctBeer[CanSprite(2, 1)] : f.pctEmptyBeer;
        EXPECT_TRUE(g.Shows(shown, f.ColumnX[c.column], f.RowY[c.row]));
        g.StepUntilLanded();
        EXPECT_EQ(f.Board[c.landedRow][c.column], 3);
        EXPECT_EQ(f.Score, c.totalPoints);
    }
}

TEST_F(RedrawAround, RepaintsUpToThreeByThreeCellsClippedAtTheEdges) {
    struct Case {
        int row, column, firstRow, lastRow, firstColumn, lastColumn;
    };
    f.Board[6][4] = 3;
    f.BoardFrame[6][4] = 5;
    for (const Case& c :
         {Case{7, 5, 6, 8, 4, 6}, Case{0, 0, 0, 1, 0, 1},
          Case{kFloorRow, kLastColumn, kFloorRow - 1, kFloorRow, kLastColumn - 1, kLastColumn},
          Case{kFloorRow - 1, kLastColumn - 1, kFloorRow - 2, kFloorRow - 1, kLastColumn - 2,
               kLastColumn - 1}}) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        std::vector<Box> expected;
        for (int r = c.firstRow; r <= c.lastRow; ++r)
            for (int col = c.firstColumn; col <= c.lastColumn; ++col)
                expected.push_back(CellBox(f, r, col));
        const std::int16_t row = static_cast<std::int16_t>(c.row),
                           column = static_cast<std::int16_t>(c.column);
        EXPECT_EQ(Boxes(g.CopiesDuring([&] { f.RedrawAround(row, column); })), expected);
    }
    EXPECT_TRUE(g.Shows(f.pctBeer[CanSprite(2, 5)], f.ColumnX[4], f.RowY[6]));
}

}  // namespace
