// Keyboard control of the falling can: sideways moves and the repaint around the old
// cell. Drops are tested with landing.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace test;
using Keys = BoardTest;

TEST_F(Keys, SidewaysMovesSnapIntoTheRowUnlessAWallAFilledCellOrTheGameStandsInTheWay) {
    struct Case {
        const char* what;
        int column, key, to;
        bool FrmMain::*flipped = nullptr;  // a state turned the other way for the case
    };
    // Row `row` holds a can in column 5 and an obstacle in column 7; the rows below hold
    // a stack in column 4, onto which a can may slide.
    g.SetBoard(".....1.T|....2|....1|....2|....1|....2|....1|....2|....1|....2|....1");
    const int row = game::kFloorRow - 10, last = game::kLastColumn;
    const std::int32_t halfway = f.RowY[row - 1] + layout::kRowPitch / 2;  // into row
    for (const Case& c :
         {Case{"into column 0", 1, kKeyLeft, 0}, Case{"into the last", last - 1, kKeyRight, last},
          Case{"out of the last", last, kKeyLeft, last - 1}, Case{"onto a stack", 3, kKeyRight, 4},
          Case{"left wall", 0, kKeyLeft, 0}, Case{"right wall", last, kKeyRight, last},
          Case{"a can", 4, kKeyRight, 4}, Case{"an obstacle", 6, kKeyRight, 6},
          Case{"up arrow", 3, kKeyUp, 3}, Case{"a letter", 3, 'A', 3},
          Case{"Enter", 3, kKeyEnter, 3}, Case{"no can", 3, kKeyLeft, 3, &FrmMain::CanFalling},
          Case{"a step", 3, kKeyDown, 3, &FrmMain::TickBusy},
          Case{"paused", 3, kKeySpace, 3, &FrmMain::Paused},
          Case{"a name", 3, kKeyRight, 3, &FrmMain::EnteringName}}) {
        SCOPED_TRACE(c.what);
        g.PutFallingCan(0, c.column);
        f.CanY = halfway;
        f.PaintSprite(f.pctBeer[0], f.CanX, f.CanY);
        f.Present();
        const auto frame = g.platform.Frame();
        if (c.flipped) f.*c.flipped = !(f.*c.flipped);
        g.Key(g.Now(), c.key);
        f.DoEvents();
        if (c.flipped) f.*c.flipped = !(f.*c.flipped);
        EXPECT_EQ(f.CanX, f.ColumnX[c.to]);
        if (c.to == c.column) {
            EXPECT_TRUE(g.platform.Frame() == frame && f.CanY == halfway);
            continue;
        }
        // The old place is repainted from the board; the next step paints the can.
        EXPECT_TRUE(f.CanY == f.RowY[row] && !f.KeyBusy);
        EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[c.column], f.RowY[row - 1]) &&
                    g.Shows(f.pctEmptyBeer, f.ColumnX[c.column], f.RowY[row]));
    }
}

}  // namespace
