// Blocks of six: which landings clear, how the cans above drop, chains, and the sound.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

// A floor row of mixed kinds that holds no block with anything above it.
constexpr const char* kFloor = "234562345623";

// Lands a can of kind in column the ordinary way, from the top of the playfield.
void Land(test::Game& g, int kind, int column) {
    g.PutFallingCan(kind, column);
    g.StepUntilLanded();
}

// How many burps were played; every sound must be the asynchronous burp.
int Burps(test::Game& g) {
    int burps = 0;
    for (const auto& sound : g.platform.Sounds()) {
        EXPECT_EQ(sound.path, g.home.Path() + "/burp.wav");
        EXPECT_FALSE(sound.synchronous);
        ++burps;
    }
    return burps;
}

void ExpectEmpty(FrmMain& f, int firstRow, int lastRow, int firstColumn, int lastColumn) {
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstColumn; c <= lastColumn; ++c) EXPECT_EQ(f.Board[r][c], 0) << r << "," << c;
}

// A fresh game with sound on and the board given (last string = row 15).
struct Field {
    test::Game g;
    FrmMain& f = g.form();
    explicit Field(std::initializer_list<const char*> rows) {
        g.StartOnEmptyBoard();
        g.SetSound(true);
        g.SetBoard(rows);
    }
};

TEST(Clearing, LandedCanCompletesAWideBlockFromAnyTopRowPlace) {
    struct Case {
        const char* top;
        int column;
    };
    for (const Case& c : {Case{"...11.......", 2}, Case{"..1.1.......", 3}, Case{"..11........", 4}}) {
        SCOPED_TRACE(c.column);
        Field s({c.top, "..111.......", kFloor});
        Land(s.g, 0, c.column);
        ExpectEmpty(s.f, 0, 14, 0, 11);
        EXPECT_EQ(s.f.Score, 26 + 500);
        EXPECT_EQ(Burps(s.g), 1);
        for (int col = 2; col <= 4; ++col)
            EXPECT_TRUE(s.g.Shows(s.f.pctEmptyBeer, s.f.ColumnX[col], s.f.RowY[13])) << col;
    }
}

TEST(Clearing, LandedCanCompletesATallBlockAsTopLeftOrTopRight) {
    struct Case {
        const char* top;
        int column;
    };
    for (const Case& c : {Case{"......3.....", 5}, Case{".....3......", 6}}) {
        SCOPED_TRACE(c.column);
        Field s({c.top, ".....33.....", ".....33.....", kFloor});
        Land(s.g, 2, c.column);
        ExpectEmpty(s.f, 0, 14, 0, 11);
        EXPECT_EQ(s.f.Score, 24 + 500);
        EXPECT_EQ(Burps(s.g), 1);
    }
}

