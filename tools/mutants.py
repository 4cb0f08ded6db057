#!/usr/bin/env python3
"""Plants single faults in the game, one at a time, and checks that the headless tests
notice each one.

Every mutant is one textual change in one file under src/ and the thing a player
would see because of it. The work tree is never touched: the files are copied into a
scratch folder (MUTANTS_DIR, default /tmp/frothwick-mutants) with its own build folder,
so each mutant rebuilds only what it changed. A mutant is killed when the test program
fails or runs out of time; a mutant of the real program's platform layer (the files
platform/sdl/ and platform/posix/system.cpp) is checked by the real-window tests instead, which
the headless tests never run; one of the settings file service (platform/posix/files.cpp) by the
headless tests and then the real-window saving test; and one of the browser's settings
reader by reading texts with it and with the desktop's. Survivors are listed, and last comes `killed K/N (P %)`.
A mutant whose text is not found exactly once is an error: the list has fallen out of
step with the code.

    tools/mutants.py            every mutant
    tools/mutants.py WORD ...   only the mutants whose file or description holds a WORD
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
SCRATCH = pathlib.Path(os.environ.get("MUTANTS_DIR", "/tmp/frothwick-mutants"))
TEST_TIMEOUT_S = 180
WINDOW_TEST_TIMEOUT_S = 600  # the real-window tests take minutes
BUILD_TIMEOUT_S = 900

# (file under src/, text, replacement, what a player would see)
# A fifth string, the reason, marks a mutant that no player could tell from the game;
# it is listed but not counted.
MUTANTS = [
    # --- playfield and game loop ---
    ("game/game_loop.cpp", "    Lives = kLives;\n    ResetGame();", "    Lives = kLives;\n    FallStep = kStartFallStep;\n    ResetGame();",
     "a new game forgets the speed the last one reached"),
    ("game/game_loop.cpp", "    CanFalling = false;\n    KeyBusy = false;\n    EnteringName = false;\n    RecordScoreOnce();",
     "    KeyBusy = false;\n    EnteringName = false;\n    RecordScoreOnce();",
     "a New Game during a game leaves the old can falling on the new board"),
    ("game/game_loop.cpp", "    ShowPanel();\n    pctAction.Visible = false;", "    pctAction.Visible = false;",
     "a game that ends while the panel is hidden leaves the panel hidden"),
    ("game/game_loop.cpp", "CanY - FallStep, stripWidth, FallStep,", "CanY - 5, stripWidth, 5,",
     "once the game speeds up the falling can leaves a trail"),
    ("game/game_loop.cpp", "CanFrame = (CanFrame + 1) % kRollFrames;", "CanFrame = (CanFrame + 1) % (kRollFrames - 1);",
     "the can never shows the last picture of its roll"),
    ("game/game_loop.cpp", "    CanFrame = 0;\n", "",
     "a new can starts its roll where the last one stopped"),
    ("game/game_loop.cpp", "if (row == kFloorRow ||", "if (row == kDeepestDropRow ||",
     "cans stop one row above the floor"),
    ("game/game_loop.cpp", "Board[row + 1][column] != kEmptyCell", "Board[row + 1][column] >= kObstacleTop",
     "a can falls through the cans below it"),
    ("game/game_loop.cpp", "Board[row][column] = static_cast<std::int16_t>(CanKind + 1);",
     "Board[row][column] = static_cast<std::int16_t>(CanKind);",
     "a landed can turns into the kind before it, or vanishes"),
    ("game/game_loop.cpp", "BoardFrame[row][column] = static_cast<std::int16_t>(CanFrame);", "",
     "landed cans all turn to their first roll picture at the next repaint"),
    ("game/game_loop.cpp", "ColumnX[column], RowY[row]);", "CanX, CanY);",
     "a landed can is drawn between two rows, not in its cell"),
    ("game/game_loop.cpp", "if (Board[row][column] != kEmptyCell) LoseLife();", "",
     "a can spawned onto a full column costs no life: the game never ends"),
    ("game/game_loop.cpp", "Rnd.Pick(kVisibleColumns);", "Rnd.Pick(kLastColumn);",
     "no can ever starts in the rightmost column"),
    ("game/game_loop.cpp", "if (KeyBusy || GameOver || NewGameClicked) return;", "if (KeyBusy || NewGameClicked) return;",
     "after the last life a can still appears on the final board"),
    ("game/game_loop.cpp", "if (Paused || GameOver) return;", "if (GameOver) return;",
     "the can keeps falling while the game is paused"),
    ("game/board.cpp", "kGridTop + top;", "kGridTop + 1 + top;",
     "the playfield sits a pixel low, touching the bottom of its frame"),
    ("game/board.cpp", "Board[kFloorRow][col] = kObstacleSingle;", "Board[kFloorRow - 1][col] = kObstacleSingle;",
     "a single obstacle block floats one row above the floor"),
    ("game/board.cpp", "* kObstacleHeights + 1", "* (kObstacleHeights - 1) + 1",
     "obstacle stacks are never four cells high"),
    ("game/board.cpp", "            Board[r][col] = kEmptyCell;\n", "",
     "a new board keeps the cans of the last one"),
    ("game/board.cpp", "CanSprite(code - 1, BoardFrame[row][column])", "CanSprite(code - 1, 0)",
     "landed cans all show the same picture after a repaint"),
    ("game/board.cpp", "for (int col = 0; col <= kLastColumn; ++col) PaintCell(r, col);",
     "for (int col = 0; col < kLastColumn; ++col) PaintCell(r, col);",
     "the rightmost column is not redrawn: old cans stay on screen there"),
    ("app/frm_main.cpp", "(ColumnX[game::kLastColumn] + 1.0)", "(ColumnX[game::kLastColumn] + 2.0)",
     "the right frame line stands a pixel too far out"),
    ("app/frm_main.cpp", "void FrmMain::Form_Paint() { DrawBoard(); }", "void FrmMain::Form_Paint() {}",
     "the playfield is blank after the window was covered"),
    ("app/frm_main.cpp", "if (platform::IsRegularFile(path)) platform::RemoveFile(path);", "",
     "a leftover Frothwick.txt beside the program is never removed"),
    # --- keys ---
    ("game/keys.cpp", "target < 0 ||", "target < 1 ||",
     "a can can never be moved into the leftmost column"),
    ("game/keys.cpp", "target > kLastColumn ||", "target >= kLastColumn ||",
     "a can can never be moved into the rightmost column"),
    ("game/keys.cpp", "form.Board[row][target] != kEmptyCell", "form.Board[row + 1][target] != kEmptyCell",
     "a can cannot slide onto a neighbouring stack"),
    ("game/keys.cpp", "form.RedrawAround(row, column);", "",
     "a can moved sideways leaves its old picture behind"),
    ("game/keys.cpp", "r <= kDeepestDropRow)", "r <= kFloorRow)",
     "a drop onto an empty column scores 15 instead of 14"),
    ("game/keys.cpp", "keyCode == kKeyDown || keyCode == kKeySpace", "keyCode == kKeyDown",
     "the space bar does not drop the can"),
    ("game/keys.cpp", " || TickBusy || Paused) return;", " || TickBusy) return;",
     "the can can be moved and dropped while the game is paused"),
    ("game/keys.cpp", "for (int c = firstColumn; c <= lastColumn; ++c)", "for (int c = firstColumn; c < lastColumn; ++c)",
     "a can moved left from the right edge leaves its old picture behind"),
    # --- lives and cop ---
    ("game/lives.cpp", "pctLives[Lives - 1].Picture", "pctLives[3 - Lives].Picture",
     "the leftmost mug empties first"),
    ("game/lives.cpp", "        --Lives;\n", "",
     "lives never run out: the game never ends"),
    ("game/lives.cpp", "    NewBoard();\n    CanFalling = false;", "    CanFalling = false;",
     "a lost life leaves the full board in place"),
    ("game/lives.cpp", "    HidePanel();\n    pctSpecial.AutoSize = true;", "    pctSpecial.AutoSize = true;",
     "the panel stays on screen around the cop"),
    ("game/lives.cpp", "    pctSpecial.Visible = true;\n    pctSpecial.Refresh();\n    PlayWav(\"siren.wav\", true);",
     "    PlayWav(\"siren.wav\", true);\n    pctSpecial.Visible = true;\n    pctSpecial.Refresh();",
     "the siren plays before the cop is on screen"),
    ("game/lives.cpp", "    WaitWhileEnteringName();\n    SetMousePointer(0);", "    SetMousePointer(0);",
     "Exit ends the program before the new high score's name can be typed"),
    # --- matching ---
    ("game/match.cpp", "left <= shape.lastLeftColumn", "left < shape.lastLeftColumn",
     "blocks reaching the rightmost column do not clear"),
    ("game/match.cpp", "{kWideBlock, 2}, {kTallBlock, 0}", "{kWideBlock, 1}, {kTallBlock, 0}",
     "a wide block completed at its top right does not clear"),
    ("game/match.cpp", "row <= shape.lastTopRow", "row < shape.lastTopRow",
     "blocks on the floor row do not clear"),
    ("game/match.cpp", "if (row == kFloorRow) return;", "if (row >= kLastWideStartRow) return;",
     "a wide block on the two bottom rows never clears"),
    ("game/match.cpp", "r <= kLastWideStartRow && !found", "r < kLastWideStartRow && !found",
     "chains on the two bottom rows do not clear"),
    ("game/match.cpp", "c <= kLastTallStartColumn && !found", "c < kLastTallStartColumn && !found",
     "chains in the two rightmost columns do not clear"),
    ("game/match.cpp", "form.PlayWav(\"burp.wav\", false);", "",
     "blocks clear without a burp"),
    ("game/match.cpp", "pass < shape.rows", "pass < 2",
     "cans above a tall block drop two rows, leaving a gap"),
    ("game/match.cpp", "form.Board[0][c] = kEmptyCell;", "form.Board[1][c] = kEmptyCell;",
     "after a clear, a can in the top row stays hanging over the gap instead of dropping into it"),
    ("game/match.cpp", "for (int r = bottom; r >= 1; --r)", "for (int r = bottom; r >= 2; --r)",
     "after a clear, a can in the top row vanishes and the one under it shows twice"),
    ("game/match.cpp", "            form.BoardFrame[r][c] = form.BoardFrame[r - 1][c];\n", "",
     "cans that drop into a gap change their picture"),
    ("game/match.cpp", "    form.CheckAllMatches();\n}", "}",
     "no chain clearings"),
    ("game/match.cpp", "if (form.Board[r][c] == code) ++count;", "if (form.Board[r][c] != 0) ++count;",
     "six cans of mixed kinds clear"),
    ("game/match.cpp", "if (code == kEmptyCell) return;", "",
     "empty corners of the playfield score 500 points each"),
    # --- score ---
    ("scores/score.cpp", "if (TickDelay >= kShortestShortenedTick)", "if (TickDelay > kTickShortening)",
     "the game keeps getting faster past its fastest pace"),
    ("scores/score.cpp", "FallStep < CellHeight", "FallStep <= CellHeight",
     "at top speed a can jumps more than a row a step"),
    ("scores/score.cpp", "if (Lives < kLives) {", "if (Lives <= kLives) {",
     "ten million points give a fourth life"),
    ("scores/score.cpp", "        text.erase(0, 1);\n", "",
     "past ten million the display shows 1000001 instead of 0000010"),
    ("scores/score.cpp", "pctScore[kScoreDigits - i].Picture", "pctScore[i - 1].Picture",
     "the score reads backwards"),
    # --- high-score table and settings ---
    ("scores/table_changes.cpp", "if (score < scores[row]) continue;", "if (score <= scores[row]) continue;",
     "a score equal to a table score goes below it instead of above"),
    ("scores/table_changes.cpp", "for (int j = game::kHighScoreRows; j > row; --j) {", "for (int j = game::kHighScoreRows - 1; j > row; --j) {",
     "a full table loses row 9 instead of row 10"),
    ("scores/high_scores.cpp", "    if (Score == 0) {", "    if (false) {",
     "a score of 0 opens name entry"),
    ("scores/high_scores.cpp", "            pctScoreBoard.PaintPicture(frmGraphics.pctDigit[digit - '0'].Picture, x, y);\n            x += layout::kBoardLetterPitch;",
     "            pctScoreBoard.PaintPicture(frmGraphics.pctDigit[digit - '0'].Picture, x, y);\n            x += frmGraphics.pctDigit[digit - '0'].PixelWidth();",
     "the board's score digits are set by each digit's width instead of the fixed pitch"),
    ("scores/high_scores.cpp", "if (!pctScoreBoard.Visible) HidePanel();", "HidePanel();",
     "after Clear, OK brings the panel back without the pause button"),
    ("scores/high_scores.cpp", "    CloseScoreBoard();\n    Paused = false;", "    CloseScoreBoard();",
     "after OK the game stays paused"),
    ("scores/high_scores.cpp", "store.GetSetting(kSection, \"Sound\") == \"ON\"", "store.GetSetting(kSection, \"Sound\") != \"OFF\"",
     "sound is on at the very first start"),
    ("scores/high_scores.cpp", "return \"HighScore\" + std::to_string(row);", "return \"Highscore\" + std::to_string(row);",
     "the high scores are forgotten between runs"),
    ("platform/posix/files.cpp", "if (why.empty() && std::rename(", "if (std::rename(",
     "a save that fails on a full disk wipes the stored high scores"),
    ("platform/posix/files.cpp", "        unlink(temporary.c_str());\n", "",
     "a failed save leaves a stray file beside the settings"),
    ("platform/posix/files.cpp", 'dir += "/.config";', 'dir += "/.frothwick";',
     "without XDG_CONFIG_HOME the settings land outside ~/.config"),
    ("app/frm_main.cpp", "Rnd.Seed(Platform().WallClockNs());", "Rnd.Seed(Platform().NowMs());",
     "every run of the program deals the same game"),
    # --- saved as it happens, stored as it was ---
    ("scores/name_entry.cpp", "        EndNameEntry();\n    } else if", "    } else if",
     "a name ended with Enter is lost when the program is killed before it exits"),
    ("scores/high_scores.cpp", "    if (nameTyped) EndNameEntry();\n", "",
     "a name ended with OK is lost when the program is killed before it exits"),
    ("app/panel.cpp", "    SoundClicked = true;\n    SaveRegistry();", "    SoundClicked = true;",
     "the sound setting is lost when the program is killed before it exits"),
    ("scores/high_scores.cpp", "    store.Load();\n    std::string error;", "    std::string error;",
     "a save drops every other key and section of the settings file"),
    ("scores/stored_values.h", "if (!std::iscntrl(static_cast<unsigned char>(c))) kept += c;", "kept += c;",
     "a name holding a line break breaks the settings file"),
    ("scores/high_scores.cpp", "names[row] = store.GetSetting(kSection, NameKey(row));",
     "names[row] = store.GetSetting(kSection, NameKey(row)).substr(0, 7);",
     "a stored name longer than seven characters comes back cut"),
    ("platform/posix/files.cpp", "if (xdg != nullptr && *xdg == '/') {", "if (xdg != nullptr && *xdg != '\\0') {",
     "a relative XDG_CONFIG_HOME puts the settings under the working folder"),
    ("game/game_loop.cpp", "begins now.\n    if (NewGameClicked) return;\n", "begins now.\n",
     "a double click on New Game wipes the finished game's score and board"),
    ("scores/high_scores.cpp", "    if (ScoreRecorded) return;\n    ScoreRecorded = true;", "    ScoreRecorded = true;",
     "a score is offered to the table twice"),
    ("scores/high_scores.cpp", "    const int row = SaveRegistry();", "    const int row = OwnChanges.ApplyTo(HighNames, HighScores);",
     "a session that dies during name entry loses the new score"),
    ("scores/high_scores.cpp", 'SoundClicked || stored.empty() ? SoundOn() : stored == "ON";', "SoundOn();",
     "a second window that is merely closed flips the sound setting back"),
    ("scores/table_changes.cpp", "    if (!entryOpen_) {\n        changes_.clear();", "    if (!entryOpen_) {",
     "a Clear in one window is undone by the next save of another"),
    ("scores/table_changes.cpp", "    if (changes_.back().stored == NameForStore(changes_.back().name)) changes_.pop_back();\n", "",
     "after another window clears the table, a score entered in this window comes back at this window's next save"),
    ("scores/high_scores.cpp", "    const platform::FileLock lock(file.Path());\n", "",
     "two windows saving at the same moment, one window's new score is lost (no lock)"),
    ("platform/posix/files.cpp", "flock(fd, LOCK_EX | LOCK_NB)", "flock(fd, LOCK_SH | LOCK_NB)",
     "two windows saving at the same moment, one window's new score is lost (both hold the lock)"),
    ("platform/posix/files.cpp", "    const std::string file = LinkTarget(path);", "    const std::string file = path;",
     "a save replaces a linked settings file with a file of its own"),
    ("platform/posix/files.cpp", "    if (exists) fchmod(fd, old.st_mode & 07777);\n", "",
     "a save makes a shared settings file private"),
    ("platform/posix/files.cpp", "    if (fd < 0 && exists && (errno == EACCES || errno == EPERM))\n        return WriteInPlace(file, contents, error);\n", "",
     "nothing is saved where the folder takes no new file"),
    ("game/game_loop.cpp", "    if (GamesRunning) return;\n", "",
     "each restart plays the new game inside the old one's wait: a run of restarts uses up the stack"),
    ("game/game_loop.cpp", "deadline && !NewGameClicked)", "deadline)",
     "a restart's two seconds begin only after the old game's next step"),
    ("scores/high_scores.cpp", "int FrmMain::SaveRegistry(bool closing) {\n",
     "int FrmMain::SaveRegistry(bool closing) {\n    OwnChanges.Name(HighNames[EntryRow]);\n",
     "a second entry in one run is stored under the first player's name"),
    ("scores/high_scores.cpp", "    if (SaveFailureTold) return;\n", "",
     "a message box at every save while saving fails"),
    ("scores/high_scores.cpp", "        SaveFailureTold = false;\n", "",
     "saving that fails again after it worked is not told"),
    ("scores/high_scores.cpp", "if (!closing) TellSaveFailed(error);", "TellSaveFailed(error);",
     "a failed save holds the closing window with a message box"),
    # --- name entry ---
    ("scores/name_entry.cpp", "if (EntryColumn >= kLastLetterColumn) return;", "if (EntryColumn > kLastLetterColumn) return;",
     "a name takes seven letters"),
    ("scores/name_entry.cpp", "keyCode <= 'z'", "keyCode < 'z'",
     "F11 does not type Z"),
    ("scores/name_entry.cpp", "        name += letter;\n", "",
     "the typed name is not kept"),
    ("scores/name_entry.cpp", "        EraseEntryCursor();\n        name.pop_back();", "        name.pop_back();",
     "Backspace leaves a second cursor on the board"),
    ("scores/name_entry.cpp", "    pctClear.Visible = false;\n", "",
     "the Clear button stays after the board has closed"),
    ("scores/name_entry.cpp", "if (PauseFaceShown()) Paused = false;", "Paused = false;",
     "Enter at the end of a name lets the game run on although the player paused it during the entry"),
    # --- control panel ---
    ("app/panel.cpp", "paused ? \"Play\" : \"Pause\"", "\"Pause\"",
     "the paused game's button says Pause"),
    ("app/panel.cpp", "    Paused = PauseFaceShown();\n", "",
     "the pause button does not pause"),
    ("app/panel.cpp", "&pctAction, &pctAbout, &pctNew}", "&pctAction, &pctNew}",
     "About stays on screen over the high-score board"),
    ("app/panel.cpp", "{&pctQuit, &pctFocus, &pctScores, &pctSound})", "{&pctQuit, &pctFocus, &pctScores})",
     "the sound button is not brought back"),
    ("app/panel.cpp", "if (Shows(pctSound, frmGraphics.pctSoundOff))", "if (Shows(pctSound, frmGraphics.pctSoundOn))",
     "the sound button does nothing"),
    ("app/chrome.cpp", "    pctAction_Click();\n    SetWindowState(1);", "    SetWindowState(1);",
     "minimising does not pause the game"),
    ("app/chrome.cpp", "{ DragWindow(*this, button); }", "{}",
     "the window cannot be dragged"),
    ("app/chrome.cpp", "    SaveRegistry(true);\n", "",
     "high scores and the sound setting are lost at exit"),
    ("app/chrome.cpp", "void FrmMain::Form_GotFocus() { Refresh(); }", "void FrmMain::Form_GotFocus() {}",
     "the playfield is not repainted when the window gets the focus back"),
    ("app/chrome.cpp", "    if (!GameOver && !Paused) PauseGame();\n", "",
     "a game in a hidden browser tab plays on unseen"),
    ("app/chrome.cpp", "if (!GameOver && !Paused) PauseGame();", "if (!GameOver) pctAction_Click();",
     "hiding the browser tab of a paused game sets it running"),
    ("scores/high_scores.cpp", "        Platform().ExpectTyping(true);\n", "",
     "a phone shows no keyboard for a new high score's name"),
    ("scores/name_entry.cpp", "    Platform().ExpectTyping(false);\n", "",
     "a phone's keyboard stays up after the name is entered"),
    # --- layout ---
    ("layout/main_window.cpp", "\"Ok\", true}", "\"OK\", true}",
     "the OK button's tooltip reads OK instead of Ok"),
    ("layout/geometry.h", "kNew{7050, 2640,", "kNew{7065, 2640,",
     "New Game stands a pixel to the right"),
    ("layout/main_window.cpp", "\"High Scores\", true}", "\"High Scores\", false}",
     "no hand over High Scores"),
    ("layout/geometry.h", "kLineTop[4] = {540, kFrameTopTwips,", "kLineTop[4] = {540, kFrameTopTwips + 15,",
     "the playfield and its frame stand a pixel lower"),
    ("layout/main_window.cpp", "\"ok.gif\", \"\", true}", "\"ok.gif\", \"\", false}",
     "no hand over the about panel's close button"),
    ("layout/main_window.cpp", '*assets.Picture("hand_cursor.gif"), 12, 1);', '*assets.Picture("hand_cursor.gif"), 0, 0);',
     "the hand pointer clicks with the top-left corner of its picture, not with the fingertip"),
    ("forms/form.h", "kTooltipDelayMs = 500;", "kTooltipDelayMs = 300;",
     "tooltips appear after 0.3 s instead of half a second"),
    ("forms/form.cpp", "    if (hover_ && !tooltipDone_) deadline = std::min(deadline, hoverSince_ + kTooltipDelayMs);\n", "",
     "over an idle window a tooltip waits for the next event instead of half a second"),
    ("app/about.cpp", 'FileUrl(platform.ProgramDir() + "/index.html")', 'FileUrl(platform.ProgramDir() + "/index.htm")',
     "the about text opens the wrong web page"),
    ("app/about.cpp", "pctAboutText2.Top = pctAboutText1.Height + pctAboutText1.Top;", "pctAboutText2.Top = pctAboutText1.Top;",
     "the about panel's close button covers its text"),
    ("app/about.cpp", "    ShowPanel();\n    Paused = false;", "    ShowPanel();",
     "the game stays frozen after the about panel closes"),
    ("app/about.cpp", "    Platform().OpenUrl(", "    if (false) Platform().OpenUrl(",
     "clicking the about text opens no web page"),
    # --- which picture a control shows (the golden frames) ---
    ("layout/frm_graphics.cpp", '"digit" + std::to_string(d) + ".gif"', '"digit" + std::to_string(d == 8 ? 9 : d) + ".gif"',
     "an 8 is drawn as a 9, on the score and on the high-score board"),
    ("layout/frm_graphics.cpp", 'Give(pctMug, assets, "mug_full.gif");\n    Give(pctEmptyMug, assets, "mug_empty.gif");',
     'Give(pctMug, assets, "mug_empty.gif");\n    Give(pctEmptyMug, assets, "mug_full.gif");',
     "the full and empty mugs are swapped"),
    ("layout/frm_graphics.cpp", 'Give(pctSoundOn, assets, "sound_on.gif");\n    Give(pctSoundOff, assets, "sound_off.gif");',
     'Give(pctSoundOn, assets, "sound_off.gif");\n    Give(pctSoundOff, assets, "sound_on.gif");',
     "the sound button shows its on face while sound is off, and the other way round"),
    ("layout/frm_graphics.cpp", 'Give(pctPause, assets, "pause.gif");\n    Give(pctPlay, assets, "play.gif");',
     'Give(pctPause, assets, "play.gif");\n    Give(pctPlay, assets, "pause.gif");',
     "the pause button shows play while the game runs, and pause while it is held"),
    ("layout/frm_graphics.cpp", '"obstacle_top.gif", "obstacle_middle.gif"', '"obstacle_middle.gif", "obstacle_top.gif"',
     "obstacle stacks have their top piece in the middle and a middle piece on top"),
    ("layout/frm_graphics.cpp", '"obstacle_bottom.gif", "obstacle_single.gif"', '"obstacle_bottom.gif", "obstacle_bottom.gif"',
     "a one-piece obstacle is drawn as the bottom of a stack"),
    ("layout/frm_graphics.cpp", 'Give(pctCursor, assets, "entry_cursor.gif");', 'Give(pctCursor, assets, "empty_letter.gif");',
     "no cursor shows where the next letter of a name goes"),
    ("layout/main_window.cpp", 'std::to_string(frame) + ".gif"', 'std::to_string(game::kRollFrames - 1 - frame) + ".gif"',
     "the cans roll the wrong way round"),
    # --- what a new game resets ---
    ("game/game_loop.cpp", "    Paused = false;\n    pctFocus.SetFocus();", "    pctFocus.SetFocus();",
     "a New Game clicked while paused starts a game that never moves"),
    ("game/game_loop.cpp", "    Lives = kLives;\n", "",
     "a second game starts without lives and is over at once"),
    ("game/game_loop.cpp", "Delay(TickDelay);", "Delay(kNewGameTickDelay);",
     "the wait between steps never shortens at the speed-up bands"),
    # --- dealing a board, at its edges ---
    ("game/board.cpp", "for (int col = 0; col <= kLastColumn; ++col) {\n        if (Rnd.Pick",
     "for (int col = 0; col < kLastColumn; ++col) {\n        if (Rnd.Pick",
     "the last column never gets an obstacle stack"),
    ("game/board.cpp", "Board[kFloorRow][col] = kObstacleSingle;", "Board[kFloorRow][col] = kObstacleBottom;",
     "a one-piece obstacle is the bottom piece of a stack"),
    # --- the board during name entry ---
    ("scores/high_scores.cpp", "if (!(entryMode && row == entryRow) && name.size() >= j)",
     "if (!entryMode && name.size() >= j)",
     "during a name entry the board shows no one else's name"),
    # --- the real program's platform layer (the real-window tests) ---
    ("platform/sdl/input.cpp", "        case SDLK_RETURN:\n        case SDLK_KP_ENTER:\n", "        case SDLK_RETURN:\n",
     "keypad Enter does not end a name entry"),
    ("platform/sdl/input.cpp", "return kKeyNumpad0 + 1 + (sym - SDLK_KP_1);", "return kKeyNumpad0 + (sym - SDLK_KP_1);",
     "keypad 1 types nothing in a name and keypad 2 types A"),
    ("platform/sdl/input.cpp", "return kKeyF1 + (sym - SDLK_F1);", "return kKeyF1 + 1 + (sym - SDLK_F1);",
     "each F-key types the next letter in a name (F1 Q for P), F11 nothing"),
    ("platform/sdl/input.cpp", "        case SDL_BUTTON_RIGHT:\n            return 2;", "        case SDL_BUTTON_RIGHT:\n            return 1;",
     "the right mouse button presses the buttons"),
    ("platform/sdl/input.cpp", "SDL_CreateColorCursor(view, handHotX_ * scale_, handHotY_ * scale_)", "SDL_CreateColorCursor(view, 0, 0)",
     "in the real window the hand pointer clicks with the top-left corner of its picture"),
    ("platform/sdl/input.cpp", "handHotX_ * scale_, handHotY_ * scale_", "handHotX_, handHotY_",
     "in a window at twice its size the hand pointer clicks above and left of its fingertip"),
    ("platform/sdl/video.cpp", "SDL_SetWindowTitle(window_, caption_.c_str());", 'SDL_SetWindowTitle(window_, "");',
     "the task bar shows the window without its title"),
    ("platform/sdl/sdl_platform.cpp", "{ SDL_OpenURL(url.c_str()); }", "{ (void)url; }",
     "the about text opens no browser"),
    ("platform/posix/system.cpp", 'return slash == std::string::npos ? std::string(".") : path.substr(0, slash);',
     'return slash == std::string::npos ? std::string(".") : std::string(".");',
     "started from another folder, the game looks for its own files in that folder"),
    # --- the browser build's settings reader (checked against the desktop's) ---
    ("platform/web/ini.cpp", "if (lineNumber == 1 && std::strncmp(", "if (std::strncmp(",
     "in the browser a settings line starting with a byte-order mark reads as on no desktop"),
    ("platform/web/ini.cpp", "!(afterBlank && std::strchr(", "!(std::strchr(",
     "in the browser a ';' inside a setting's value cuts the value short"),
]


def run(command, timeout):
    """Runs command quietly; True when it succeeds within timeout seconds."""
    try:
        return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout, check=False).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def run_tests(command):
    """Runs the tests; returns the names of the failed ones, ["(timeout)"] when they ran
    out of time, or an empty list when all passed."""
    try:
        timeout = WINDOW_TEST_TIMEOUT_S if command[0] == "ctest" else TEST_TIMEOUT_S
        result = subprocess.run(command, capture_output=True, text=True, errors="replace",
                                timeout=timeout, check=False)
    except subprocess.TimeoutExpired:
        return ["(timeout)"]
    # gtest's "[  FAILED  ] Suite.Test", or ctest's "  27 - window.play (Failed)"
    failed = sorted({line.split()[3] for line in result.stdout.splitlines()
                     if line.startswith("[  FAILED  ]") and "." in line.split()[3]} |
                    set(re.findall(r"\d+ - (\S+) \((?:Failed|Timeout)\)", result.stdout)))
    return failed or (["(crash)"] if result.returncode != 0 else [])


def run_all(commands):
    """Runs each test command in turn; the failures of the first that fails."""
    for command in commands:
        if failed := run_tests(command):
            return failed
    return []


def sync_tree(tree):
    """Makes tree an exact copy of the repository's files, rewriting only changed files
    so that the build folder stays valid."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            cwd=ROOT, capture_output=True, check=True).stdout.decode().split("\0")
    wanted = {name for name in listed if name and (ROOT / name).is_file()}
    for name in wanted:
        source, target = ROOT / name, tree / name
        data = source.read_bytes()
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            shutil.copymode(source, target)
    for path in sorted(tree.rglob("*"), reverse=True):
        if path.is_file() and path.relative_to(tree).as_posix() not in wanted:
            path.unlink()


