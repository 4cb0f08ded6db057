#include "harness.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace test {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "frothwick-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Game::Game(std::uint64_t seed, const std::string& settingsIni) {
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    platform.SetProgramDir(home.Path());
    if (!settingsIni.empty()) {
        std::filesystem::create_directories(home.Path() + "/FrothwickPro");
        std::ofstream(SettingsPath(), std::ios::binary) << settingsIni;
    }
    form_ = std::make_unique<FrmMain>(platform);
    form_->Form_Load();
    form_->Show();
    form_->Rnd.Seed(seed);
}

Ended Game::Run() {
    try {
        form_->Run();
    } catch (const platform::ScriptEnded&) {
        return Ended::ScriptSpent;
    } catch (const forms::ProgramEnd&) {
        return Ended::ProgramEnded;
    }
}

void Game::Click(std::uint64_t ms, const forms::PictureBox& control, int button) {
    const forms::Rect r{forms::ToPixels(control.Left), forms::ToPixels(control.Top),
                        control.PixelWidth(), control.PixelHeight()};
    platform.ClickAt(ms, r.x + r.w / 2, r.y + r.h / 2, button);
}

void Game::Send(std::uint64_t ms, platform::EventType type, int x, int y, int button) {
    platform.At(ms, platform::Event{.type = type, .key = 0, .button = button, .x = x, .y = y});
}

std::string Game::ScoreShown() {
    std::string text;
    for (int i = game::kScoreDigits - 1; i >= 0; --i) {
        char shown = '?';
        for (int d = 0; d <= 9; ++d)
            if (form().pctScore[i].Picture() == form().frmGraphics.pctDigit[d].Picture())
                shown = static_cast<char>('0' + d);
        text += shown;
    }
    return text;
}

bool Game::MugsShow(int lives) {
    for (int i = 0; i < game::kLives; ++i)
        if (form().pctLives[i].Picture() !=
            (i < lives ? form().frmGraphics.pctMug : form().frmGraphics.pctEmptyMug).Picture())
            return false;
    return true;
}

std::string Game::SettingsText() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Game::FrameShows(const forms::Image& picture, int x, int y) const {
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const std::uint32_t p =
                picture.pixels[static_cast<std::size_t>(py) * picture.width + px];
            if ((p >> 24) && (p & 0xFFFFFF) != Pixel(x + px, y + py)) return false;
        }
    return true;
}

void Game::StartOnEmptyBoard() {
    FrmMain& f = form();
    for (forms::PictureBox& mug : f.pctLives) mug.Picture = f.frmGraphics.pctMug.Picture;
    f.Lives = game::kLives;
    f.TickDelay = game::kNewGameTickDelay;
    f.GameOver = false;
    f.CanFalling = false;
    f.Score = 0;
    SetBoard({});
}

void Game::SetBoard(std::initializer_list<const char*> rows) {
    FrmMain& f = form();
    for (auto& row : f.Board) std::fill(std::begin(row), std::end(row), game::kEmptyCell);
    for (auto& row : f.BoardFrame) std::fill(std::begin(row), std::end(row), 0);
    int r = game::kFloorRow + 1 - static_cast<int>(rows.size());
    for (const char* text : rows) {
        for (int c = 0; c <= game::kLastColumn && text[c]; ++c) {
            const char cell = text[c];
            const auto obstacle = std::string("TMBS").find(cell);
            f.Board[r][c] = static_cast<std::int16_t>(cell == '.' ? game::kEmptyCell
                                                      : obstacle != std::string::npos
                                                          ? game::kObstacleTop + obstacle
                                                          : cell - '0');
        }
        ++r;
    }
    f.DrawBoard();
}

std::string Game::BoardText() {
    std::string text;
    for (int r = 0; r <= game::kFloorRow; ++r) {
        for (int c = 0; c <= game::kLastColumn; ++c) {
            const int code = form().Board[r][c];
            text += code >= game::kObstacleTop && code <= game::kObstacleSingle
                        ? "TMBS"[code - game::kObstacleTop]
                    : code == game::kEmptyCell ? '.'
                    : code <= 9 && code > 0    ? char('0' + code)
                                               : '?';
        }
        text += '\n';
    }
    return text;
}

std::string BoardText(std::initializer_list<const char*> rows) {
    std::string text;
    for (std::size_t r = rows.size(); r < game::kVisibleRows; ++r)
        text += std::string(game::kVisibleColumns, '.') + '\n';
    for (const char* row : rows) text += std::string(row) + '\n';
    return text;
}

void Game::PutFallingCan(int kind, int column) {
    FrmMain& f = form();
    f.CanKind = kind;
    f.CanFrame = 0;
    f.CanX = f.ColumnX[column];
    f.CanY = f.RowY[0];
    f.CanFalling = true;
}

std::vector<forms::Rect> Game::CopiesDuring(const std::function<void()>& action) {
    forms::Surface& window = *form().hDC();
    const auto shown = window.onChange;
    std::vector<forms::Rect> copies;
    window.onChange = [&](const forms::Rect& r) {
        copies.push_back(r);
        shown(r);
    };
    action();
    window.onChange = shown;
    return copies;
}

}  // namespace test
