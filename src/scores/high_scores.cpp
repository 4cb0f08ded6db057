// The high-score table: loading and storing it with the sound setting, drawing it
// on the board, entering new scores, and the board's buttons.
#include <cstdio>

#include "app/frm_main.h"
#include "layout/geometry.h"
#include "platform/files.h"
#include "scores/settings_store.h"
#include "scores/stored_values.h"

using scores::kBoardLetters;
using scores::NameForStore;
using scores::ScoreFromText;

namespace {

constexpr const char* kApplication = "FrothwickPro";
constexpr const char* kSection = "Settings";

std::string NameKey(int row) { return "HighScoreName" + std::to_string(row); }
std::string ScoreKey(int row) { return "HighScore" + std::to_string(row); }

// The seven digits of a table score; the table holds 0 … kHighestScore only.
std::string SevenDigits(std::int32_t score) {
    char text[12];
    std::snprintf(text, sizeof text, "%07d", static_cast<int>(score));
    return text;
}

// The table as the store holds it. The rows are taken in the stored order; a name is
// kept whole, as stored, though the board shows no more than its first seven
// characters, and those outside A to Z as empty cells.
void ReadTable(const scores::SettingsStore& store, scores::Names& names, scores::Scores& scores) {
    for (int row = 1; row <= game::kHighScoreRows; ++row) {
        names[row] = store.GetSetting(kSection, NameKey(row));
        scores[row] = ScoreFromText(store.GetSetting(kSection, ScoreKey(row), "0"));
    }
}

// Reads the file into file and the table it holds into names and scores, then applies
// a window's own changes to the table. Returns the row of the name being entered.
int ReadSharedTable(scores::SettingsStore& file, const scores::TableChanges& changes,
                    scores::Names& names, scores::Scores& scores) {
    file.Load();
    ReadTable(file, names, scores);
    return changes.ApplyTo(names, scores);
}

}  // namespace

// Loads the table and the sound setting. Called once by Form_Load.
void FrmMain::GetRegistry() {
    WriteTrace("GetRegistry");
    scores::SettingsStore store(kApplication);
    store.Load();
    ReadTable(store, HighNames, HighScores);
    const bool soundOn = store.GetSetting(kSection, "Sound") == "ON";
    pctSound.Picture = soundOn ? frmGraphics.pctSoundOn.Picture : frmGraphics.pctSoundOff.Picture;
    WriteTrace("EndRegistry");
}

// Stores this window's changes to the table, and the sound setting when it was clicked
// here (or the file has none), in the file as it stands now, keeping every other value
// it holds: another window of the game may have saved meanwhile. The table shown
// becomes the one stored. Called by Form_Unload, and whenever the table or the sound
// setting changes, so that nothing depends on a clean shutdown. A failure is told on
// standard error and, unless closing, to the player (TellSaveFailed); the file stays as
// it was, the changes are kept for the next save and the game plays on. Returns the row
// of the name being entered (0 when none).
int FrmMain::SaveRegistry(bool closing) {
    scores::SettingsStore file(kApplication);
    // Held only while the file is read, changed and written, never while a name is typed.
    const platform::FileLock lock(file.Path());
    const int entryRow = ReadSharedTable(file, OwnChanges, HighNames, HighScores);
    const std::string stored = file.GetSetting(kSection, "Sound");
    const bool soundOn = SoundClicked || stored.empty() ? SoundOn() : stored == "ON";
    scores::SettingsStore store(kApplication);
    for (int row = 1; row <= game::kHighScoreRows; ++row) {
        store.SaveSetting(kSection, NameKey(row), NameForStore(HighNames[row]));
        store.SaveSetting(kSection, ScoreKey(row), std::to_string(HighScores[row]));
    }
    store.SaveSetting(kSection, "Sound", soundOn ? "ON" : "OFF");
    // A key that has a value keeps it: the file adds only what the game does not own.
    store.Load();
    std::string error;
    if (store.Save(error)) {
        OwnChanges.Saved();
        SoundClicked = false;
        SaveFailureTold = false;
    } else {
        // stdio rather than a stream: the browser's program is smaller without streams.
        std::fprintf(stderr,
                     "Frothwick: the high scores and the sound setting were not saved: %s\n",
                     error.c_str());
        if (!closing) TellSaveFailed(error);
    }
    return entryRow;
}

// Tells the player of a failed save, the first time only until a save succeeds again:
// standard error is nowhere to be seen for a program started from its icon or a page.
void FrmMain::TellSaveFailed(const std::string& error) {
    if (SaveFailureTold) return;
    SaveFailureTold = true;
    Platform().ShowNotice("The high scores and the sound setting could not be saved:\n" + error +
                          ".\nThe game goes on and saves them as soon as it can.");
}

