// The game loop and the falling can. A whole game runs inside New Game's click:
// one step, then a wait that handles every other event, until the lives run out.
#include <algorithm>

#include "app/frm_main.h"

using namespace game;

// Click of pctNew. Runs games until one ends by losing its lives. A click while a game
// runs arrives inside one of that game's waits and only asks for the new game: those
// waits return at once, the running game's loop ends, and the new game starts here, at
// the first click's depth, so that no run of restarts can use up the stack.
void FrmMain::pctNew_Click() {
    NewGameClicked = true;
    if (GamesRunning) return;
    GamesRunning = true;
    while (NewGameClicked) {
        NewGameClicked = false;
        RunNewGame();
    }
    GamesRunning = false;
}

// A new game, from offering the last one's score to the loop's end.
void FrmMain::RunNewGame() {
    for (forms::PictureBox& mug : pctLives) mug.Picture = frmGraphics.pctMug.Picture;
    // The face of a running game from the click on: the minimise icon in the start
    // wait then holds the new game, as it holds a running one.
    ShowActionFace(false);
    Lives = kLives;
    ResetGame();
    Delay(kNewGameWait);
    WaitWhileEnteringName();
    // New Game clicked again in these waits: its own start wait begins now.
    if (NewGameClicked) return;
    Score = 0;
    ScoreRecorded = false;
    AddScore(0);
    NewBoard();
    // An overlay opened in the wait (high scores, about) holds the game with the panel
    // hidden; the pause/play button comes back when it closes.
    if (pctNew.Visible)
        pctAction.Visible = true;
    else
        ActionWasVisible = true;
    while (Lives != 0 && !NewGameClicked) {
        GameStep();
        Delay(TickDelay);
    }
    // A restart keeps the panel as a running game has it.
    if (NewGameClicked) return;
    ShowPanel();
    pctAction.Visible = false;
}

// What New Game and Exit both begin with: a game that is neither paused nor over, at
// the starting pace, with no can in flight and no key or name entry under way, the
// focus on pctFocus; then the last game's score is offered to the table, once. Nothing
// here waits: a name entry it opens is waited for by the caller.
void FrmMain::ResetGame() {
    Paused = false;
    pctFocus.SetFocus();
    TickDelay = kNewGameTickDelay;
    GameOver = false;
    CanFalling = false;
    KeyBusy = false;
    EnteringName = false;
    RecordScoreOnce();
}

// Waits DelayValue ms while handling window events, at least one round of them even
// for 0 ms; it returns early once New Game is clicked, as the game it belongs to is
// over. Every handler may run inside. Callers: the game loop, LoseLife and ShowCop.
// It sleeps between rounds instead of spinning; the clock is 64-bit and monotonic, so
// the deadline cannot wrap.
void FrmMain::Delay(const std::int16_t& DelayValue) {
    const std::uint64_t deadline =
        Platform().NowMs() + static_cast<std::uint64_t>(std::max<int>(DelayValue, 0));
    DoEvents();
    while (Platform().NowMs() < deadline && !NewGameClicked) {
        WaitForEvent(deadline);
        DoEvents();
    }
}

// One tick of the game loop: spawns a can when none is falling, moves the falling
// can down by FallStep pixels, and lands it when it stands on the floor row or on an
// occupied cell. It copies at most four rectangles and never redraws the board.
void FrmMain::GameStep() {
    if (Paused || GameOver) return;
    if (!CanFalling) SpawnCan();
    // SpawnCan may have taken the last life, or New Game been clicked in its waits.
    if (KeyBusy || GameOver || NewGameClicked) return;
    TickBusy = true;

    const int stripWidth = forms::IntDiv(pctEmptyBeer.Width, forms::TwipsPerPixelX);
    forms::BitBlt(hDC(), CanX, CanY - FallStep, stripWidth, FallStep, pctEmptyBeer.hDC(), 0, 0,
                  forms::SRCCOPY);
    CanFalling = true;
    PaintSprite(pctBeer[CanSprite(CanKind, CanFrame)], CanX, CanY);
    CanFrame = (CanFrame + 1) % kRollFrames;

    std::int16_t row = 0, column = 0;
    bool found = false;
    FindCell(CanX, CanY, row, column, found);
    if (row == kFloorRow || (found && Board[row + 1][column] != kEmptyCell))
        CanFalling = false;
    else
        CanY += FallStep;
    if (CanFalling || KeyBusy) {
        TickBusy = false;
        return;
    }

    // Landed: snap the can into its cell with the frame that follows the last one drawn.
    PaintSprite(pctEmptyBeer, CanX, CanY);
    PaintSprite(pctBeer[CanSprite(CanKind, CanFrame)], ColumnX[column], RowY[row]);
    AddScore(static_cast<std::int16_t>(2 * row));
    Board[row][column] = static_cast<std::int16_t>(CanKind + 1);
    BoardFrame[row][column] = static_cast<std::int16_t>(CanFrame);
    bool cleared = false;
    CheckMatch(row, column, cleared);
    TickBusy = false;
}

// Places a new can at the top of a random column. Called by GameStep when no can is
// falling; GameStep sets CanFalling when it first paints it. It always draws three
// numbers, event, kind and column, so a seed always deals the same game; the cop
// event's new board draws its own numbers between the first and the second.
void FrmMain::SpawnCan() {
    if (Rnd.Pick(kCopOdds) == 1) {
        NewBoard();
        ShowCop();
        LoseLife();
    }
    CanKind = Rnd.Pick(kCanKinds);
    const int startColumn = Rnd.Pick(kVisibleColumns);
    CanX = ColumnX[startColumn];
    CanY = RowY[0];
    CanFrame = 0;

    std::int16_t row = 0, column = 0;
    bool found = false;
    FindCell(CanX, CanY, row, column, found);
    // The can stays in play after a lost life: it falls from row 0 of the fresh board.
    if (Board[row][column] != kEmptyCell) LoseLife();
}
