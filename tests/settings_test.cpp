// The settings file: what any file reads as, where it lives, and saves that fail.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "harness.h"
#include "scores/settings_store.h"

namespace {

using test::T;

// Shows the score board (it draws whatever the names hold), closes the game with the
// exit icon and returns the file saved.
std::string SavedAfter(test::Game& g) {
    g.Click(T + 5, g.form().pctScores);
    g.Click(T + 10, g.form().pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    return g.SettingsText();
}

TEST(Settings, EveryFileReadsAsFarAsItCanAndTheNextRunFindsWhatThisOneSaved) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // file, parts of the save
        {"", {"[Settings]\nHighScoreName1=\nHighScore1=0\nHighScoreName2=", "=0\nSound=OFF\n"}},
        {"[Settings]\r\nHighScoreName1=ANN\r\nHighScore1=300\r\nHighScoreName2 =  BOB  \r\n"
         "HighScore2 = 9999999\r\nSound=ON\r\nHighScore1=400\n[Other]\nHighScore3=5\n",
         {"\nHighScoreName1=ANN\nHighScore1=300\nHighScoreName2=BOB\nHighScore2=9999999\n",
          "\nHighScore3=0\n", "\nSound=ON\n[Other]\nHighScore3=5\n"}},
        // Names whole, as stored, less control characters; other keys kept.
        {"HighScore1=111\n[Settings]\nHighScoreName1=JOE BLOGGS\nHighScoreName2=R2D2\n"
         "HighScoreName3=A\x01 B\x7F\tC ;note\nWindowX=40\n",
         {"\nHighScoreName1=JOE BLOGGS\nHighScore1=0\nHighScoreName2=R2D2\n",
          "\nHighScoreName3=A BC\n", "\nSound=OFF\n[]\nHighScore1=111\n[Settings]\nWindowX=40\n"}},
        // Sound is on only for exactly ON; a score that is no decimal in range reads as 0.
        {"[Settings]\nSound=on\nHighScore1=0000042\nHighScore2=-5\nHighScore3=10000000\n"
         "HighScore4=12abc\nHighScore5=99999999999999999999\n",
         {"HighScore1=42\nHighScoreName2=\nHighScore2=0\nHighScoreName3=\nHighScore3=0\n",
          "HighScore4=0\nHighScoreName5=\nHighScore5=0\n", "Sound=OFF"}},
    };
    for (const auto& [file, parts] : cases) {
        test::Game g(1, file);
        const std::string saved = SavedAfter(g);
        for (const std::string& part : parts) EXPECT_TRUE(g.Saved(part));
        test::Game next(1, saved);
        EXPECT_EQ(SavedAfter(next), saved);
    }
}

TEST(Settings, LivesInTheConfigFolder) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    for (const std::string xdg :
         {"", "config", "./config", "unset"}) {  // empty or relative: ignored
        xdg == "unset" ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
        EXPECT_EQ(scores::SettingsStore("FrothwickPro").Path(),
                  "/home/someone/.config/FrothwickPro/settings.ini");
    }
    unsetenv("HOME");  // and XDG_CONFIG_HOME: the account's home
    EXPECT_EQ(scores::SettingsStore("FrothwickPro").Path(),
              std::string(getpwuid(getuid())->pw_dir) + "/.config/FrothwickPro/settings.ini");
    setenv("HOME", home.c_str(), 1);
}

TEST(Settings, AFailedSaveIsReportedAndLeavesTheOldFileIntact) {
    const std::string old = "[Settings]\nHighScoreName1=ANN\nHighScore1=300\nSound=ON\n";
    test::Game g(1, old);
    // A file size limit binds root too: writes beyond it fail as on a full disk.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tiny{200, before.rlim_max};  // room for the message, not the file
    setrlimit(RLIMIT_FSIZE, &tiny);
    testing::internal::CaptureStderr();
    const std::string saved = SavedAfter(g);
    const std::string message = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(saved, old);
    EXPECT_NE(message.find("not saved: cannot write " + g.home + "/FrothwickPro/settings.ini."),
              std::string::npos);
    EXPECT_NE(message.find(": File too large"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(g.home + "/FrothwickPro"), {}), 1);
}

// A save fails where a file stands in the place of the settings folder. The player is
// told at the first failure, not at the next ones, again after a save that succeeded,
// and not while the window closes.
TEST(Settings, AFailedSaveIsToldToThePlayerOnceUntilASaveSucceedsAgain) {
    test::Game g;
    const std::string folder = g.home + "/FrothwickPro";
    const auto blockFolder = [&] {
        std::filesystem::remove_all(folder);
        std::ofstream(folder) << "in the way";
    };
    blockFolder();
    for (const std::uint64_t ms : {T + 10, T + 20, T + 40, T + 60, T + 80})
        g.Click(ms, g.form().pctSound);  // each click saves the sound setting
    for (const std::uint64_t ms : {T + 30, T + 70})
        g.At(ms, [&] { std::filesystem::remove(folder); });
    for (const std::uint64_t ms : {T + 50, T + 85}) g.At(ms, blockFolder);
    g.Click(T + 90, g.form().pctExitIcon);
    testing::internal::CaptureStderr();
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    testing::internal::GetCapturedStderr();
    const auto& notices = g.platform.Notices();
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[0].find("high scores and the sound setting could not be saved:\ncannot "),
              std::string::npos);
}

// A session that ends closes its windows at once, and they save at the same moment:
// six windows, processes of their own, record a score each at once.
TEST(Settings, WindowsSavingAtOnceKeepEveryScore) {
    test::Game g;
    for (const std::int32_t score : {999, 998, 997, 996, 995, 994})
        if (fork() == 0) {
            g.form().Score = score;
            g.form().RecordScore();
            _exit(0);  // not through g's destructor, which would empty the folder
        }
    for (int status = 0; wait(&status) > 0;) EXPECT_EQ(status, 0);
    EXPECT_EQ(test::TableIn(g.SettingsText()), " 999| 998| 997| 996| 995| 994");
}

}  // namespace
