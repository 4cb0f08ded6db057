// Where everything stands in the game window: the one home of these numbers. The
// window's layout (layout/main_window.cpp) and the playfield grid (game/board.cpp)
// are built from them; the art generator and the real-window tests read them through
// tools/geometry.py, which understands the lines `constexpr <type> k<Name> = <value>;`
// and `constexpr <type> k<Name>{<values>};`, where a value may name earlier ones (here,
// in game/rules.h or in forms/picture.h) with + - * /. Keep every number in one of
// those forms.
#pragma once

#include "forms/picture.h"
#include "game/rules.h"

namespace layout {

// The window's client area, pixels.
constexpr int kWindowWidth = 599;
constexpr int kWindowHeight = 436;
// Controls are placed in twips, designed at the screen factor forms/picture.h gives.
using forms::kTwipsPerPixel;

// Design-time places of the picture boxes of frmMain, twips.
struct Box {
    int left, top, width, height;
};
constexpr Box kLogo{1110, 240, 3810, 465};
constexpr Box kMinimizeIcon{8130, 210, 300, 300};
constexpr Box kExitIcon{8460, 210, 300, 300};
constexpr Box kAction{7290, 1620, 480, 480};
constexpr Box kOk{7050, 2130, 480, 480};
constexpr Box kClear{7560, 2130, 480, 480};
constexpr Box kNew{7050, 2640, 480, 480};
constexpr Box kScores{7560, 2640, 480, 480};
constexpr Box kSound{7560, 3150, 480, 480};
constexpr Box kAbout{7050, 3660, 480, 480};
constexpr Box kQuit{7560, 3660, 480, 480};
constexpr Box kFocus{6840, 4920, 1515, 300};
constexpr Box kScoreBoard{1530, 5550, 480, 300};
constexpr Box kSpecial{4830, 2760, 1275, 585};
constexpr Box kAboutText1{720, 3630, 5160, 2535};
constexpr Box kAboutText2{6480, 240, 480, 480};
constexpr Box kEmptyBeer{990, 5550, 480, 300};
constexpr Box kScoreBoardOpen{150, 150, 5940, 6225};  // where the high-score board opens
// Drawn into the background only: the panel behind the buttons.
constexpr Box kRightPanel{6660, 1440, 1875, 4545};
// The score's digits, index 0 the units digit at the right, and the life mugs, index 0
// at the left; each takes the size of its picture.
constexpr int kScoreDigitLefts[game::kScoreDigits] = {8340, 8025, 7710, 7395, 7080, 6765, 6450};
constexpr int kScoreDigitTop = 900;
constexpr int kLifeLefts[game::kLives] = {6870, 7365, 7860};
constexpr int kLifeTop = 5325;
constexpr int kButtonSize = 32;  // pixels, every picture button and mug

// Digits and letters (score and high-score board), pixels.
constexpr int kGlyphWidth = 22;
constexpr int kGlyphHeight = 23;
// The high-score board's text, pixels from the board's top left corner: row 1's name
// from (kBoardTextLeft, kBoardTextTop) and its score from kBoardScoreLeft, one glyph
// after another, and each row under the one before.
constexpr int kBoardTextLeft = 17;
constexpr int kBoardTextTop = 80;
constexpr int kBoardScoreLeft = 177;
constexpr int kBoardLetterPitch = kGlyphWidth;
constexpr int kBoardRowPitch = kGlyphHeight;

// The playfield: the grid is placed from the design-time left and top frame lines.
// Start-up fits the other end points (stored below, twips: X1, Y1, X2, Y2) around it.
constexpr int kFrameLeftTwips = 200;
constexpr int kFrameTopTwips = 1080;
constexpr double kLineLeft[4] = {kFrameLeftTwips, kFrameTopTwips, kFrameLeftTwips, 4180};
constexpr double kLineTop[4] = {540, kFrameTopTwips, 3270, kFrameTopTwips};
constexpr double kLineBottom[4] = {240, 6150, 1980, 6150};
constexpr double kLineRight[4] = {5940, 6060, 5940, 4380};
constexpr int kCellWidth = 32;  // pixels, every can and obstacle sprite
constexpr int kCellHeight = 20;
constexpr int kColumnPitch = 32;  // pixels from one column's left to the next
constexpr int kRowPitch = 20;     // pixels from one row's top to the next
constexpr int kGridLeft = 4;      // pixels from the left frame line to column 0
constexpr int kGridTop = 8;       // pixels from the top frame line to row 0
// The frame lines as start-up fits them, pixels: one blank pixel right of the last
// column and below the floor row.
constexpr int kFrameLeft = kFrameLeftTwips / kTwipsPerPixel;
constexpr int kFrameTop = kFrameTopTwips / kTwipsPerPixel;
constexpr int kFrameRight =
    kFrameLeft + kGridLeft + game::kLastColumn * kColumnPitch + kCellWidth + 1;
constexpr int kFrameBottom = kFrameTop + kGridTop + game::kFloorRow * kRowPitch + kCellHeight + 1;

// The cop picture, pixels, shown centred between the frame lines; frmGraphics.pctCop,
// which holds it, keeps its own design-time box (twips).
constexpr int kCopWidth = 320;
constexpr int kCopHeight = 200;
constexpr Box kCopBox{0, 0, 1830, 900};

constexpr bool InWindow(int left, int top, int width, int height) {
    return left >= 0 && top >= 0 && left + width <= kWindowWidth && top + height <= kWindowHeight;
}
constexpr bool InWindow(const Box& b) {
    return b.left % kTwipsPerPixel == 0 && b.top % kTwipsPerPixel == 0 &&
           InWindow(b.left / kTwipsPerPixel, b.top / kTwipsPerPixel, b.width / kTwipsPerPixel,
                    b.height / kTwipsPerPixel);
}
constexpr bool EveryControlInWindow() {
    for (const Box& b : {kLogo, kMinimizeIcon, kExitIcon, kAction, kOk, kClear, kNew, kScores,
                         kSound, kAbout, kQuit, kFocus, kScoreBoard, kSpecial, kAboutText1,
                         kAboutText2, kEmptyBeer, kScoreBoardOpen, kRightPanel})
        if (!InWindow(b)) return false;
    for (const int left : kScoreDigitLefts)
        if (!InWindow(Box{left, kScoreDigitTop, kGlyphWidth * kTwipsPerPixel,
                          kGlyphHeight * kTwipsPerPixel}))
            return false;
    for (const int left : kLifeLefts)
        if (!InWindow(
                Box{left, kLifeTop, kButtonSize * kTwipsPerPixel, kButtonSize * kTwipsPerPixel}))
            return false;
    return true;
}
static_assert(InWindow(kFrameLeft, kFrameTop, kFrameRight - kFrameLeft + 1,
                       kFrameBottom - kFrameTop + 1),
              "the playfield and its frame must fit inside the window");
static_assert(EveryControlInWindow(), "every control must fit inside the window");
static_assert(kCopWidth < kFrameRight - kFrameLeft && kCopHeight < kFrameBottom - kFrameTop,
              "the cop must fit inside the frame");
static_assert(kBoardScoreLeft + game::kScoreDigits * kBoardLetterPitch <=
                      kScoreBoardOpen.width / kTwipsPerPixel &&
                  kBoardTextTop + game::kHighScoreRows * kBoardRowPitch <=
                      kScoreBoardOpen.height / kTwipsPerPixel,
              "the high-score table must fit on its board");

}  // namespace layout