def checks(path, build):
    """The build targets, and the test commands that check a mutant of path, run in
    turn until one fails."""
    headless = (str(build / "tests" / "frothwick_tests"),)
    def ctest(pattern, *more):
        return ("ctest", "--test-dir", str(build), "-R", pattern, *more)
    if path.startswith(("platform/sdl/", "platform/posix/system")):
        return ("frothwick", "sound_probe", "cursor_probe"), (ctest("^window[.]", "--stop-on-failure"),)
    if path.startswith("platform/posix/files"):
        # Links, file modes and a folder that takes no new file only a real window's
        # saves meet.
        return ("frothwick_tests", "frothwick"), (headless, ctest("^window[.]shared_file$"))
    if path.startswith("platform/web/ini"):
        return ("ini_echo_desktop", "ini_echo_web"), (ctest("^settings[.]web_reader$"),)
    return ("frothwick_tests",), (headless,)


def selected(words):
    return [m for m in MUTANTS
            if not words or any(w.lower() in (m[0] + " " + m[3]).lower() for w in words)]


def check_texts(mutants):
    """The mutants whose text is not found exactly once, with how often it is."""
    errors = []
    for path, text, _, what, *_ in mutants:
        found = (ROOT / "src" / path).read_text().count(text)
        if found != 1:
            errors.append(f"ERROR {path}: text found {found} times, not once ({what})")
    return errors


