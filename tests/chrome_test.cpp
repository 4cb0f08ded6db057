// The window's own chrome (resize, drag, minimise) and every way of shutting down.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

#include "harness.h"

namespace {

using platform::EventType;

constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time

platform::Event Raw(EventType type, int x = 0, int y = 0, int button = 0) {
    platform::Event event;
    event.type = type;
    event.x = x;
    event.y = y;
    event.button = button;
    return event;
}

// Counts the saves of the settings file: each renames a new temporary file, of a name
// of its own, onto it. (Renames onto the same name would be merged into one event.)
class SaveCounter {
public:
    explicit SaveCounter(test::Game& g) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        const std::string folder = g.home.Path() + "/FrothwickPro";
        std::filesystem::create_directories(folder);
        inotify_add_watch(fd_, folder.c_str(), IN_MOVED_FROM);
    }
    ~SaveCounter() { close(fd_); }
    int Saves() {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;)
            for (char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->len && std::string(event->name).rfind("settings.ini.", 0) == 0) ++saves_;
                p += sizeof(inotify_event) + event->len;
            }
        return saves_;
    }

private:
    int fd_;
    int saves_ = 0;
};

// Runs the script and checks that the program ended, having saved once and unloaded
// the sprites, and that nothing scripted for `later` ran.
void ExpectEndSavingOnce(test::Game& g, std::uint64_t later) {
    SaveCounter counter(g);
    g.At(later, [] { ADD_FAILURE() << "the program went on after it had ended"; });
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    EXPECT_EQ(counter.Saves(), 1);
    EXPECT_FALSE(g.form().frmGraphics.Loaded());
}

