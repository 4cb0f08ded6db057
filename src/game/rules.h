// The numbers the game's rules depend on: the playfield grid and its cell codes, the
// cans, the timings, the odds and the score. FrmMain's grid (Board, BoardFrame, RowY,
// ColumnX) is sized from here, and every procedure names these instead of repeating
// the numbers.
#pragma once

#include <cstdint>

namespace game {

// ----- the playfield grid -----
// Rows 0..kFloorRow and columns 0..kLastColumn are seen. The grid keeps one more row
// and column, which FindCell reports for a position it does not find.
constexpr int kVisibleRows = 16;
constexpr int kVisibleColumns = 12;
constexpr int kFloorRow = kVisibleRows - 1;        // 15: cans land on it at the latest
constexpr int kLastColumn = kVisibleColumns - 1;   // 11
constexpr int kNotFoundRow = kVisibleRows;         // 16
constexpr int kNotFoundColumn = kVisibleColumns;   // 12
constexpr int kGridRows = kVisibleRows + 1;        // 17
constexpr int kGridColumns = kVisibleColumns + 1;  // 13
constexpr int kDeepestDropRow = kFloorRow - 1;     // 14: a drop stops here at the deepest
// Where the grid stands in the window: layout/geometry.h.

// ----- cell codes of Board -----
constexpr std::int16_t kEmptyCell = 0;  // a can of kind k (0-based) is code k + 1
constexpr std::int16_t kObstacleTop = 500;
constexpr std::int16_t kObstacleMiddle = 501;
constexpr std::int16_t kObstacleBottom = 502;
constexpr std::int16_t kObstacleSingle = 503;
constexpr int kObstaclePieces = kObstacleSingle - kObstacleTop + 1;

// ----- cans -----
constexpr int kCanKinds = 6;
constexpr int kRollFrames = 8;  // pictures of one can rolling, shown in turn as it falls
constexpr int kCanSprites = kCanKinds * kRollFrames;
// The sprite of can kind `kind` in roll frame `frame`, among the kCanSprites.
constexpr int CanSprite(int kind, int frame) { return kind * kRollFrames + frame; }

// ----- blocks of six equal cans: wide (2 rows × 3 columns) and tall (3 × 2) -----
constexpr int kBlockCans = 6;
constexpr int kLastWideStartRow = kFloorRow - 1;       // 14: the top row of a wide block
constexpr int kLastWideStartColumn = kLastColumn - 2;  // 9: the left column of a wide block
constexpr int kLastTallStartRow = kFloorRow - 2;       // 13
constexpr int kLastTallStartColumn = kLastColumn - 1;  // 10
struct BlockShape {
    int rows, columns;
    int lastTopRow, lastLeftColumn;  // the block still lies within the visible grid
};
constexpr BlockShape kWideBlock{2, 3, kLastWideStartRow, kLastWideStartColumn};
constexpr BlockShape kTallBlock{3, 2, kLastTallStartRow, kLastTallStartColumn};
static_assert(kWideBlock.rows * kWideBlock.columns == kBlockCans &&
              kTallBlock.rows * kTallBlock.columns == kBlockCans);

// ----- timings (ms) -----
constexpr std::int16_t kNewGameTickDelay = 90;  // wait after each game step, at a game's start
constexpr std::int16_t kNewGameWait = 2000;     // before a new game's first step
constexpr std::int16_t kLostLifeWait = 500;
constexpr std::int16_t kCopWait = 4000;  // after the siren, before the panel comes back
// Speed-up: every band of kSpeedUpPoints shortens the tick by kTickShortening while it
// is at least kShortestShortenedTick; after that the can falls a pixel further per step.
constexpr std::int32_t kSpeedUpPoints = 10000;
constexpr std::int16_t kTickShortening = 2;
constexpr std::int16_t kShortestShortenedTick = 14;
constexpr std::int32_t kStartFallStep = 5;  // pixels per game step, at start-up

// ----- odds: one chance in n -----
constexpr int kCopOdds = 5000;       // per spawned can
constexpr int kObstacleOdds = 20;    // per column of a new board
constexpr int kObstacleHeights = 3;  // a stack holds 1, 3 or 4 pieces, alike likely

// ----- lives and score -----
constexpr std::int16_t kLives = 3;
constexpr std::int16_t kBlockPoints = 500;
constexpr int kScoreDigits = 7;
constexpr int kHighScoreRows = 10;

}  // namespace game
