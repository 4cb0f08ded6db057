// The window's own chrome (resize, drag, minimise) and every way of shutting down.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

#include "harness.h"

namespace {

using platform::EventType;
using test::T;
using Chrome = test::GameTest;

TEST_F(Chrome, BorderlessWheneverShownButNotWhileMinimisedAndFocusRepaintsThePlayfield) {
    EXPECT_EQ(f.BorderStyle, 0);
    EXPECT_EQ(g.platform.Caption(), "Frothwick");
    g.At(T + 5, [&] { f.BorderStyle = 1; });
    g.Send(T + 10, EventType::Minimized);
    g.At(T + 20, [&] { EXPECT_EQ(f.BorderStyle, 1); });
    g.Send(T + 30, EventType::Restored);
    g.At(T + 40, [&] { EXPECT_EQ(f.BorderStyle, 0); });
    const int x = f.ColumnX[3] + 5, y = f.RowY[7] + 5;
    g.At(T + 50, [&] { f.hDC()->FillRect({x, y, 4, 4}, 0x123456); });
    g.At(T + 60, [&] { EXPECT_EQ(g.Pixel(x, y), 0x123456u); });
    g.Send(T + 70, EventType::FocusGained);
    g.At(T + 80, [&] { EXPECT_EQ(g.Pixel(x, y), f.pctEmptyBeer.Pixels().At(5, 5) & 0xFFFFFF); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST_F(Chrome, AnyButtonOnTheBackgroundOrPlayfieldMovesTheWindow) {
    const int presses[][4] = {{10, 590, 420, 2},  // right button on the background
                              {20, 200, 200, 1},  // the playfield
                              {30, 150, 30, 4}};  // the logo: a control without a handler
    for (const auto& p : presses)
        for (const EventType type : {EventType::MouseDown, EventType::MouseUp})
            g.Send(T + p[0], type, p[1], p[2], p[3]);
    g.Click(T + 40, f.pctScores);
    g.At(T + 50, [&] {
        EXPECT_EQ(g.platform.DragCount(), 2);
        EXPECT_TRUE(f.pctScoreBoard.Visible);
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST_F(Chrome, MinimiseIconWithNoGameTogglesTheHiddenButton) {
    g.Click(T + 10, f.pctMinimizeIcon);
    g.At(T + 20, [&] {
        EXPECT_TRUE(!f.Paused && !f.pctAction.Visible && f.WindowState() == 1);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
        EXPECT_EQ(g.platform.MinimizeCount(), 1);
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

// Counts the saves of the settings file: each renames a new temporary file, of a name
// of its own, onto it. (Renames onto the same name would be merged into one event.)
int SavesDuring(test::Game& g, const std::function<void()>& action) {
    const std::string folder = g.home.Path() + "/FrothwickPro";
    std::filesystem::create_directories(folder);
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(fd, folder.c_str(), IN_MOVED_FROM);
    action();
    int saves = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->len && std::string(event->name).rfind("settings.ini.", 0) == 0) ++saves;
            p += sizeof(inotify_event) + event->len;
        }
    close(fd);
    return saves;
}

TEST(Shutdown, EveryWayOutSavesOnceUnloadsAndEndsAtOnce) {
    struct Case {
        const char* what;
        const char* settings;
        std::int32_t score;  // of the last game, set before the script
        std::function<void(test::Game&)> script;
        const char* saved;  // a part of the file saved
    };
    const auto quit = [](test::Game& g) { g.Click(T + 10, g.form().pctQuit); };
    const Case cases[] = {
        {"close request", "", 0,
         [](test::Game& g) {
             g.Send(T + 10, EventType::Close);
             g.Click(T + 10, g.form().pctScores);  // already pending: never handled
             g.At(T + 11, [&g] { EXPECT_FALSE(g.form().pctScoreBoard.Visible); });
         },
         "HighScore1=0\n"},
        {"exit icon: the score is not recorded", "", 900,
         [](test::Game& g) { g.Click(T + 10, g.form().pctExitIcon); },
         "HighScoreName1=\nHighScore1=0\n"},
        {"Exit button, score 0", "", 0, quit, "HighScore1=0\n"},
        {"Exit button, qualifying score: after the name", "", 900,
         [&](test::Game& g) {
             quit(g);
             g.At(T + 500, [&g] { EXPECT_TRUE(g.form().EnteringName); });
             g.Key(T + 600, 'Q');
             g.Key(T + 601, platform::kKeyEnter);
         },
         "HighScoreName1=Q\nHighScore1=900\n"},
        {"close during a game: the table as it stood",
         "[Settings]\nHighScoreName1=ANN\nHighScore1=1\n", 0,
         [](test::Game& g) {
             g.Click(T + 10, g.form().pctNew);
             g.At(T + 20'000, [&g] { EXPECT_GT(g.form().Score, 0); });
             g.Send(T + 20'000, EventType::Close);
         },
         "HighScoreName1=ANN\nHighScore1=1\nHighScoreName2=\nHighScore2=0\n"},
        {"close during name entry keeps the letters", "", 900,
         [&](test::Game& g) {
             quit(g);
             g.Key(T + 20, 'A');
             g.Key(T + 21, 'B');
             g.Send(T + 30, EventType::Close);
             g.Key(T + 30, 'C');  // pending behind the close
         },
         "HighScoreName1=AB\nHighScore1=900\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Game g(1, c.settings);
        g.At(T + 5, [&g, &c] { g.form().Score = c.score; });
        c.script(g);
        g.At(T + 30'000, [] { ADD_FAILURE() << "the program went on after it had ended"; });
        EXPECT_EQ(SavesDuring(g, [&g] { EXPECT_EQ(g.Run(), test::Ended::ProgramEnded); }), 1);
        EXPECT_FALSE(g.form().frmGraphics.Loaded());
        EXPECT_NE(g.SettingsText().find(c.saved), std::string::npos) << g.SettingsText();
    }
}

TEST_F(Chrome, ExitButtonInsideAPausedGameResetsTheGameState) {
    const std::uint64_t t0 = g.NewGame();
    g.Click(t0 + 2100, f.pctAction);
    g.At(t0 + 2200, [&] { f.TickDelay = 40; });
    g.Click(t0 + 2300, f.pctQuit);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_TRUE(!f.Paused && !f.GameOver && !f.CanFalling && !f.KeyBusy);
    EXPECT_EQ(f.TickDelay, game::kNewGameTickDelay);
}

}  // namespace
