// Typing a name for a new high score straight onto the board. ShowScoreBoard starts
// an entry; the keys arrive here from Form_KeyDown while EnteringName is set.
#include "app/frm_main.h"
#include "platform/virtual_keys.h"

using platform::kKeyBackspace;
using platform::kKeyEnter;

namespace {

constexpr std::int16_t kLastLetterColumn = 7;  // the cursor's place after six letters

// Key-down codes that type a letter: the letter keys (65..90, with or without Shift),
// and the codes 97..122 of the keypad and F1..F11, which type 'A'..'Z' as well.
bool TypesLetter(std::int16_t keyCode) {
    return (keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= 'a' && keyCode <= 'z');
}

// Draws a sprite in letter column `column` of the entry row.
void PaintEntryCell(FrmMain& form, const forms::StdPicture& sprite, std::int16_t column) {
    form.pctScoreBoard.PaintPicture(sprite, form.LetterX[column], form.RowTop[form.EntryRow]);
}

}  // namespace

// Handles one key of the entry: Enter ends it and saves the table, a letter is added
// while fewer than six have been typed, Backspace takes the last one back; every
// other key is ignored.
void FrmMain::NameEntryKeyDown(std::int16_t keyCode) {
    std::string& name = HighNames[EntryRow];
    if (keyCode == kKeyEnter) {
        EnteringName = false;
        EraseEntryCursor();
        CloseScoreBoard();
        // The board held the game; the game goes on unless the player held it too
        // (the minimise icon during the entry leaves the play face).
        if (PauseFaceShown()) Paused = false;
        EndNameEntry();
    } else if (TypesLetter(keyCode)) {
        if (EntryColumn >= kLastLetterColumn) return;
        const char letter = static_cast<char>(keyCode >= 'a' ? keyCode - 'a' + 'A' : keyCode);
        PaintEntryCell(*this, frmGraphics.pctAlpha[letter - 'A'].Picture, EntryColumn);
        name += letter;
        OwnChanges.Name(name);
        ++EntryColumn;
        DrawEntryCursor();
    } else if (keyCode == kKeyBackspace && EntryColumn >= 2) {
        EraseEntryCursor();
        name.pop_back();  // EntryColumn − 1 letters have been typed
        OwnChanges.Name(name);
        --EntryColumn;
        DrawEntryCursor();
    }
}

void FrmMain::EndNameEntry() {
    Platform().ExpectTyping(false);
    SaveRegistry();
    OwnChanges.EndEntry();
}

void FrmMain::DrawEntryCursor() {
    PaintEntryCell(*this, frmGraphics.pctCursor.Picture, EntryColumn);
}

void FrmMain::EraseEntryCursor() {
    PaintEntryCell(*this, frmGraphics.pctEmptyLetter.Picture, EntryColumn);
}

// Hides the board and its buttons and brings the control panel back as it was.
// Called by Enter at the end of an entry and by OK.
void FrmMain::CloseScoreBoard() {
    pctOk.Visible = false;
    pctClear.Visible = false;
    pctScoreBoard.Visible = false;
    ShowPanel();
}
