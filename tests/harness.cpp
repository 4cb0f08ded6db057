#include "harness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "frothwick-test-XXXXXX").string();
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
    const forms::Rect r{forms::ToPixels(control.Left), forms::ToPixels(control.Top), control.PixelWidth(),
                        control.PixelHeight()};
    platform.ClickAt(ms, r.x + r.w / 2, r.y + r.h / 2, button);
}

std::string Game::SettingsPath() const { return home.Path() + "/FrothwickPro/settings.ini"; }

std::string Game::SettingsText() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Game::FrameShows(const forms::Image& picture, int x, int y) const {
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const std::uint32_t p = picture.pixels[static_cast<std::size_t>(py) * picture.width + px];
            if ((p >> 24) && (p & 0xFFFFFF) != Pixel(x + px, y + py)) return false;
        }
    return true;
}

}  // namespace test
