// Blocks of six: which landings clear, how the cans above drop, chains, and the sound.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using game::kLastColumn, game::kVisibleColumns, test::Field;

// Rows as wide as the playfield (of up to 20 columns) of mixed kinds that hold no block,
// alone or one on the other.
const std::string kFloor = std::string("|23456234562345623456").substr(0, kVisibleColumns + 1);
const std::string kMixed = std::string("34562345623456234562").substr(0, kVisibleColumns);
// A column of two kinds in turn, in column 2, from row 0 down to the two floor rows.
const std::string kTower = [] {
    std::string rows = "..4";
    for (int row = 1; row < game::kFloorRow - 1; ++row) rows += row % 2 ? "|..5" : "|..4";
    return rows;
}();

TEST(Clearing, LandingsClearTwoByThreeBlocksAndNothingElse) {
    struct Case {
        const char* what;
        std::string before;
        int kind, column;
        std::string after;
        int blocks;  // cleared, each for kBlockPoints and a burp
    };
    const Case cases[] = {
        {"wide, landed top left", "...11|..111" + kFloor, 0, 2, kFloor, 1},
        {"wide, landed top middle", "..1.1|..111" + kFloor, 0, 3, kFloor, 1},
        {"wide, landed top right", "..11|..111" + kFloor, 0, 4, kFloor, 1},
        {"wide, top right in column 2", "11|111" + kFloor, 0, 2, kFloor, 1},
        {"wide, reaching the last column", ">11|>111" + kFloor, 0, kLastColumn - 2, kFloor, 1},
        {"wide, on the floor rows, cans up to row 0", kTower + "|..11|..111", 0, 4, kTower, 1},
        {"tall, landed top left", "......3|.....33|.....33" + kFloor, 2, 5, kFloor, 1},
        {"tall, landed top right", ".....3|.....33|.....33" + kFloor, 2, 6, kFloor, 1},
        {"tall, top right in column 1", "3|33|33" + kFloor, 2, 1, kFloor, 1},
        {"tall, standing on the floor", ">3.|>33|>33", 2, kLastColumn, "", 1},
        {"tall: cans above drop three rows",
         ".......4|.......3|.......2|......22|......22" + kFloor, 1, 6,
         ".......4|.......3" + kFloor, 1},
        {"wide: cans above drop two rows, the rest stays",
         ".....6|.....56|.....11|....111|" + kMixed + kFloor, 0, 4,
         ".....6|.....56|" + kMixed + kFloor, 1},
        {"three in a row", "11", 0, 2, "111", 0},
        {"three in a column", "1|1" + kFloor, 0, 0, "1|1|1" + kFloor, 0},
        {"L of six", "1|1|111", 0, 0, "1|1|1|111", 0},
        {"line of six", "111.11" + kFloor, 0, 3, "111111" + kFloor, 0},
        {"six of two kinds", "12|121" + kFloor, 0, 2, "121|121" + kFloor, 0},
        {"square of four and two", "11|11|11", 0, 2, "11|11|111", 0},
        {"two rows of four: the leftmost three columns", ".111|1111" + kFloor, 0, 0,
         "...1|...1" + kFloor, 1},
        {"wide before tall through the same cells", ".22|222|22" + kFloor, 1, 0, "22" + kFloor, 1},
        {"chain of two", ".33|.33|.113|1113" + kFloor, 0, 0, kFloor, 2},
        {"chain on the floor rows", "11|111|234...555|342...555", 0, 2, "234|342", 2},
        {"chain in the two right columns", ">44|11>44|111>44|" + kMixed + kFloor, 0, 2,
         kMixed + kFloor, 2},
        {"obstacles form a block too", ".......4|......TTT|11....MMM|111...MMM|234562BBB", 0, 2,
         ".......4|......TTT|234562BBB", 2},
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
        EXPECT_EQ(f.Score / game::kBlockPoints, c.blocks);  // and a few points for the landing
        for (const auto& sound : g.platform.Sounds())       // each block's burp, in the background
            EXPECT_TRUE(sound.path == g.home + "/burp.wav" && !sound.synchronous);
        EXPECT_EQ(g.platform.Sounds().size(), std::size_t(c.blocks));
    }
}

}  // namespace
