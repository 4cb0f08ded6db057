// Keyboard control of the falling can: shift it one column, or drop it down.
#include "app/frm_main.h"
#include "platform/virtual_keys.h"

using namespace game;
using platform::kKeyDown;
using platform::kKeyLeft;
using platform::kKeyRight;
using platform::kKeySpace;

namespace {

// Shifts the can from (row, column) one column (step -1 left, +1 right) into an empty
// cell of the row it is moving into, snapped to the top of that row. The old place
// is repainted from the board; the next game step paints the can at the new one.
void MoveCan(FrmMain& form, std::int16_t row, std::int16_t column, int step) {
    const int target = column + step;
    if (target < 0 || target > kLastColumn || form.Board[row][target] != kEmptyCell) return;
    form.CanX = form.ColumnX[target];
    form.CanY = form.RowY[row];
    form.RedrawAround(row, column);
}

// Moves the can row by row down to the last empty cell above the stack, at the deepest
// to kDeepestDropRow; the next game step lands it. Returns the points: the row it was
// left on, less one.
int DropCan(FrmMain& form, std::int16_t row, std::int16_t column) {
    // The last step painted the can FallStep pixels above where CanY now points.
    form.PaintSprite(form.pctEmptyBeer, form.CanX, form.CanY - form.FallStep);
    int r = row;
    while (form.Board[r][column] == kEmptyCell && r <= kDeepestDropRow) {
        form.PaintSprite(form.pctEmptyBeer, form.CanX, form.CanY);
        form.CanX = form.ColumnX[column];
        form.CanY = form.RowY[r];
        form.PaintSprite(form.pctBeer[CanSprite(form.CanKind, form.CanFrame)], form.CanX,
                         form.CanY);
        ++r;
    }
    return r - 1;
}

}  // namespace

// The window's key-down handler; with key preview it gets every key. During a game it
// runs inside the waits of the game loop, between two steps, and never waits itself.
void FrmMain::Form_KeyDown(int keyCode, int /*shift*/) {
    if (EnteringName) {
        NameEntryKeyDown(static_cast<std::int16_t>(keyCode));
        return;
    }
    const bool sideways = keyCode == kKeyLeft || keyCode == kKeyRight;
    const bool drop = keyCode == kKeyDown || keyCode == kKeySpace;
    if (!(sideways || drop) || !CanFalling || TickBusy || Paused) return;

    KeyBusy = true;
    std::int16_t row = 0, column = 0;
    bool found = false;
    FindCell(CanX, CanY, row, column, found);
    if (sideways) {
        MoveCan(*this, row, column, keyCode == kKeyLeft ? -1 : 1);
        KeyBusy = false;
    } else {
        const int points = DropCan(*this, row, column);
        KeyBusy = false;
        AddScore(static_cast<std::int16_t>(points));
    }
}

// Repaints the board cells around (row, column), the cell itself included: at most
// 3 × 3, clipped at the top and left, and never reaching the floor row nor the last
// column from the row or column before them.
void FrmMain::RedrawAround(const std::int16_t& row, const std::int16_t& column) {
    const int firstRow = row > 0 ? row - 1 : row;
    const int lastRow = row + 1 < kFloorRow ? row + 1 : row;
    const int firstColumn = column > 0 ? column - 1 : column;
    const int lastColumn = column + 1 < kLastColumn ? column + 1 : column;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstColumn; c <= lastColumn; ++c) PaintCell(r, c);
}
