// The settings file: what any file reads as, where it lives, and saves that fail.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <regex>

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

TEST(Settings, EveryFileReadsAsFarAsItCanAndTheNextSaveIsAValidTableInStoredOrder) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // file, parts of the save
        {"", {"[Settings]\nHighScoreName1=\nHighScore1=0\nHighScoreName2=", "=0\nSound=OFF\n"}},
        {"[Settings]\r\nHighScoreName1=ANN\r\nHighScore1=300\r\nHighScoreName2 =  BOB  \r\n"
         "HighScore2 = 9999999\r\nSound=ON\r\nHighScore1=400\n[Other]\nHighScore3=5\n",
         {"\nHighScoreName1=ANN\nHighScore1=300\nHighScoreName2=BOB\nHighScore2=9999999\n",
          "\nHighScore3=0\n", "\nSound=ON\n"}},
        {"[Settings]\nHighScoreName1=ABCDEFGHIJ\nHighScoreName2=bob\nHighScoreName3=J0E!\n",
         {"\nHighScoreName1=ABCDEFG\nHighScore1=0\nHighScoreName2=\n", "\nHighScoreName3=JE\n"}},
    };
    std::string table = "\\[Settings\\]\n";  // the game's keys only, every value valid
    for (int n = 1; n <= 10; ++n)
        table += "HighScoreName" + std::to_string(n) + "=[A-Z]{0,7}\nHighScore" +
                 std::to_string(n) + "=[0-9]{1,7}\n";
    for (const auto& [file, parts] : cases) {
        test::Game g(1, file);
        const std::string saved = SavedAfter(g);
        EXPECT_TRUE(std::regex_match(saved, std::regex(table + "Sound=(ON|OFF)\n"))) << saved;
        for (const std::string& part : parts) EXPECT_TRUE(g.Saved(part));
    }
}

TEST(Settings, ScoresThatAreNotDecimalsInRangeReadAsZeroAndSoundIsOnOnlyForExactlyOn) {
    for (const char* value : {"ON", "on", "On", "ONN", "1", ""}) {
        test::Game g(1, std::string("[Settings]\nSound=") + value + "\n");
        EXPECT_EQ(g.form().SoundOn(), value == std::string("ON")) << value;
    }
    for (const auto& [text, score] : {std::pair{"0000042", 42},
                                      {"9999999", 9'999'999},
                                      {"abc", 0},
                                      {"-5", 0},
                                      {"+7", 0},
                                      {"10000000", 0},
                                      {"12abc", 0},
                                      {"99999999999999999999", 0},
                                      {"5 000", 0},
                                      {"0x10", 0},
                                      {"1.5", 0},
                                      {"", 0}}) {
        test::Game g(1, std::string("[Settings]\nHighScore1=") + text + "\n");
        EXPECT_EQ(g.form().HighScores[1], score) << text;
    }
}

TEST(Settings, LivesInTheConfigFolderAndAPipeThereDoesNotHoldUpStartUp) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    for (const bool unset : {false, true}) {  // XDG_CONFIG_HOME empty, then unset
        unset ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", "", 1);
        EXPECT_EQ(scores::SettingsStore("FrothwickPro").Path(),
                  "/home/someone/.config/FrothwickPro/settings.ini");
    }
    setenv("HOME", home.c_str(), 1);
    test::TempDir config;
    std::filesystem::create_directories(config.Path() + "/FrothwickPro");
    ASSERT_EQ(mkfifo((config.Path() + "/FrothwickPro/settings.ini").c_str(), 0600), 0);
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    scores::SettingsStore store("FrothwickPro");
    store.Load();
    EXPECT_EQ(store.GetSetting("Settings", "Sound", "none"), "none");
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
    EXPECT_NE(message.find("not saved: cannot write the settings: File too large"),
              std::string::npos);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(g.home.Path() + "/FrothwickPro"), {}), 1);
}

}  // namespace
