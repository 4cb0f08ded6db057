// Lives, the cop event and the Exit button.
#include "app/frm_main.h"

using namespace game;

// Takes a life and deals a fresh board. Called by SpawnCan only, never while a can is
// in flight; the last life sets GameOver, and the game loop ends after its next wait.
// A New Game clicked in the wait ends this game as it stands.
void FrmMain::LoseLife() {
    Delay(kLostLifeWait);
    if (NewGameClicked) return;
    if (Lives > 0) {
        pctLives[Lives - 1].Picture = frmGraphics.pctEmptyMug.Picture;
        --Lives;
    }
    NewBoard();
    CanFalling = false;
    KeyBusy = false;
    if (Lives == 0) GameOver = true;
}

// The rare cop event: the cop picture alone on a cleared screen, the siren (which holds
// the whole program until it ends), kCopWait, then the panel back. Called by
// SpawnCan, which takes the life afterwards.
void FrmMain::ShowCop() {
    HidePanel();
    pctSpecial.AutoSize = true;
    pctSpecial.Picture = frmGraphics.pctCop.Picture;
    // Centred between the frame lines, in whole twips.
    pctSpecial.Left = lineLeft.X1 + forms::IntDiv(lineRight.X1 - lineLeft.X1, 2) -
                      forms::IntDiv(pctSpecial.Width, 2);
    pctSpecial.Top = lineTop.Y1 + forms::IntDiv(lineBottom.Y1 - lineTop.Y1, 2) -
                     forms::IntDiv(pctSpecial.Height, 2);
    pctSpecial.Visible = true;
    pctSpecial.Refresh();
    PlayWav("siren.wav", true);
    Delay(kCopWait);
    pctSpecial.Visible = false;
    ShowPanel();
}

// Click of pctQuit: offers the score to the high-score table, waits for a name if it
// earned a row, then ends the program. A game it interrupts never resumes.
void FrmMain::pctQuit_Click() {
    ResetGame();
    WaitWhileEnteringName();
    SetMousePointer(0);
    Unload();
}
