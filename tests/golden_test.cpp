// Whole frames, compared pixel for pixel with the reference pictures in tests/golden/:
// the screens a player sees, each made from a fixed seed and scripted input. A frame
// that differs is written beside a picture of the differences, and both paths are
// printed. With FROTHWICK_GOLDEN=write the frames that differ become the new
// references (make golden); look at every changed one before committing it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "harness.h"

namespace {

using test::Game;

// PNG files are read and written by ImageMagick, which the real-window tests use too,
// as 8-bit RGB bytes, row by row; written without the chunks that change every time.
void WritePng(const std::string& path, const std::string& rgb, int w, int h) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const std::string size = std::to_string(w) + "x" + std::to_string(h), quoted = "'" + path + "'";
    const std::string options = " -depth 8 rgb:- -strip -define png:exclude-chunks=date,time";
    std::FILE* pipe = popen(("convert -size " + size + options + " PNG24:" + quoted).c_str(), "w");
    std::fwrite(rgb.data(), 1, rgb.size(), pipe);
    pclose(pipe);
}

std::string ReadPng(const std::string& path) {
    std::FILE* pipe = popen(("convert '" + path + "' -depth 8 rgb:- 2>/dev/null").c_str(), "r");
    std::string rgb;
    for (int c; (c = std::fgetc(pipe)) != EOF;) rgb += static_cast<char>(c);
    pclose(pipe);
    return rgb;
}

// Compares the last frame shown with tests/golden/<name>.png; in write mode a frame
// that differs replaces it.
::testing::AssertionResult MatchesReference(const Game& g, const std::string& name) {
    const int w = g.platform.FrameWidth(), h = g.platform.FrameHeight();
    std::string frame;
    for (const std::uint32_t p : g.platform.Frame())
        for (const int shift : {16, 8, 0}) frame += static_cast<char>(p >> shift);
    const std::string reference = std::string(GOLDEN_DIR) + "/" + name + ".png";
    const std::string expected = ReadPng(reference);
    std::string difference = frame;  // differing pixels red, the others dimmed
    int differing = 0;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const std::size_t pixel = i - i % 3;
        const bool same =
            expected.size() == frame.size() && expected.compare(pixel, 3, frame, pixel, 3) == 0;
        differing += !same && i == pixel;
        difference[i] =
            static_cast<char>(same ? static_cast<unsigned char>(frame[i]) / 4 : (i == pixel) * 255);
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    if (const char* mode = std::getenv("FROTHWICK_GOLDEN"); mode && std::string(mode) == "write") {
        WritePng(reference, frame, w, h);
        return ::testing::AssertionSuccess();
    }
    const std::string actual = std::string(GOLDEN_OUT) + "/" + name + ".actual.png",
                      diff = std::string(GOLDEN_OUT) + "/" + name + ".diff.png";
    WritePng(actual, frame, w, h);
    WritePng(diff, difference, w, h);
    return ::testing::AssertionFailure()
           << differing << " pixels differ from " << reference << "\n  the frame: " << actual
           << "\n  the differences in red: " << diff;
}

struct Scene {
    const char* name;
    std::uint64_t seed;
    std::string settings;
    std::function<void(Game&, FrmMain&)> script;
};

// The lowest board rows hold every can sprite: column c holds kind c % kCanKinds, and
// each run of kCanKinds columns takes the next roll frame, row after row from the top
// of the stock down. No six of a kind touch.
void StockEveryCan(FrmMain& f) {
    const int runs = game::kVisibleColumns / game::kCanKinds;  // of every kind, in one row
    const int top = game::kFloorRow + 1 - (game::kRollFrames + runs - 1) / runs;
    for (int kind = 0; kind < game::kCanKinds; ++kind)
        for (int frame = 0; frame < game::kRollFrames; ++frame) {
            const int row = top + frame / runs, c = frame % runs * game::kCanKinds + kind;
            f.Board[row][c] = static_cast<std::int16_t>(kind + 1);
            f.BoardFrame[row][c] = static_cast<std::int16_t>(frame);
        }
    f.DrawBoard();
}

const std::string kSoundOn = "[Settings]\nSound=ON\n";

// Seed 255 deals stacks of four, one (in the last column) and three; seed 6052 brings
// the cop at the first can. The high-score board shows every letter and digit, a name
// with characters it has no picture for, and an entry after a Backspace.
const Scene kScenes[] = {
    {"idle", 1, "", [](Game&, FrmMain&) {}},
    {"play", 255, kSoundOn,
     [](Game& g, FrmMain& f) {
         const std::uint64_t t0 = g.NewGame();
         g.Key(t0 + 2300, test::kKeyLeft);
         g.Key(t0 + 2400, test::kKeySpace);
         g.Click(t0 + 5000, f.pctAbout);  // the panel and the board come back after it
         g.Click(t0 + 5500, f.pctAboutText2);
         g.platform.StopAt(t0 + 9000);
     }},
    {"cans", 7, kSoundOn,
     [](Game& g, FrmMain& f) {
         f.FallStep = 7;  // as a game past the fastest wait leaves it
         const std::uint64_t t0 = g.NewGame();
         g.At(t0 + 2050, [&f] {  // then six steps of 7 pixels, each erasing the strip it left
             StockEveryCan(f);
             f.Score = 8901230;
             f.AddScore(4);
         });
         g.Click(t0 + 2600, f.pctAction);
         g.platform.StopAt(t0 + 3300);
     }},
    {"scores", 3,
     test::TableFile("ABCDEF 9876543|GHIJKL 8765432|MNOPQR 7654321|STUVWX 5432109|YZ "
                     "4321098|QUIZ 3210987|JAM 2109876|FOX 1098765") +
         "HighScoreName9=k0 QRSTU\nHighScore9=987654\n",
     [](Game& g, FrmMain& f) {
         f.Score = 6543210;
         std::uint64_t t = g.NewGame();
         for (const int key : {int{'F'}, int{'r'}, int{'X'}, test::kKeyBackspace})
             g.Key(t += 100, key);
         g.platform.StopAt(t + 100);
     }},
    {"cleared", 7, kSoundOn,
     [](Game& g, FrmMain& f) {
         const std::uint64_t t0 = g.NewGame();
         g.At(t0 + 2050, [&g, &f] {  // the can completes a wide block; five cans drop
             g.SetBoard("....6|..3.5|..4.2|..1.1|..111");
             f.CanKind = 0;
             f.CanX = f.ColumnX[3];
         });
         g.platform.StopAt(t0 + 8000);
     }},
    {"about", 1, "",
     [](Game& g, FrmMain& f) {
         g.Click(g.Now() + 10, f.pctAbout);
         g.platform.StopAt(g.Now() + 500);
     }},
    {"cop", 6052, "", [](Game& g, FrmMain&) { g.platform.StopAt(g.NewGame() + 3000); }},
    {"game_over", 255, "",
     [](Game& g, FrmMain& f) { g.At(g.NewGame() + 3000, [&f] { f.Score = 5670000; }); }},
};

TEST(GoldenFrames, EveryScreenLooksAsItsReference) {
    for (const Scene& scene : kScenes) {
        SCOPED_TRACE(scene.name);
        Game g(scene.seed, scene.settings);
        scene.script(g, g.form());
        EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
        EXPECT_TRUE(MatchesReference(g, scene.name));
    }
}

}  // namespace