TEST(Chrome, BorderlessWheneverShownButNotWhileMinimised) {
    test::Game g;
    FrmMain& f = g.form();
    EXPECT_EQ(f.BorderStyle, 0);
    EXPECT_EQ(g.platform.Caption(), "Frothwick");
    g.At(T + 5, [&] { f.BorderStyle = 1; });
    g.platform.At(T + 10, Raw(EventType::Minimized));
    g.At(T + 20, [&] { EXPECT_EQ(f.BorderStyle, 1); });
    g.platform.At(T + 30, Raw(EventType::Restored));
    g.At(T + 40, [&] {
        EXPECT_EQ(f.BorderStyle, 0);
        EXPECT_EQ(f.Caption(), "Frothwick");
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(Chrome, FocusRepaintsThePlayfield) {
    test::Game g;
    FrmMain& f = g.form();
    const int x = f.ColumnX[3] + 5, y = f.RowY[7] + 5;
    g.At(T + 10, [&] { f.hDC()->FillRect({x, y, 4, 4}, 0x123456); });
    g.At(T + 20, [&] { EXPECT_EQ(g.Pixel(x, y), 0x123456u); });
    g.platform.At(T + 30, Raw(EventType::FocusGained));
    g.At(T + 40, [&] { EXPECT_EQ(g.Pixel(x, y), f.pctEmptyBeer.Pixels().At(5, 5) & 0xFFFFFF); });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(Chrome, AnyButtonOnTheBackgroundOrPlayfieldMovesTheWindow) {
    test::Game g;
    FrmMain& f = g.form();
    const auto press = [&](std::uint64_t ms, int x, int y, int button) {
        g.platform.At(ms, Raw(EventType::MouseDown, x, y, button));
        g.platform.At(ms, Raw(EventType::MouseUp, x, y, button));
    };
    press(T + 10, 590, 420, 2);  // right button on the background
    press(T + 20, 200, 200, 1);  // the playfield
    press(T + 30, 150, 30, 4);   // the logo: a control without a handler
    g.Click(T + 40, f.pctScores);
    g.At(T + 50, [&] {
        EXPECT_EQ(g.platform.DragCount(), 2);
        EXPECT_TRUE(f.pctScoreBoard.Visible);
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(Chrome, MinimiseIconPausesARunningGameUntilPlayIsClicked) {
    test::Game g;
    FrmMain& f = g.form();
    std::int32_t canY = 0;
    g.Click(T + 10, f.pctNew);
    g.Click(T + 3000, f.pctMinimizeIcon);
    g.At(T + 3010, [&] {
        EXPECT_TRUE(f.Paused);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPlay.Picture());
        EXPECT_EQ(f.pctAction.ToolTipText(), "Play");
        EXPECT_EQ(f.WindowState(), 1);
        EXPECT_EQ(g.platform.MinimizeCount(), 1);
        canY = f.CanY;
    });
    g.platform.At(T + 4000, Raw(EventType::Restored));
    g.At(T + 5000, [&] {
        EXPECT_TRUE(f.Paused);
        EXPECT_EQ(f.CanY, canY);
    });
    g.Click(T + 5100, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

TEST(Chrome, MinimiseIconWhilePausedResumesTheGame) {
    test::Game g;
    FrmMain& f = g.form();
    std::int32_t canY = 0;
    g.Click(T + 10, f.pctNew);
    g.Click(T + 3000, f.pctAction);
    g.Click(T + 3100, f.pctMinimizeIcon);
    g.At(T + 3110, [&] {
        EXPECT_FALSE(f.Paused);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
        EXPECT_EQ(f.pctAction.ToolTipText(), "Pause");
        canY = f.CanY;
    });
    g.At(T + 4000, [&] { EXPECT_NE(f.CanY, canY); });  // falls on while minimised
    g.Click(T + 4100, f.pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
}

TEST(Chrome, MinimiseIconWithNoGameTogglesTheHiddenButton) {
    test::Game g;
    FrmMain& f = g.form();
    g.Click(T + 10, f.pctMinimizeIcon);
    g.At(T + 20, [&] {
        EXPECT_FALSE(f.Paused);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
        EXPECT_FALSE(f.pctAction.Visible);
        EXPECT_EQ(f.WindowState(), 1);
    });
    EXPECT_EQ(g.Run(), test::Ended::ScriptSpent);
}

TEST(Shutdown, CloseRequestSavesOnceAndEnds) {
    test::Game g;
    g.platform.At(T + 10, Raw(EventType::Close));
    g.Click(T + 10, g.form().pctScores);  // already pending: never handled
    ExpectEndSavingOnce(g, T + 20);
    EXPECT_FALSE(g.form().pctScoreBoard.Visible);
}

TEST(Shutdown, ExitIconDoesNotRecordTheScore) {
    test::Game g;
    g.At(T + 5, [&] { g.form().Score = 900; });
    g.Click(T + 10, g.form().pctExitIcon);
    ExpectEndSavingOnce(g, T + 20);
    EXPECT_NE(g.SettingsText().find("HighScore1=0\n"), std::string::npos);
}

TEST(Shutdown, ExitButtonWithAZeroScoreEndsAtOnce) {
    test::Game g;
    g.Click(T + 10, g.form().pctQuit);
    ExpectEndSavingOnce(g, T + 20);
}

TEST(Shutdown, ExitButtonWithAQualifyingScoreEndsAfterTheName) {
    test::Game g;
    g.At(T + 5, [&] { g.form().Score = 900; });
    g.Click(T + 10, g.form().pctQuit);
    g.At(T + 500, [&] { EXPECT_TRUE(g.form().EnteringName); });
    g.Key(T + 600, 'Q');
    g.Key(T + 601, 13);
    ExpectEndSavingOnce(g, T + 700);
    EXPECT_NE(g.SettingsText().find("HighScoreName1=Q\nHighScore1=900\n"), std::string::npos);
}

TEST(Shutdown, CloseDuringAGameSavesTheTableAsItStood) {
    test::Game g(1, "[Settings]\nHighScoreName1=ANN\nHighScore1=1\n");
    g.Click(T + 10, g.form().pctNew);
    g.At(T + 20'000, [&] { EXPECT_GT(g.form().Score, 0); });
    g.platform.At(T + 20'000, Raw(EventType::Close));
    ExpectEndSavingOnce(g, T + 20'100);
    EXPECT_NE(g.SettingsText().find("HighScoreName1=ANN\nHighScore1=1\nHighScoreName2=\nHighScore2=0\n"),
              std::string::npos);
}

TEST(Shutdown, CloseDuringNameEntryKeepsTheLettersTyped) {
    test::Game g;
    g.At(T + 5, [&] { g.form().Score = 900; });
    g.Click(T + 10, g.form().pctQuit);
    g.Key(T + 20, 'A');
    g.Key(T + 21, 'B');
    g.platform.At(T + 30, Raw(EventType::Close));
    g.Key(T + 30, 'C');  // pending behind the close
    ExpectEndSavingOnce(g, T + 40);
    EXPECT_NE(g.SettingsText().find("HighScoreName1=AB\nHighScore1=900\n"), std::string::npos);
}

}  // namespace
