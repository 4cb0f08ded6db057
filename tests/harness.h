// Drives a whole game window on the headless platform: scripted input at virtual
// times, a private settings folder, and a way to run until the script is spent.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "platform/headless.h"
#include "platform/virtual_keys.h"

namespace test {

constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time

// A private folder, removed again with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// How a run ended.
enum class Ended { ScriptSpent, ProgramEnded };

class Game {
public:
    // Loads and shows the window with settings and program folder in a fresh temp
    // folder (XDG_CONFIG_HOME points there), then seeds the dice.
    explicit Game(std::uint64_t seed = 1, const std::string& settingsIni = "");

    platform::HeadlessPlatform platform;
    TempDir home;
    FrmMain& form() { return *form_; }
    std::uint64_t Now() { return platform.NowMs(); }

    // Runs the window until nothing more is scripted, or the program ends.
    Ended Run();

    // Scripted input at time ms (absolute, virtual).
    void Click(std::uint64_t ms, const forms::PictureBox& control, int button = 1);
    // A click aimed where the control stands just before ms (for boxes that move).
    void ClickPlaced(std::uint64_t ms, const forms::PictureBox& control) {
        At(ms - 1, [this, ms, &control] { Click(ms, control); });
    }
    void Send(std::uint64_t ms, platform::EventType type, int x = 0, int y = 0, int button = 0);
    // Clicks New Game now and returns the time of the click.
    std::uint64_t NewGame() {
        Click(Now(), form().pctNew);
        return Now();
    }
    void Key(std::uint64_t ms, int keyCode) { platform.KeyAt(ms, keyCode); }
    void At(std::uint64_t ms, std::function<void()> action) {
        platform.CallAt(ms, std::move(action));
    }

    // The settings file and what it holds now.
    std::string SettingsPath() const { return home.Path() + "/FrothwickPro/settings.ini"; }
    std::string SettingsText() const;

    // Pixel (x, y) of the last frame shown, 0xRRGGBB.
    std::uint32_t Pixel(int x, int y) const { return platform.PixelAt(x, y); }
    // True when the frame shows exactly the picture at (x, y) (transparent pixels skipped).
    bool FrameShows(const forms::Image& picture, int x, int y) const;
    // The seven score digits as the player reads them; '?' for a picture that is no digit.
    std::string ScoreShown();
    // True when mug i shows full for i < lives and empty after.
    bool MugsShow(int lives);

    // --- driving the game's procedures without the game loop ---
    // A running game on an empty, drawn board with no can in flight: all mugs full,
    // a new game's TickDelay, score 0.
    void StartOnEmptyBoard();
    // Fills the lowest rows of the board, the last string being the floor row, and draws
    // it: '.' empty, '1'..'9' a can code, 'T' 'M' 'B' 'S' the obstacle pieces.
    void SetBoard(std::initializer_list<const char*> rows);
    // The board's visible rows in SetBoard's letters, one line each.
    std::string BoardText();
    // A can of kind in flight at the top of column, as a spawned can after its first step.
    void PutFallingCan(int kind, int column);
    // Runs game steps until the falling can has landed; returns how many it took.
    int StepUntilLanded() {
        int steps = 0;
        for (; form().CanFalling && steps < 1000; ++steps) form().GameStep();
        return steps;
    }
    void SetSound(bool on) {
        form().pctSound.Picture =
            (on ? form().frmGraphics.pctSoundOn : form().frmGraphics.pctSoundOff).Picture;
    }
    // The rectangles copied onto the window while action runs, in order.
    std::vector<forms::Rect> CopiesDuring(const std::function<void()>& action);
    // Presents what was drawn, then tells whether the window shows sprite's picture at (x, y).
    bool Shows(const forms::PictureBox& sprite, int x, int y) {
        form().Present();
        return FrameShows(*sprite.Picture(), x, y);
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

// The text BoardText gives for a board holding rows (the last one row 15) and nothing else.
std::string BoardText(std::initializer_list<const char*> rows);

}  // namespace test
