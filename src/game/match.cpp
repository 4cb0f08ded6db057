// Blocks of six: finding them from a cell of their top row, clearing them, and the
// sweeps for chain clearings that follow.
#include "app/frm_main.h"

namespace {

struct BlockShape {
    int rows, columns;
};
constexpr BlockShape kWide{2, 3};
constexpr BlockShape kTall{3, 2};

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
        form.Board[0][c] = 0;
        form.BoardFrame[0][c] = 0;
    }
}

// Clears the block at once, within the game step that completed it: burp, blank its
// cells, 500 points, let the cans above drop into the gap, repaint, and sweep again.
void ClearBlock(FrmMain& form, int row, int column, BlockShape shape) {
    form.PlayWav("burp.wav", false);
    for (int r = row; r < row + shape.rows; ++r)
        for (int c = column; c < column + shape.columns; ++c) {
            form.PaintSprite(form.pctEmptyBeer, form.ColumnX[c], form.RowY[r]);
            form.Board[r][c] = 0;
            form.BoardFrame[r][c] = 0;
        }
    form.AddScore(500);
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
    if (row == 15) return;
    const int code = Board[row][column];
    if (code == 0) return;

    struct Candidate {
        BlockShape shape;
        int cellOffset;  // columns between the block's left edge and the cell under test
        bool fits;
    };
    const Candidate candidates[] = {
        {kWide, 0, column <= 9},
        {kWide, 1, column >= 1 && column <= 10},
        {kWide, 2, column >= 2},
        {kTall, 0, row <= 13 && column <= 10},
        {kTall, 1, row <= 13 && column >= 1},
    };
    for (const Candidate& candidate : candidates) {
        const auto left = static_cast<std::int16_t>(column - candidate.cellOffset);
        if (!candidate.fits || CountEqual(*this, row, left, candidate.shape, code) != 6) continue;
        if (candidate.shape.rows == kWide.rows)
            ClearWideBlock(row, left);
        else
            ClearTallBlock(row, left);
        found = true;
        return;
    }
}

// Clears the 2 × 3 block with top-left (row, column). Called by CheckMatch only.
void FrmMain::ClearWideBlock(const std::int16_t& row, const std::int16_t& column) {
    ClearBlock(*this, row, column, kWide);
}

// Clears the 3 × 2 block with top-left (row, column). Called by CheckMatch only.
void FrmMain::ClearTallBlock(const std::int16_t& row, const std::int16_t& column) {
    ClearBlock(*this, row, column, kTall);
}

// Sweeps the settled board in reading order and clears the first block found; that
// clearing sweeps again itself, so a chain goes on one block at a time until none is
// left. Called by the clearing procedures as their last step.
void FrmMain::CheckAllMatches() {
    bool found = false;
    for (std::int16_t r = 0; r <= 14 && !found; ++r)
        for (std::int16_t c = 0; c <= 10 && !found; ++c) CheckMatch(r, c, found);
}
