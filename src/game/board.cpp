// The playfield grid: its geometry, dealing a new board, drawing it, and finding
// the cell under a pixel position.
#include "app/frm_main.h"
#include "layout/geometry.h"

using namespace game;
using layout::kColumnPitch, layout::kGridLeft, layout::kGridTop, layout::kRowPitch;

// Places the grid from the design-time position of the left and top frame lines.
// Called once by Form_Load, before the frame is fitted to the grid.
void FrmMain::InitializeBoard() {
    const auto top = static_cast<std::int16_t>(forms::IntDiv(lineTop.Y1, forms::TwipsPerPixelY));
    const auto left = static_cast<std::int16_t>(forms::IntDiv(lineLeft.X1, forms::TwipsPerPixelX));
    WriteTrace("InitializeBoard");
    // The spacing is fixed, whatever the sprites measure.
    for (int r = 0; r < kGridRows; ++r) RowY[r] = r * kRowPitch + kGridTop + top;
    for (int col = 0; col < kGridColumns; ++col)
        ColumnX[col] = col * kColumnPitch + kGridLeft + left;
}

// Clears the grid and scatters obstacle stacks on the floor: one column in
// kObstacleOdds gets a stack of 1, 3 or 4 pieces. The draws come one per column, and a second one only
// for a column that gets a stack, so a seed always deals the same board.
void FrmMain::NewBoard() {
    for (int r = 0; r < kGridRows; ++r)
        for (int col = 0; col < kGridColumns; ++col) {
            Board[r][col] = kEmptyCell;
            BoardFrame[r][col] = 0;
        }
    for (int col = 0; col <= kLastColumn; ++col) {
        if (Rnd.Pick(kObstacleOdds) != 1) continue;
        const int h = static_cast<int>(static_cast<double>(Rnd()) * kObstacleHeights + 1);
        if (h == 1) {
            Board[kFloorRow][col] = kObstacleSingle;
        } else {
            for (int r = kFloorRow - h; r <= kFloorRow; ++r) Board[r][col] = kObstacleMiddle;
            Board[kFloorRow - h][col] = kObstacleTop;
            Board[kFloorRow][col] = kObstacleBottom;
        }
    }
    DrawBoard();
}

void FrmMain::PaintSprite(forms::PictureBox& sprite, std::int32_t x, std::int32_t y) {
    forms::BitBlt(hDC(), x, y, CellWidth, CellHeight, sprite.hDC(), 0, 0, forms::SRCCOPY);
}

void FrmMain::PaintCell(int row, int column) {
    const int code = Board[row][column];
    forms::PictureBox& sprite = code >= kObstacleTop ? frmGraphics.pctObject[code - kObstacleTop]
                                : code == kEmptyCell
                                    ? pctEmptyBeer
                                    : pctBeer[CanSprite(code - 1, BoardFrame[row][column])];
    PaintSprite(sprite, ColumnX[column], RowY[row]);
}

// Paints all visible cells, top row first, left to right.
void FrmMain::DrawBoard() {
    for (int r = 0; r <= kFloorRow; ++r)
        for (int col = 0; col <= kLastColumn; ++col) PaintCell(r, col);
}

// Maps a pixel position (the falling can's top-left corner) to the cell it is moving
// into: the first row whose top edge lies at or below y, within one cell height, and
// likewise the column. kNotFoundRow / kNotFoundColumn mean "not found"; found is true when either
// the row or the column was found.
void FrmMain::FindCell(const std::int32_t& x, const std::int32_t& y, std::int16_t& row,
                       std::int16_t& column, bool& found) {
    bool rowFound = false, columnFound = false;
    row = kNotFoundRow;
    for (std::int16_t i = 0; i <= kFloorRow; ++i)
        if (RowY[i] - CellHeight <= y && y <= RowY[i]) {
            row = i;
            rowFound = true;
            break;
        }
    column = kNotFoundColumn;
    for (std::int16_t j = 0; j <= kLastColumn; ++j)
        if (ColumnX[j] - CellWidth <= x && x <= ColumnX[j]) {
            column = j;
            columnFound = true;
            break;
        }
    found = rowFound || columnFound;
}
