// Blocks of six: which landings clear, how the cans above drop, chains, and the sound.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "harness.h"

namespace {

using namespace game;

// A floor row of mixed kinds that holds no block with anything above it.
constexpr const char* kFloor = "234562345623";

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

// A fresh game with sound on and the board given (last string = the floor row).
struct Field {
    test::Game g;
    FrmMain& f = g.form();
    explicit Field(std::initializer_list<const char*> rows) {
        g.StartOnEmptyBoard();
        g.SetSound(true);
        g.SetBoard(rows);
    }
    // Lands a can of kind in column the ordinary way, from the top of the playfield.
    void Land(int kind, int column) {
        g.PutFallingCan(kind, column);
        g.StepUntilLanded();
    }
};

TEST(Clearing, LandingsClearTwoByThreeBlocksAndNothingElse) {
    const std::string sweptFloor = std::string(kFloor).replace(6, 3, "BBB");
    struct Case {
        const char* what;
        std::initializer_list<const char*> before;
        int kind, column;
        std::initializer_list<const char*> after;
        std::int32_t score;
        int burps;
        bool sound = true;
    };
    const Case cases[] = {
        {"wide, landed top right",
         {"...11.......", "..111.......", kFloor},
         0,
         2,
         {kFloor},
         26 + kBlockPoints,
         1},
        {"wide, landed top middle",
         {"..1.1.......", "..111.......", kFloor},
         0,
         3,
         {kFloor},
         26 + kBlockPoints,
         1},
        {"wide, landed top left",
         {"..11........", "..111.......", kFloor},
         0,
         4,
         {kFloor},
         26 + kBlockPoints,
         1},
        {"wide, sound off",
         {"..11........", "..111.......", kFloor},
         0,
         4,
         {kFloor},
         26 + kBlockPoints,
         0,
         false},
        {"tall, landed top left",
         {"......3.....", ".....33.....", ".....33.....", kFloor},
         2,
         5,
         {kFloor},
         524,
         1},
        {"tall, landed top right",
         {".....3......", ".....33.....", ".....33.....", kFloor},
         2,
         6,
         {kFloor},
         524,
         1},
        {"tall: cans above drop three rows",
         {".......4....", ".......3....", ".......2....", "......22....", "......22....", kFloor},
         1,
         6,
         {".......4....", ".......3....", kFloor},
         24 + kBlockPoints,
         1},
        {"three in a row", {"11.........."}, 0, 2, {"111........."}, 30, 0},
        {"three in a column",
         {"1...........", "1...........", kFloor},
         0,
         0,
         {"1...........", "1...........", "1...........", kFloor},
         24,
         0},
        {"L of six",
         {"1...........", "1...........", "111........."},
         0,
         0,
         {"1...........", "1...........", "1...........", "111........."},
         24,
         0},
        {"line of six", {"111.11......", kFloor}, 0, 3, {"111111......", kFloor}, 28, 0},
        {"square of four and two",
         {"11..........", "11..........", "11.........."},
         0,
         2,
         {"11..........", "11..........", "111........."},
         30,
         0},
        {"two rows of four: the leftmost three columns",
         {".111........", "1111........", kFloor},
         0,
         0,
         {"...1........", "...1........", kFloor},
         26 + kBlockPoints,
         1},
        {"wide before tall through the same cells",
         {".22.........", "222.........", "22..........", kFloor},
         1,
         0,
         {"22..........", kFloor},
         24 + kBlockPoints,
         1},
        {"chain of two",
         {".33.........", ".33.........", ".113........", "1113........", kFloor},
         0,
         0,
         {kFloor},
         26 + 2 * kBlockPoints,
         2},
        {"obstacles hold a block that a sweep clears",
         {".......4....", "......TTT...", "11....MMM...", "111...MMM...", sweptFloor.c_str()},
         0,
         2,
         {".......4....", "......TTT...", sweptFloor.c_str()},
         26 + 2 * kBlockPoints,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Field s(c.before);
        s.g.SetSound(c.sound);
        game::Random dice = s.f.Rnd;
        s.Land(c.kind, c.column);
        EXPECT_EQ(s.g.BoardText(), test::BoardText(c.after));
        EXPECT_EQ(s.f.Score, c.score);
        EXPECT_EQ(Burps(s.g), c.burps);
        EXPECT_FALSE(s.f.CanFalling);
        EXPECT_EQ(s.f.Rnd(), dice());  // no spawn before the clearing is over
        for (int r = 0; r <= kFloorRow; ++r)
            for (int col = 0; col <= kLastColumn; ++col)
                EXPECT_TRUE(s.g.Shows(s.f.pctEmptyBeer, s.f.ColumnX[col], s.f.RowY[r]) ==
                            (s.f.Board[r][col] == kEmptyCell));
    }
}

TEST(Clearing, NoBlockHasItsTopRowOnTheFloorRow) {
    Field s({"111.........", "111........."});
    bool found = true;
    s.f.CheckMatch(kFloorRow, 0, found);
    EXPECT_FALSE(found);
    EXPECT_EQ(s.f.Board[kFloorRow][0], 1);
    s.f.CheckMatch(kFloorRow - 1, 1, found);  // the same block, tested from its top row
    EXPECT_TRUE(found);
    EXPECT_EQ(s.g.BoardText(), test::BoardText({}));
}

TEST(Clearing, BlanksSixCellsThenRedrawsTheWholeBoardOnce) {
    Field s({"..2222......", "..2222......", kFloor});
    bool found = false;
    const std::int16_t row = kFloorRow - 2, column = 3;
    const auto copies = s.g.CopiesDuring([&] { s.f.CheckMatch(row, column, found); });
    EXPECT_TRUE(found);
    EXPECT_EQ(copies.size(), std::size_t{kBlockCans + kVisibleRows * kVisibleColumns});
}

TEST(Clearing, BlockOnTheTopTwoRowsLeavesThemEmptyAndNothingDrops) {
    Field s({});
    // Columns 0..2 full up to row 2 with kinds that never make a block.
    for (int r = 2; r <= kFloorRow; ++r)
        for (int c = 0; c <= 2; ++c) s.f.Board[r][c] = static_cast<std::int16_t>(2 + (r + c) % 5);
    const std::string below = s.g.BoardText();
    s.f.Board[1][0] = s.f.Board[1][1] = s.f.Board[1][2] = s.f.Board[0][1] = s.f.Board[0][2] = 1;
    s.Land(0, 0);
    EXPECT_EQ(s.g.BoardText(), below);
    EXPECT_EQ(s.f.Score, kBlockPoints);
}

TEST(Clearing, CansAboveAWideBlockDropTwoRowsKeepingKindsAndFrames) {
    Field s(
        {"....6.......", "....56......", "....11......", "...111......", "345623456234", kFloor});
    s.f.BoardFrame[10][4] = 6;
    s.f.BoardFrame[11][4] = 3;
    s.f.BoardFrame[11][5] = 2;
    s.Land(0, 3);
    EXPECT_EQ(s.g.BoardText(),
              test::BoardText({"....6.......", "....56......", "345623456234", kFloor}));
    EXPECT_EQ(
        (std::array<int, 3>{s.f.BoardFrame[12][4], s.f.BoardFrame[13][4], s.f.BoardFrame[13][5]}),
        (std::array<int, 3>{6, 3, 2}));
    EXPECT_TRUE(s.g.Shows(s.f.pctBeer[CanSprite(4, 3)], s.f.ColumnX[4], s.f.RowY[13]));
}

TEST(CheckAllMatches, ClearsEveryBlockOneAtATimeAndLeavesABlocklessBoardAlone) {
    Field s({"......222...", "......222...", "111.........", "111.........", kFloor});
    s.f.CheckAllMatches();
    EXPECT_EQ(s.f.Score, 2 * kBlockPoints);
    EXPECT_EQ(Burps(s.g), 2);
    EXPECT_EQ(s.g.BoardText(), test::BoardText({kFloor}));
    s.f.CheckAllMatches();
    EXPECT_EQ(s.f.Score, 2 * kBlockPoints);
}

}  // namespace
