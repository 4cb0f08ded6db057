// Drives a whole game window on the headless platform: scripted input at virtual
// times, a private settings folder, and a way to run until the script is spent.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "layout/geometry.h"
#include "platform/headless/headless.h"
#include "platform/virtual_keys.h"

namespace test {

constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time
using platform::kKeyBackspace, platform::kKeyDown, platform::kKeyEnter, platform::kKeyLeft;
using platform::kKeyRight, platform::kKeyShift, platform::kKeySpace, platform::kKeyUp;

// A settings file holding a high-score table of rows "NAME score" separated by '|',
// best first, and the table in a settings text written the same way (empty rows at
// the end left out).
std::string TableFile(const std::string& rows);
std::string TableIn(const std::string& settings);

// How a run ended.
enum class Ended { ScriptSpent, ProgramEnded };

// A playfield in rows separated by '|', the last one the floor row: '.' empty, '1'.. a
// can code (kind + 1), 'T' 'M' 'B' 'S' the obstacle pieces. A short row is padded with
// empty cells at its end, or where it has a '>': ">11" stands at the right wall. A row
// wider than the playfield, or more rows than it has, throw std::invalid_argument.
std::string Field(const std::string& rows);

class Game {
public:
    // Loads and shows the window with settings and program folder in a fresh temp
    // folder (XDG_CONFIG_HOME points there), then seeds the dice.
    explicit Game(std::uint64_t seed = 1, const std::string& settingsIni = "");
    ~Game();
    Game(const Game&) = delete;

    platform::HeadlessPlatform platform;
    const std::string home;  // a private folder, removed with everything in it
    FrmMain& form() { return *form_; }
    std::uint64_t Now() { return platform.NowMs(); }

    // Runs the window until nothing more is scripted, or the program ends.
    Ended Run();

    // Scripted input at time ms (absolute, virtual). Clicks aim at the control's
    // centre where it stands just before ms.
    void Click(std::uint64_t ms, const forms::PictureBox& control, int button = 1);
    void Send(std::uint64_t ms, platform::EventType type, int x = 0, int y = 0, int button = 0);
    void Key(std::uint64_t ms, int keyCode) { platform.KeyAt(ms, keyCode); }
    void At(std::uint64_t ms, std::function<void()> call) { platform.CallAt(ms, std::move(call)); }
    // Clicks New Game now and returns the time of the click.
    std::uint64_t NewGame() {
        Click(Now() + 1, form().pctNew);
        return Now() + 1;
    }
    // Gives the last game `score` at ms and presses Exit, which offers it to the table.
    void Quit(std::uint64_t ms, std::int32_t score);

    // The settings file as it stands now, and whether it holds part.
    std::string SettingsText() const;
    ::testing::AssertionResult Saved(const std::string& part) const;

    // Presents what was drawn, then tells whether the window shows sprite's picture at (x, y)
    // (its transparent pixels skipped).
    bool Shows(const forms::PictureBox& sprite, int x, int y);
    // The score's digits as the player reads them; '?' for a picture that is no digit.
    std::string ScoreShown();
    // True when mug i shows full for i < lives and empty after.
    bool MugsShow(int lives);

    // --- driving the game's procedures without the game loop ---
    // A running game on an empty, drawn board with no can in flight: lives and as
    // many full mugs, TickDelay 90, score 0.
    void StartOnEmptyBoard(int lives = 3);
    // Puts the rows on the board (see Field) and draws it. A can of code n shows roll
    // picture n, so a can that moves later can be told by its picture.
    void SetBoard(const std::string& rows);
    // The board's visible rows as Field writes them.
    std::string BoardText();
    // A can of kind in flight at the top of column, as a spawned can after its first step.
    void PutFallingCan(int kind, int column);
    // Runs game steps until the falling can has landed; returns how many it took.
    int StepUntilLanded() {
        int steps = 0;
        for (; form().CanFalling && steps < 1000; ++steps) form().GameStep();
        return steps;
    }

private:
    std::unique_ptr<FrmMain> form_;
};

// A test on a fresh game g (seed 1, no settings file) with f its window.
class GameTest : public ::testing::Test {
protected:
    Game g;
    FrmMain& f = g.form();
};

// The same on an empty board, as StartOnEmptyBoard leaves it.
class BoardTest : public GameTest {
protected:
    BoardTest() { g.StartOnEmptyBoard(); }
};

}  // namespace test