// Shows the board and draws the table on it; with entryMode, name entry starts on
// entryRow (1..10), and the platform is told that letters are wanted (a phone shows
// its keyboard). Called by the Scores and Clear buttons and by RecordScore.
void FrmMain::ShowScoreBoard(bool entryMode, std::int16_t entryRow) {
    Paused = true;
    if (!pctScoreBoard.Visible) HidePanel();
    pctOk.Visible = true;
    pctClear.Visible = true;

    // Setting the background colour wipes the board: a redrawn board (Clear) loses
    // the old letters.
    pctScoreBoard.BackColor = forms::kBlack;
    pctScoreBoard.Left = layout::kScoreBoardOpen.left;
    pctScoreBoard.Top = layout::kScoreBoardOpen.top;
    pctScoreBoard.Width = layout::kScoreBoardOpen.width;
    pctScoreBoard.Height = layout::kScoreBoardOpen.height;
    pctScoreBoard.Visible = true;
    pctScoreBoard.Refresh();
    Refresh();

    std::int32_t y = layout::kBoardTextTop;
    for (int row = 1; row <= game::kHighScoreRows; ++row) {
        std::int32_t x = layout::kBoardTextLeft;
        const std::string& name = HighNames[row];
        for (std::size_t j = 1; j <= kBoardLetters; ++j) {
            if (!(entryMode && row == entryRow) && name.size() >= j) {
                const auto k = static_cast<unsigned char>(name[j - 1]);
                const bool letter = k >= 'A' && k <= 'Z';
                pctScoreBoard.PaintPicture(letter ? frmGraphics.pctAlpha[k - 'A'].Picture
                                                  : frmGraphics.pctEmptyLetter.Picture,
                                           x, y);
            }
            LetterX[j] = x;
            x += layout::kBoardLetterPitch;
        }
        x = layout::kBoardScoreLeft;
        for (const char digit : SevenDigits(HighScores[row])) {
            pctScoreBoard.PaintPicture(frmGraphics.pctDigit[digit - '0'].Picture, x, y);
            x += layout::kBoardLetterPitch;
        }
        RowTop[row] = y;
        y += layout::kBoardRowPitch;
    }

    EnteringName = entryMode;
    EntryRow = entryRow;
    EntryColumn = 1;
    if (entryMode) {
        HighNames[entryRow].clear();
        DrawEntryCursor();
        Platform().ExpectTyping(true);
    }
}

// Offers Score to the table as the file holds it now: it takes the first row whose
// score it reaches, the rows below move down and the last one is lost. A non-zero
// score's row is stored at once, with an empty name, so that a session that dies
// during the entry keeps the score, and opens name entry; a score of 0 takes an empty
// row, stored with the next save; a score that reaches no row leaves the file alone.
// Called through RecordScoreOnce by New Game and Exit, and by Clear during entry.
void FrmMain::RecordScore() {
    OwnChanges.Enter(Score);
    scores::SettingsStore file(kApplication);
    if (ReadSharedTable(file, OwnChanges, HighNames, HighScores) == 0) {
        OwnChanges.Withdraw();
        return;
    }
    if (Score == 0) {
        OwnChanges.EndEntry();
        return;
    }
    const int row = SaveRegistry();
    if (row != 0)
        ShowScoreBoard(true, static_cast<std::int16_t>(row));
    else
        OwnChanges.EndEntry();
}

// New Game and Exit offer the last game's score; a score offered already (a second
// New Game click in the start wait) is not offered again.
void FrmMain::RecordScoreOnce() {
    if (ScoreRecorded) return;
    ScoreRecorded = true;
    RecordScore();
}

// Shows the table as the file holds it now, other windows' scores included.
void FrmMain::pctScores_Click() {
    scores::SettingsStore file(kApplication);
    ReadSharedTable(file, OwnChanges, HighNames, HighScores);
    ShowScoreBoard(false, 0);
}

// Empties the table, and the file with it, as it stands at this moment. During name
// entry the current score is entered afresh, on row 1.
void FrmMain::pctClear_Click() {
    OwnChanges.Clear();
    if (EnteringName) {
        RecordScore();
    } else {
        SaveRegistry();
        ShowScoreBoard(false, 0);
    }
}

// Closes the board, also in the middle of name entry (the letters typed stay, and are
// saved), and lets a game that was running go on.
void FrmMain::pctOk_Click() {
    const bool nameTyped = EnteringName;
    EnteringName = false;
    CloseScoreBoard();
    Paused = false;
    if (nameTyped) EndNameEntry();
}
