// The window's own chrome (it has no title bar): moving, minimising, closing; the
// shutdown every way of closing ends in; the trace hook.
#include "app/frm_main.h"

// modMain. Lets the system move the window as if its title bar had been grabbed with
// `button`; returns when the button is released, so no game step runs meanwhile.
void DragWindow(FrmMain& form, int button) { form.Platform().DragWindow(button); }

// A press of any button on the background or the playfield moves the window; presses
// on controls go to the controls.
void FrmMain::Form_MouseDown(int button, int, int, int) { DragWindow(*this, button); }

// Runs when the window is first shown and whenever its state changes. Every time it
// comes back from the task bar it is made borderless again; the caption stays the
// task bar's title.
void FrmMain::Form_Resize() {
    if (WindowState() == 1) return;
    // The platform always shows the window without borders, so this changes nothing on
    // screen; it is kept on purpose so the form's own state says borderless too.
    BorderStyle = 0;
    Refresh();
    SetCaption("Frothwick");
    Refresh();
}

void FrmMain::Form_GotFocus() { Refresh(); }

// The window went out of sight while open (a browser's page in a background tab): a
// game under way is paused as its pause button pauses it, so that nothing happens
// unseen, and waits for the player's Play. A game that is over, or held already, is
// left as it is.
void FrmMain::Form_Hidden() {
    if (!GameOver && !Paused) PauseGame();
}

// Toggles the pause as the pause/play button does (a paused game resumes, and keeps
// running while the window is minimised), then minimises the window.
void FrmMain::pctMinimizeIcon_Click() {
    pctAction_Click();
    SetWindowState(1);
}

// Closes the window without offering the current score to the table.
void FrmMain::pctExitIcon_Click() { Unload(); }

// The one way out of the program, whatever closed the window: the settings are saved
// and the program ends at once, also from inside a running game or a name entry. It
// never cancels. forms::End does not return: no further event is handled and no wait
// of the game resumes.
void FrmMain::Form_Unload(int&) {
    // A box now would hold up a closing session.
    SaveRegistry(true);
    frmGraphics.Unload();
    WriteTrace("Form_Unload");
    forms::End();
}

// The trace hook: callers pass the name of the procedure they are in. It does
// nothing on purpose; it is where a trace would go while looking into a problem.
void FrmMain::WriteTrace(const std::string&) {}
