// Blocks of six: which landings clear, how the cans above drop, chains, and the sound.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using test::Field;
#define FLOOR "|234562345623"  // a floor row of mixed kinds that holds no block
#define TOWER "..4|..5|..4|..5|..4|..5|..4|..5|..4|..5|..4|..5|..4|..5"  // rows 0..13

// How many burps were played; every sound must be the asynchronous burp.
int Burps(test::Game& g) {
    for (const auto& sound : g.platform.Sounds())
        EXPECT_TRUE(sound.path == g.home + "/burp.wav" && !sound.synchronous);
    return static_cast<int>(g.platform.Sounds().size());
}

TEST(Clearing, LandingsClearTwoByThreeBlocksAndNothingElse) {
    struct Case {
        const char* what;
        const char* before;
        int kind, column;
        const char* after;
        int points, burps;
    };
    const Case cases[] = {
        {"wide, landed top left", "...11|..111" FLOOR, 0, 2, FLOOR, 26 + 500, 1},
        {"wide, landed top middle", "..1.1|..111" FLOOR, 0, 3, FLOOR, 26 + 500, 1},
        {"wide, landed top right", "..11|..111" FLOOR, 0, 4, FLOOR, 26 + 500, 1},
        {"wide, top right in column 2", "11|111" FLOOR, 0, 2, FLOOR, 526, 1},
        {"wide, reaching column 11", "..........11|.........111" FLOOR, 0, 9, FLOOR, 526, 1},
        {"wide, floor rows, cans up to row 0", TOWER "|..11|..111", 0, 4, TOWER, 28 + 500, 1},
        {"tall, landed top left", "......3|.....33|.....33" FLOOR, 2, 5, FLOOR, 524, 1},
        {"tall, landed top right", ".....3|.....33|.....33" FLOOR, 2, 6, FLOOR, 524, 1},
        {"tall, top right in column 1", "3|33|33" FLOOR, 2, 1, FLOOR, 524, 1},
        {"tall, standing on the floor", "..........3|..........33|..........33", 2, 11, "", 526, 1},
        {"tall: cans above drop three rows", ".......4|.......3|.......2|......22|......22" FLOOR,
         1, 6, ".......4|.......3" FLOOR, 524, 1},
        {"wide: cans above drop two rows, the rest stays",
         ".....6|.....56|.....11|....111|345623456234" FLOOR, 0, 4,
         ".....6|.....56|345623456234" FLOOR, 524, 1},
        {"three in a row", "11", 0, 2, "111", 30, 0},
        {"three in a column", "1|1" FLOOR, 0, 0, "1|1|1" FLOOR, 24, 0},
        {"L of six", "1|1|111", 0, 0, "1|1|1|111", 24, 0},
        {"line of six", "111.11" FLOOR, 0, 3, "111111" FLOOR, 28, 0},
        {"six of two kinds", "12|121" FLOOR, 0, 2, "121|121" FLOOR, 26, 0},
        {"square of four and two", "11|11|11", 0, 2, "11|11|111", 30, 0},
        {"two rows of four: the leftmost three columns", ".111|1111" FLOOR, 0, 0, "...1|...1" FLOOR,
         526, 1},
        {"wide before tall through the same cells", ".22|222|22" FLOOR, 1, 0, "22" FLOOR, 524, 1},
        {"chain of two", ".33|.33|.113|1113" FLOOR, 0, 0, FLOOR, 26 + 1000, 2},
        {"chain on the floor rows", "11|111|234...555|342...555", 0, 2, "234|342", 24 + 1000, 2},
        {"chain in the two right columns",
         "..........44|11........44|111.......44|345623456234" FLOOR, 0, 2, "345623456234" FLOOR,
         24 + 1000, 2},
        {"obstacles hold a block that a sweep clears",
         ".......4|......TTT|11....MMM|111...MMM|234562BBB623", 0, 2,
         ".......4|......TTT|234562BBB623", 26 + 1000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Game g;
        FrmMain& f = g.form();
        g.StartOnEmptyBoard();
        f.pctSound.Picture = f.frmGraphics.pctSoundOn.Picture;
        g.SetBoard(c.before);
        g.PutFallingCan(c.kind, c.column);
        g.StepUntilLanded();
        EXPECT_EQ(g.BoardText(), Field(c.after));
        EXPECT_EQ(f.Score, c.points);
        EXPECT_EQ(Burps(g), c.burps);
    }
}

}  // namespace