def main(words):
    mutants = selected(words)
    errors = check_texts(mutants)
    for error in errors:
        print(error, flush=True)
    mutants = [m for m in mutants if not any(m[3] in e for e in errors)]
    tree, build = SCRATCH / "tree", SCRATCH / "build"
    tree.mkdir(parents=True, exist_ok=True)
    sync_tree(tree)
    print(f"building the tests in {build} ...", flush=True)
    if not (build / "CMakeCache.txt").exists() and not run(
            ["cmake", "-S", str(tree), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
             "-DCMAKE_CXX_FLAGS_RELEASE=-O1", "-DFROTHWICK_BENCH=OFF"], BUILD_TIMEOUT_S):
        sys.exit("cmake failed")
    def build_target(targets):
        return ["cmake", "--build", str(build), "--target", *targets, "-j", str(os.cpu_count() or 2)]

    for targets, commands in {checks(m[0], build) for m in mutants}:
        if not run(build_target(targets), BUILD_TIMEOUT_S):
            sys.exit(f"{' '.join(targets)} does not build without a mutant; fix that first")
        if failed := run_all(commands):
            sys.exit(f"without a mutant these fail: {' '.join(failed)}; fix that first")

    killed, survivors, equivalent = 0, [], []
    counted = [m for m in mutants if len(m) == 4]
    for number, (path, text, replacement, what, *reason) in enumerate(mutants, 1):
        if reason:
            equivalent.append(f"{path}: {what} (equivalent: {reason[0]})")
            continue
        source = tree / "src" / path
        original = source.read_text()
        source.write_text(original.replace(text, replacement))
        targets, commands = checks(path, build)
        started = time.monotonic()
        try:
            if not run(build_target(targets), BUILD_TIMEOUT_S):
                errors.append(f"ERROR {path}: does not build ({what})")
                counted.remove((path, text, replacement, what))
                verdict = "does not build"
            elif not (failed := run_all(commands)):
                survivors.append(f"{path}: {what}")
                verdict = "SURVIVED"
            else:
                killed += 1
                verdict = "killed by " + " ".join(failed)
        finally:
            source.write_text(original)
        print(f"[{number}/{len(mutants)}] {path}: {what} ({time.monotonic() - started:.0f} s): "
              f"{verdict}", flush=True)

    print()
    for line in equivalent:
        print("not counted,", line)
    for line in survivors:
        print("SURVIVED", line)
    for error in errors:
        print(error)
    total = len(counted)
    print(f"killed {killed}/{total} ({100 * killed / max(total, 1):.0f} %)")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
