// frmMain: the game window, its state and every procedure of the game.
//
// All state of the game lives here and every procedure works on it. The member
// functions are spread over the folders of their subsystem:
//   app/     start-up, control panel, window chrome and shutdown, about panel
//   game/    playfield, game loop and falling can, keys, lives and cop, matching
//   scores/  score counter, high-score table and settings, name entry
// Everything runs on one thread; handlers run inside DoEvents, also nested inside
// the waits of a running game.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/random.h"
#include "game/rules.h"
#include "layout/main_window.h"
#include "scores/table_changes.h"

class FrmMain : public layout::MainWindow {
public:
    explicit FrmMain(platform::Platform& platform);

    // ----- state (start values are set by Form_Load and the procedures it calls) -----
    std::int32_t CellWidth = 0;   // pixels
    std::int32_t CellHeight = 0;  // pixels
    std::int32_t FallStep = 0;    // pixels the falling can moves per game step
    std::array<std::int32_t, game::kGridColumns> ColumnX{};  // pixel x of each column's left edge
    std::array<std::int32_t, game::kGridRows> RowY{};        // pixel y of each row's top edge
    // The playfield grid, addressed (row, column); its numbers and cell codes are in
    // game/rules.h: kEmptyCell, a can kind + 1, or an obstacle piece kObstacleTop..Single.
    std::int16_t Board[game::kGridRows][game::kGridColumns]{};
    std::int16_t BoardFrame[game::kGridRows][game::kGridColumns]{};  // roll frame of each can
    std::int16_t TickDelay = 0;  // ms waited after each game step
    bool GameOver = false;
    bool CanFalling = false;
    std::int32_t CanX = 0, CanY = 0;  // pixel position of the falling can's top-left corner
    std::int32_t CanKind = 0;         // 0 .. kCanKinds - 1
    std::int32_t CanFrame = 0;        // 0 .. kRollFrames - 1
    bool TickBusy = false;            // a game step is drawing the falling can
    bool KeyBusy = false;             // a key handler is moving the falling can
    std::int32_t Score = 0;
    std::int16_t Lives = 0;
    bool Paused = false;
    std::array<std::string, game::kHighScoreRows + 1> HighNames;  // rows 1..10, best first
    std::array<std::int32_t, game::kHighScoreRows + 1> HighScores{};
    // Board pixel x of the name's letter columns 1..7 (sized like the rows, as designed).
    std::array<std::int32_t, game::kHighScoreRows + 1> LetterX{};
    std::array<std::int32_t, game::kHighScoreRows + 1> RowTop{};  // board pixel y of rows 1..10
    bool EnteringName = false;
    std::int16_t EntryRow = 0;
    std::int16_t EntryColumn = 0;
    bool ActionWasVisible = false;
    bool ScoreRecorded = false;   // the score on display has been offered to the table
    bool GamesRunning = false;    // pctNew_Click is running games
    bool NewGameClicked = false;  // New Game was clicked: the game running ends for a new one
    // This window's changes to the table and the sound setting, until the file holds
    // them: another window of the game may save to the same file meanwhile.
    scores::TableChanges OwnChanges;
    bool SoundClicked = false;
    // The player has been told that saving fails, and no save has worked since.
    bool SaveFailureTold = false;

    // The one random generator; Form_Load seeds it from the clock.
    game::Random Rnd;

    // ----- start-up (app/frm_main.cpp) -----
    void Form_Load();

    // ----- playfield (game/board.cpp) -----
    void InitializeBoard();
    void NewBoard();
    void DrawBoard();
    void FindCell(const std::int32_t& x, const std::int32_t& y, std::int16_t& row,
                  std::int16_t& column, bool& found);
    // Paints a cell-sized picture from a sprite holder at (x, y) on the window.
    void PaintSprite(forms::PictureBox& sprite, std::int32_t x, std::int32_t y);
    // Paints board cell (row, column) with the picture DrawBoard uses for it.
    void PaintCell(int row, int column);

    // ----- game loop and falling can (game/game_loop.cpp) -----
    void pctNew_Click();
    void RunNewGame();
    void ResetGame();
    void Delay(const std::int16_t& DelayValue);
    void GameStep();
    void SpawnCan();

    // ----- keyboard (game/keys.cpp) -----
    void RedrawAround(const std::int16_t& row, const std::int16_t& column);

    // ----- lives, cop event and exit (game/lives.cpp) -----
    void LoseLife();
    void ShowCop();
    void pctQuit_Click();

    // ----- matching and clearing (game/match.cpp) -----
    void CheckMatch(const std::int16_t& row, const std::int16_t& column, bool& found);
    void CheckAllMatches();

    // ----- score (scores/score.cpp) -----
    void AddScore(std::int16_t points);

    // ----- high-score table and settings (scores/high_scores.cpp) -----
    void GetRegistry();
    // closing: the window is going, so a failure is not shown to the player; a save
    // during play that failed has been shown already.
    int SaveRegistry(bool closing = false);
    void TellSaveFailed(const std::string& error);
    void ShowScoreBoard(bool entryMode, std::int16_t entryRow);
    void RecordScore();
    void RecordScoreOnce();
    void pctScores_Click();
    void pctClear_Click();
    void pctOk_Click();

    // ----- name entry (scores/name_entry.cpp) -----
    void NameEntryKeyDown(std::int16_t keyCode);
    // Stores the name just entered and tells the platform that typing is over; called
    // when Enter or OK ends the entry.
    void EndNameEntry();
    void DrawEntryCursor();
    void EraseEntryCursor();
    void CloseScoreBoard();

    // ----- control panel (app/panel.cpp) -----
    void pctAction_Click();
    void pctSound_Click();
    bool PauseFaceShown() const;
    void ShowActionFace(bool paused);
    void PauseGame();
    void HidePanel();
    void ShowPanel();
    bool SoundOn() const;
    // Plays one of the WAV files beside the program.
    void PlayWav(const char* file, bool synchronous);

    // ----- window chrome and shutdown (app/chrome.cpp) -----
    void pctMinimizeIcon_Click();
    void pctExitIcon_Click();
    void WriteTrace(const std::string& name);

    // ----- about panel (app/about.cpp) -----
    void pctAbout_Click();
    void pctAboutText1_Click();
    void pctAboutText2_Click();

    // Dispatches events until name entry is over (new game and Exit wait for it).
    void WaitWhileEnteringName();

protected:
    void Form_Paint() override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_MouseDown(int button, int shift, int x, int y) override;
    void Form_Resize() override;
    void Form_GotFocus() override;
    void Form_Hidden() override;
    void Form_Unload(int& cancel) override;
};

// The program's whole life on platform: loads and shows the main window and handles its
// events until it is unloaded, Form_Unload having saved everything. Called by each
// program's main; throws std::exception when the window cannot start.
void PlayUntilClosed(platform::Platform& platform);

// modMain: lets the system move the window as if its title bar had been grabbed.
void DragWindow(FrmMain& form, int button);
