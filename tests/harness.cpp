#include "harness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <span>
#include <sstream>
#include <stdexcept>

namespace test {

using namespace game;

const std::string kPieces = "TMBS";  // Field's letters of the obstacle pieces, top first

std::string Field(const std::string& rows) {
    std::string text;
    int count = 0;
    std::istringstream in(rows + '|');
    for (std::string line; std::getline(in, line, '|'); ++count) {
        const std::size_t wall = line.find('>'), cells = line.size() - (wall != line.npos);
        if (cells > kVisibleColumns || count == kVisibleRows)
            throw std::invalid_argument("Field: \"" + rows + "\" does not fit the playfield");
        if (wall != line.npos) line.replace(wall, 1, kVisibleColumns - cells, '.');
        text += line.append(kVisibleColumns - line.size(), '.') + '\n';
    }
    for (; count < kVisibleRows; ++count) text.insert(0, std::string(kVisibleColumns, '.') + '\n');
    return text;
}

std::string TableFile(const std::string& rows) {
    std::string text = "[Settings]\n", name;
    std::istringstream in(rows);
    for (int n = 1; std::getline(in, name, ' '); ++n) {
        std::string score;
        std::getline(in, score, '|');
        text += "HighScoreName" + std::to_string(n) + "=" + name + "\nHighScore" +
                std::to_string(n) + "=" + score + "\n";
    }
    return text;
}

std::string TableIn(const std::string& settings) {
    std::map<std::string, std::string> values;
    std::istringstream in(settings);
    for (std::string key, value; std::getline(in, key, '=') && std::getline(in, value);)
        values[key.substr(key.rfind('\n') + 1)] = value;
    std::string table;
    for (int n = 1; n <= kHighScoreRows; ++n)
        table += "|" + values["HighScoreName" + std::to_string(n)] + " " +
                 values["HighScore" + std::to_string(n)];
    while (table.ends_with("| 0")) table.resize(table.size() - 3);
    return table.substr(table.empty() ? 0 : 1);
}

// A new folder under the system's temporary folder.
static std::string MakeTempDir() {
    std::string path = (std::filesystem::temp_directory_path() / "frothwick-test-XXXXXX").string();
    if (!mkdtemp(path.data())) throw std::runtime_error("mkdtemp failed");
    return path;
}

Game::Game(std::uint64_t seed, const std::string& settingsIni) : home(MakeTempDir()) {
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    platform.SetProgramDir(home);
    if (!settingsIni.empty()) {
        std::filesystem::create_directories(home + "/FrothwickPro");
        std::ofstream(home + "/FrothwickPro/settings.ini", std::ios::binary) << settingsIni;
    }
    form_ = std::make_unique<FrmMain>(platform);
    form_->Form_Load();
    form_->Show();
    form_->Rnd.Seed(seed);
}

Game::~Game() {
    form_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
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
    At(ms - 1, [this, ms, &control, button] {
        const forms::Rect r = control.Bounds();
        platform.ClickAt(ms, r.x + r.w / 2, r.y + r.h / 2, button);
    });
}

void Game::Send(std::uint64_t ms, platform::EventType type, int x, int y, int button) {
    platform.At(ms, platform::Event{.type = type, .key = 0, .button = button, .x = x, .y = y});
}

void Game::Quit(std::uint64_t ms, std::int32_t score) {
    At(ms, [this, score] { form().Score = score; });
    Click(ms + 1, form().pctQuit);
}

std::string Game::SettingsText() const {
    std::ifstream in(home + "/FrothwickPro/settings.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

::testing::AssertionResult Game::Saved(const std::string& part) const {
    const std::string text = SettingsText();
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in\n" << text;
}

bool Game::Shows(const forms::PictureBox& sprite, int x, int y) {
    form().Present();
    const forms::Image& picture = *sprite.Picture();
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const std::uint32_t p =
                picture.pixels[static_cast<std::size_t>(py) * picture.width + px];
            if ((p >> 24) && (p & 0xFFFFFF) != platform.PixelAt(x + px, y + py)) return false;
        }
    return true;
}

std::string Game::ScoreShown() {
    std::string text(kScoreDigits, '?');
    for (int i = 0; i < kScoreDigits; ++i)
        for (int d = 0; d <= 9; ++d)
            if (form().pctScore[i].Picture() == form().frmGraphics.pctDigit[d].Picture())
                text[kScoreDigits - 1 - i] = static_cast<char>('0' + d);
    return text;
}

bool Game::MugsShow(int lives) {
    for (int i = 0; i < kLives; ++i)
        if (form().pctLives[i].Picture() !=
            (i < lives ? form().frmGraphics.pctMug : form().frmGraphics.pctEmptyMug).Picture())
            return false;
    return true;
}

void Game::StartOnEmptyBoard(int lives) {
    FrmMain& f = form();
    for (int i = 0; i < kLives; ++i)
        f.pctLives[i].Picture =
            (i < lives ? f.frmGraphics.pctMug : f.frmGraphics.pctEmptyMug).Picture;
    f.Lives = static_cast<std::int16_t>(lives);
    f.TickDelay = kNewGameTickDelay;
    f.GameOver = f.CanFalling = false;
    f.Score = 0;
    SetBoard("");
}

void Game::SetBoard(const std::string& rows) {
    static_assert(kCanKinds <= 9, "a can code is one digit in Field's rows");
    FrmMain& f = form();
    const std::string text = Field(rows);
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c) {
            const char cell =
                r <= kFloorRow && c <= kLastColumn ? text[r * (kVisibleColumns + 1) + c] : '.';
            const auto can = std::string(".123456789").find(cell), piece = kPieces.find(cell);
            if (can > kCanKinds && piece == std::string::npos)
                throw std::invalid_argument(std::string("Field: no cell is written ") + cell);
            f.Board[r][c] =
                static_cast<std::int16_t>(can <= kCanKinds ? can : kObstacleTop + piece);
            f.BoardFrame[r][c] = f.Board[r][c] < kObstacleTop ? f.Board[r][c] : std::int16_t{0};
        }
    f.DrawBoard();
}

std::string Game::BoardText() {
    std::string text;
    for (int r = 0; r <= kFloorRow; ++r, text += '\n')
        for (const int code : std::span(form().Board[r], kVisibleColumns))
            text += code >= kObstacleTop ? kPieces[code - kObstacleTop] : ".123456789"[code];
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

}  // namespace test
