// Whole frames, compared pixel for pixel with the reference pictures in tests/golden/:
// the screens a player sees, each made from a fixed seed and scripted input. A frame
// that differs is written beside a picture of the differences, and both paths are
// printed. With FROTHWICK_GOLDEN=write the frames become the new references (make
// golden); look at every changed one before committing it.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "harness.h"

namespace {

using test::Game;

// ----- PNG, as make golden writes it: 8-bit RGB, one zlib stream, no row filters -----
constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";

void Put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift);
}

std::uint32_t Get32(const std::string& in, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = at; i < at + 4; ++i) v = v << 8 | static_cast<unsigned char>(in.at(i));
    return v;
}

std::string Header(int w, int h) {
    std::string header;
    Put32(header, static_cast<std::uint32_t>(w));
    Put32(header, static_cast<std::uint32_t>(h));
    return header + std::string("\x08\x02\x00\x00\x00", 5);
}

void WritePng(const std::string& path, const std::vector<std::uint32_t>& pixels, int w, int h) {
    std::string rows;
    for (int y = 0; y < h; ++y) {
        rows += '\0';
        for (int x = 0; x < w; ++x)
            for (int shift : {16, 8, 0}) rows += static_cast<char>(pixels[y * w + x] >> shift);
    }
    uLongf size = compressBound(rows.size());
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(rows.data()), rows.size(), 9);
    packed.resize(size);
    std::string png(kSignature, 8);
    for (const auto& [type, data] : {std::pair<std::string, std::string>{"IHDR", Header(w, h)},
                                     {"IDAT", packed},
                                     {"IEND", ""}}) {
        Put32(png, static_cast<std::uint32_t>(data.size()));
        const std::string body = type + data;
        png += body;
        Put32(png, crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size()));
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << png;
}

// The pixels (0xRRGGBB) of a w × h picture written by WritePng; empty for anything else.
std::vector<std::uint32_t> ReadPng(const std::string& path, int w, int h) {
    std::stringstream file;
    file << std::ifstream(path, std::ios::binary).rdbuf();
    const std::string png = file.str();
    std::string header, packed;
    for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + Get32(png, at)) {
        const std::string type = png.substr(at + 4, 4), data = png.substr(at + 8, Get32(png, at));
        if (type == "IHDR") header = data;
        if (type == "IDAT") packed += data;
    }
    const std::size_t stride = 3 * static_cast<std::size_t>(w) + 1;
    std::string rows(stride * h, '\0');
    uLongf size = rows.size();
    if (png.compare(0, 8, kSignature, 8) != 0 || header != Header(w, h) ||
        uncompress(reinterpret_cast<Bytef*>(rows.data()), &size,
                   reinterpret_cast<const Bytef*>(packed.data()), packed.size()) != Z_OK ||
        size != rows.size())
        return {};
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < h; ++y) {
        if (rows[y * stride] != 0) return {};
        for (int x = 0; x < w; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(&rows[y * stride + 1 + 3 * x]);
            pixels.push_back(static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
        }
    }
    return pixels;
}

// Compares the last frame shown with tests/golden/<name>.png, or writes it there.
::testing::AssertionResult MatchesReference(const Game& g, const std::string& name) {
    const int w = g.platform.FrameWidth(), h = g.platform.FrameHeight();
    std::vector<std::uint32_t> frame = g.platform.Frame();
    for (std::uint32_t& p : frame) p &= 0xFFFFFF;
    const std::string reference = std::string(GOLDEN_DIR) + "/" + name + ".png";
    if (const char* mode = std::getenv("FROTHWICK_GOLDEN"); mode && std::string(mode) == "write") {
        WritePng(reference, frame, w, h);
        return ::testing::AssertionSuccess();
    }
    const std::vector<std::uint32_t> expected = ReadPng(reference, w, h);
    std::vector<std::uint32_t> difference(frame.size());
    int differing = 0;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const bool same = i < expected.size() && expected[i] == frame[i];
        differing += !same;
        difference[i] = same ? (frame[i] >> 2) & 0x3F3F3F : 0xFF0000;  // dimmed, or red
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    const std::string actual = std::string(GOLDEN_OUT) + "/" + name + ".actual.png",
                      diff = std::string(GOLDEN_OUT) + "/" + name + ".diff.png";
    WritePng(actual, frame, w, h);
    WritePng(diff, difference, w, h);
    return ::testing::AssertionFailure()
           << differing << " pixels differ from " << reference
           << (expected.empty() ? " (missing or not written by make golden)" : "")
           << "\n  the frame: " << actual << "\n  the differences in red: " << diff;
}

struct Scene {
    const char* name;
    std::uint64_t seed;
    std::string settings;
    std::function<void(Game&, FrmMain&)> script;
};

// Board rows 12..15 hold every can sprite: column c holds kind c % 6, and row 12 + i
// the roll frames 2i (columns 0..5) and 2i + 1 (columns 6..11). No six of a kind touch.
void StockEveryCan(FrmMain& f) {
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c <= game::kLastColumn; ++c) {
            f.Board[12 + i][c] = static_cast<std::int16_t>(c % 6 + 1);
            f.BoardFrame[12 + i][c] = static_cast<std::int16_t>(2 * i + c / 6);
        }
    f.DrawBoard();
}

const std::string kSoundOn = "[Settings]\nSound=ON\n";

// Seed 255 deals stacks of four, one (in the last column) and three; seed 6052 brings
// the cop at the first can.
const Scene kScenes[] = {
    {"idle", 1, "", [](Game&, FrmMain&) {}},
    {"play", 255, kSoundOn,
     [](Game& g, FrmMain&) {
         const std::uint64_t t0 = g.NewGame();
         g.Key(t0 + 2300, test::kKeyLeft);
         g.Key(t0 + 2400, test::kKeySpace);
         g.platform.StopAt(t0 + 9000);
     }},
    {"cans", 7, kSoundOn,
     [](Game& g, FrmMain& f) {
         const std::uint64_t t0 = g.NewGame();
         g.At(t0 + 2500, [&f] {
             StockEveryCan(f);
             f.Score = 8901230;
             f.AddScore(4);
         });
         g.Click(t0 + 2600, f.pctAction);
         g.platform.StopAt(t0 + 3300);
     }},
    {"scores", 3,
     test::TableFile("ABCDEF 9876543|GHIJKL 8765432|MNOPQR 7654321|STUVWX 5432109|YZ "
                     "4321098|QUIZ 3210987|JAM 2109876|FOX 1098765|VEX 987654"),
     [](Game& g, FrmMain& f) {
         f.Score = 6543210;
         const std::uint64_t t0 = g.NewGame();
         g.Key(t0 + 100, 'F');
         g.Key(t0 + 200, 'r');
         g.platform.StopAt(t0 + 300);
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
