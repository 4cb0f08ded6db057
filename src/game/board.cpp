// The playfield grid: its geometry, dealing a new board, drawing it, and finding
// the cell under a pixel position.
#include "app/frm_main.h"

// Places the grid from the design-time position of the left and top frame lines.
// Called once by Form_Load, before the frame is fitted to the grid.
void FrmMain::InitializeBoard() {
    const auto top = static_cast<std::int16_t>(forms::IntDiv(lineTop.Y1, forms::TwipsPerPixelY));
    const auto left = static_cast<std::int16_t>(forms::IntDiv(lineLeft.X1, forms::TwipsPerPixelX));
    WriteTrace("InitializeBoard");
    // The spacing is fixed at 32 × 20 pixels, whatever the sprites measure.
    for (int r = 0; r <= 16; ++r) RowY[r] = r * 20 + 8 + top;
    for (int col = 0; col <= 12; ++col) ColumnX[col] = col * 32 + 4 + left;
}

// Clears the grid and scatters obstacle stacks on the floor: one column in 20 gets
// a stack of 1, 3 or 4 pieces. The draws come one per column, and a second one only
// for a column that gets a stack, so a seed always deals the same board.
void FrmMain::NewBoard() {
    for (int r = 0; r <= 16; ++r)
        for (int col = 0; col <= 12; ++col) {
            Board[r][col] = 0;
            BoardFrame[r][col] = 0;
        }
    for (int col = 0; col <= 11; ++col) {
        if (Rnd.Pick(20) != 1) continue;
        const int h = static_cast<int>(static_cast<double>(Rnd()) * 3 + 1);
        if (h == 1) {
            Board[15][col] = 503;
        } else {
            for (int r = 15 - h; r <= 15; ++r) Board[r][col] = 501;
            Board[15 - h][col] = 500;
            Board[15][col] = 502;
        }
    }
    DrawBoard();
}

void FrmMain::PaintSprite(forms::PictureBox& sprite, std::int32_t x, std::int32_t y) {
    forms::BitBlt(hDC(), x, y, CellWidth, CellHeight, sprite.hDC(), 0, 0, forms::SRCCOPY);
}

void FrmMain::PaintCell(int row, int column) {
    const int code = Board[row][column];
    forms::PictureBox& sprite = code >= 500 ? frmGraphics.pctObject[code - 500]
                                : code == 0 ? pctEmptyBeer
                                            : pctBeer[(code - 1) * 8 + BoardFrame[row][column]];
    PaintSprite(sprite, ColumnX[column], RowY[row]);
}

// Paints all 192 visible cells, top row first, left to right.
void FrmMain::DrawBoard() {
    for (int r = 0; r <= 15; ++r)
        for (int col = 0; col <= 11; ++col) PaintCell(r, col);
}

// Maps a pixel position (the falling can's top-left corner) to the cell it is moving
// into: the first row whose top edge lies at or below y, within one cell height, and
// likewise the column. Row 16 / column 12 mean "not found"; found is true when either
// the row or the column was found.
void FrmMain::FindCell(const std::int32_t& x, const std::int32_t& y, std::int16_t& row,
                       std::int16_t& column, bool& found) {
    bool rowFound = false, columnFound = false;
    row = 16;
    for (std::int16_t i = 0; i <= 15; ++i)
        if (RowY[i] - CellHeight <= y && y <= RowY[i]) {
            row = i;
            rowFound = true;
            break;
        }
    column = 12;
    for (std::int16_t j = 0; j <= 11; ++j)
        if (ColumnX[j] - CellWidth <= x && x <= ColumnX[j]) {
            column = j;
            columnFound = true;
            break;
        }
    found = rowFound || columnFound;
}
