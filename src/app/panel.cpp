// The control panel: the pause/play and sound toggles, and hiding and restoring the
// panel around an overlay. Neither toggle has a variable of its own: the picture a
// button holds (compared by handle) is the state.
#include "app/frm_main.h"

namespace {

bool Shows(const forms::PictureBox& button, const forms::PictureBox& face) {
    return forms::Handle(button.Picture) == forms::Handle(face.Picture);
}

}  // namespace

// Click of pctAction; also called by the about panel and the minimise icon. The button
// always shows what its next click does.
void FrmMain::pctAction_Click() {
    Paused = PauseFaceShown();
    ShowActionFace(Paused);
}

// Gives the pause/play button its pause face and clicks it, which pauses the game
// whatever state it was in. Called by the about panel and when the window is hidden.
void FrmMain::PauseGame() {
    pctAction.Picture = frmGraphics.pctPause.Picture;
    pctAction_Click();
}

bool FrmMain::PauseFaceShown() const { return Shows(pctAction, frmGraphics.pctPause); }

// The play face and "Play" while paused, else the pause face and "Pause".
void FrmMain::ShowActionFace(bool paused) {
    pctAction.Picture = (paused ? frmGraphics.pctPlay : frmGraphics.pctPause).Picture;
    pctAction.ToolTipText = paused ? "Play" : "Pause";
}

// Click of pctSound. Saved at once; a sound already playing plays on.
void FrmMain::pctSound_Click() {
    if (Shows(pctSound, frmGraphics.pctSoundOff))
        pctSound.Picture = frmGraphics.pctSoundOn.Picture;
    else
        pctSound.Picture = frmGraphics.pctSoundOff.Picture;
    SoundClicked = true;
    SaveRegistry();
}

// Clears the screen around the playfield for an overlay (about, high scores, cop).
// Remembers whether pctAction was shown, for ShowPanel.
void FrmMain::HidePanel() {
    ActionWasVisible = pctAction.Visible;
    for (forms::PictureBox* button :
         {&pctQuit, &pctFocus, &pctScores, &pctSound, &pctAction, &pctAbout, &pctNew})
        button->Visible = false;
    for (forms::PictureBox& mug : pctLives) mug.Visible = false;
    for (forms::Line* line : {&lineLeft, &lineTop, &lineBottom, &lineRight}) line->Visible = false;
    for (forms::PictureBox& digit : pctScore) digit.Visible = false;
    Refresh();
}

// Brings back what HidePanel cleared and repaints the whole playfield.
void FrmMain::ShowPanel() {
    for (forms::PictureBox* button : {&pctQuit, &pctFocus, &pctScores, &pctSound})
        button->Visible = true;
    pctAction.Visible = ActionWasVisible;
    pctAbout.Visible = true;
    pctNew.Visible = true;
    for (forms::Line* line : {&lineRight, &lineBottom, &lineLeft, &lineTop}) line->Visible = true;
    for (forms::PictureBox& mug : pctLives) mug.Visible = true;
    for (forms::PictureBox& digit : pctScore) digit.Visible = true;
    DrawBoard();
    Refresh();
}

// Sound is on while pctSound holds the very picture of frmGraphics.pctSoundOn.
bool FrmMain::SoundOn() const { return Shows(pctSound, frmGraphics.pctSoundOn); }

// Plays a WAV file beside the program, when sound is on. A synchronous sound holds the
// whole program until it ends; an asynchronous one replaces any sound playing.
void FrmMain::PlayWav(const char* file, bool synchronous) {
    if (SoundOn()) Platform().PlaySound(Platform().ProgramDir() + "/" + file, synchronous);
}
