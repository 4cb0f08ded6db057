// Blocks of six: finding them from a cell of their top row, clearing them, and the
// sweeps for chain clearings that follow.
#include "app/frm_main.h"

using namespace game;

namespace {

// How many cells of the block with top-left (row, column) hold code.
int CountEqual(const FrmMain& form, int row, int column, BlockShape shape, int code) {
    int count = 0;
    for (int r = row; r < row + shape.rows; ++r)
        for (int c = column; c < column + shape.columns; ++c)
            if (form.Board[r][c] == code) ++count;
    return count;
}

// Moves rows 0 .. bottom of the block's columns one row down and empties their row 0.
void DropColumnsOneRow(FrmMain& form, int bottom, int column, BlockShape shape) {
    for (int r = bottom; r >= 1; --r)
        for (int c = column; c < column + shape.columns; ++c) {
            form.Board[r][c] = form.Board[r - 1][c];
            form.BoardFrame[r][c] = form.BoardFrame[r - 1][c];
        }
    for (int c = column; c < column + shape.columns; ++c) {
        form.Board[0][c] = kEmptyCell;
        form.BoardFrame[0][c] = 0;
    }
}

// Clears the wide or tall block with top-left (row, column) at once, within the game
// step that completed it: burp, blank its cells, kBlockPoints, let the cans above drop
// into the gap, repaint, and sweep again. Called by CheckMatch only.
void ClearBlock(FrmMain& form, int row, int column, BlockShape shape) {
    form.PlayWav("burp.wav", false);
    for (int r = row; r < row + shape.rows; ++r)
        for (int c = column; c < column + shape.columns; ++c) {
            form.PaintSprite(form.pctEmptyBeer, form.ColumnX[c], form.RowY[r]);
            form.Board[r][c] = kEmptyCell;
            form.BoardFrame[r][c] = 0;
        }
    form.AddScore(kBlockPoints);
    for (int pass = 0; pass < shape.rows; ++pass)
        DropColumnsOneRow(form, row + shape.rows - 1, column, shape);
    form.DrawBoard();
    form.CheckAllMatches();
}

}  // namespace

// Clears at most one block that has (row, column) in its top row; found tells whether
// it did. Callers: GameStep, with the cell of the can that just landed, and the sweep.
// Wide blocks are tried before tall ones.
void FrmMain::CheckMatch(const std::int16_t& row, const std::int16_t& column, bool& found) {
    found = false;
    if (row == kFloorRow) return;
    const int code = Board[row][column];
    if (code == kEmptyCell) return;

    struct Candidate {
        BlockShape shape;
        int cellOffset;  // columns between the block's left edge and the cell under test
    };
    const Candidate candidates[] = {
        {kWideBlock, 0}, {kWideBlock, 1}, {kWideBlock, 2}, {kTallBlock, 0}, {kTallBlock, 1}};
    for (const Candidate& candidate : candidates) {
        const auto left = static_cast<std::int16_t>(column - candidate.cellOffset);
        const BlockShape& shape = candidate.shape;
        const bool fits = left >= 0 && left <= shape.lastLeftColumn && row <= shape.lastTopRow;
        if (!fits || CountEqual(*this, row, left, shape, code) != kBlockCans) continue;
        ClearBlock(*this, row, left, shape);
        found = true;
        return;
    }
}

// Sweeps the settled board in reading order, over every cell a block's top-left corner
// may stand on, and clears the first block found; that clearing sweeps again itself,
// so a chain goes on one block at a time until none is left. Called by ClearBlock as
// its last step.
void FrmMain::CheckAllMatches() {
    bool found = false;
    for (std::int16_t r = 0; r <= kLastWideStartRow && !found; ++r)
        for (std::int16_t c = 0; c <= kLastTallStartColumn && !found; ++c) CheckMatch(r, c, found);
}