TEST(Clearing, ShapesWithoutATwoByThreeBlockStay) {
    struct Case {
        const char* what;
        std::initializer_list<const char*> rows;
        int column, landedRow;
    };
    const Case cases[] = {
        {"three in a row", {"11.........."}, 2, 15},
        {"three in a column", {"1...........", "1...........", kFloor}, 0, 12},
        {"L of six", {"1...........", "1...........", "111........."}, 0, 12},
        {"line of six", {"111.11......", kFloor}, 3, 14},
        {"square of four and two", {"11..........", "11..........", "11.........."}, 2, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Field s(c.rows);
        Land(s.g, 0, c.column);
        EXPECT_EQ(s.f.Board[c.landedRow][c.column], 1);
        EXPECT_EQ(s.f.Score, 2 * c.landedRow);
        EXPECT_EQ(Burps(s.g), 0);
    }
}

TEST(Clearing, NoBlockHasItsTopRowOnTheFloorRow) {
    Field s({"111.........", "111........."});
    bool found = true;
    s.f.CheckMatch(15, 0, found);
    EXPECT_FALSE(found);
    EXPECT_EQ(s.f.Board[15][0], 1);
    s.f.CheckMatch(14, 1, found);  // the same block, tested from its top row
    EXPECT_TRUE(found);
    ExpectEmpty(s.f, 14, 15, 0, 2);
}

TEST(Clearing, BlanksSixCellsThenRedrawsTheWholeBoardOnce) {
    Field s({"..2222......", "..2222......", kFloor});
    bool found = false;
    const std::int16_t row = 13, column = 3;
    const auto copies = s.g.CopiesDuring([&] { s.f.CheckMatch(row, column, found); });
    EXPECT_TRUE(found);
    EXPECT_EQ(copies.size(), 6u + 192u);
}

TEST(Clearing, OfTwoRowsOfFourTheLeftmostThreeColumnsGo) {
    Field s({".111........", "1111........", kFloor});
    Land(s.g, 0, 0);
    ExpectEmpty(s.f, 13, 14, 0, 2);
    EXPECT_EQ(s.f.Board[13][3], 1);
    EXPECT_EQ(s.f.Board[14][3], 1);
    EXPECT_EQ(s.f.Score, 26 + 500);
}

TEST(Clearing, WideBlockGoesBeforeATallOneThroughTheSameCells) {
    Field s({".22.........", "222.........", "22..........", kFloor});
    Land(s.g, 1, 0);  // completes rows 12..13 × columns 0..2 and rows 12..14 × columns 0..1
    ExpectEmpty(s.f, 0, 13, 0, 11);
    EXPECT_EQ(s.f.Board[14][0], 2);
    EXPECT_EQ(s.f.Board[14][1], 2);
    EXPECT_EQ(s.f.Score, 24 + 500);
    EXPECT_EQ(Burps(s.g), 1);
}

TEST(Clearing, BlockOnTheTopTwoRowsLeavesThemEmptyAndNothingDrops) {
    test::Game g;
    FrmMain& f = g.form();
    g.StartOnEmptyBoard();
    // Columns 0..2 full up to row 2 with kinds that never make a block.
    for (int r = 2; r <= 15; ++r)
        for (int c = 0; c <= 2; ++c) f.Board[r][c] = static_cast<std::int16_t>(2 + (r + c) % 5);
    for (int c = 0; c <= 2; ++c) f.Board[1][c] = 1;
    f.Board[0][1] = f.Board[0][2] = 1;
    std::int16_t below[14][3];
    for (int r = 2; r <= 15; ++r)
        for (int c = 0; c <= 2; ++c) below[r - 2][c] = f.Board[r][c];
    Land(g, 0, 0);
    ExpectEmpty(f, 0, 1, 0, 2);
    for (int r = 2; r <= 15; ++r)
        for (int c = 0; c <= 2; ++c) EXPECT_EQ(f.Board[r][c], below[r - 2][c]) << r << "," << c;
    EXPECT_EQ(f.Score, 500);
}

TEST(Clearing, CansAboveDropByTheBlocksHeightKeepingKindsAndFrames) {
    constexpr const char* kAboveFloor = "345623456234";
    {
        SCOPED_TRACE("wide: two rows");
        Field s({"....6.......", "....56......", "....11......", "...111......", kAboveFloor, kFloor});
        s.f.BoardFrame[10][4] = 6;
        s.f.BoardFrame[11][4] = 3;
        s.f.BoardFrame[11][5] = 2;
        Land(s.g, 0, 3);
        EXPECT_EQ(s.f.Board[12][4], 6);
        EXPECT_EQ(s.f.BoardFrame[12][4], 6);
        EXPECT_EQ(s.f.Board[13][4], 5);
        EXPECT_EQ(s.f.BoardFrame[13][4], 3);
        EXPECT_EQ(s.f.Board[13][5], 6);
        EXPECT_EQ(s.f.BoardFrame[13][5], 2);
        ExpectEmpty(s.f, 0, 11, 0, 11);
        ExpectEmpty(s.f, 12, 13, 3, 3);
        EXPECT_TRUE(s.g.Shows(s.f.pctBeer[4 * 8 + 3], s.f.ColumnX[4], s.f.RowY[13]));
        EXPECT_EQ(s.f.Score, 24 + 500);
    }
    {
        SCOPED_TRACE("tall: three rows");
        Field s({".......4....", ".......3....", ".......2....", "......22....", "......22....", kFloor});
        s.f.BoardFrame[10][7] = 5;
        Land(s.g, 1, 6);
        EXPECT_EQ(s.f.Board[13][7], 4);
        EXPECT_EQ(s.f.BoardFrame[13][7], 5);
        EXPECT_EQ(s.f.Board[14][7], 3);
        ExpectEmpty(s.f, 0, 12, 0, 11);
        ExpectEmpty(s.f, 13, 14, 6, 6);
        EXPECT_EQ(s.f.Score, 24 + 500);
    }
}

TEST(Clearing, ChainOfTwoBlocksScores1000AndBurpsTwiceBeforeTheNextSpawn) {
    Field s({".33.........", ".33.........", ".113........", "1113........", kFloor});
    game::Random dice = s.f.Rnd;
    Land(s.g, 0, 0);  // clears the 1s; the 3s drop beside the other 3s and clear too
    ExpectEmpty(s.f, 0, 14, 0, 11);
    EXPECT_EQ(s.f.Score, 26 + 1000);
    EXPECT_EQ(Burps(s.g), 2);
    EXPECT_FALSE(s.f.CanFalling);
    EXPECT_EQ(s.f.Rnd(), dice());
}

TEST(Clearing, ObstacleStacksHoldAWideBlockThatASweepClears) {
    const std::string floor = std::string(kFloor).replace(6, 3, "BBB");
    Field s({".......4....", "......TTT...", "11....MMM...", "111...MMM...", floor.c_str()});
    Land(s.g, 0, 2);
    EXPECT_EQ(s.f.Score, 26 + 1000);
    EXPECT_EQ(Burps(s.g), 2);
    for (int c = 6; c <= 8; ++c) {
        EXPECT_EQ(s.f.Board[14][c], 500) << c;
        EXPECT_EQ(s.f.Board[15][c], 502) << c;
    }
    EXPECT_EQ(s.f.Board[13][7], 4);
    EXPECT_EQ(s.f.Board[13][6], 0);
    ExpectEmpty(s.f, 0, 12, 0, 11);
}

TEST(Clearing, WithSoundOffIsSilentAndOtherwiseTheSame) {
    Field s({"..11........", "..111.......", kFloor});
    s.g.SetSound(false);
    Land(s.g, 0, 4);
    EXPECT_TRUE(s.g.platform.Sounds().empty());
    EXPECT_EQ(s.f.Score, 26 + 500);
    ExpectEmpty(s.f, 0, 14, 0, 11);
}

TEST(CheckAllMatches, ClearsEveryBlockOneAtATimeAndLeavesABlocklessBoardAlone) {
    Field s({"......222...", "......222...", "111.........", "111.........", kFloor});
    s.f.CheckAllMatches();
    EXPECT_EQ(s.f.Score, 1000);
    EXPECT_EQ(Burps(s.g), 2);
    ExpectEmpty(s.f, 0, 14, 0, 11);
    s.f.CheckAllMatches();
    EXPECT_EQ(s.f.Score, 1000);
}

}  // namespace
