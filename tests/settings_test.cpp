// The settings store and the table and sound setting it keeps between runs: round
// trips, hostile files, and saves that fail.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cctype>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "harness.h"
#include "scores/settings_store.h"

namespace {

constexpr std::uint64_t T = 1'000'000;  // ms, the start of virtual time

// The file a save writes for an empty table with sound off.
std::string EmptyTableText() {
    std::string text = "[Settings]\n";
    for (int n = 1; n <= 10; ++n)
        text += "HighScoreName" + std::to_string(n) + "=\nHighScore" + std::to_string(n) + "=0\n";
    return text + "Sound=OFF\n";
}

// Starts the game on the given settings file and closes it with the exit icon.
std::string SavedAfter(test::Game& g) {
    g.Click(T + 10, g.form().pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    return g.SettingsText();
}

TEST(SettingsStore, RoundTripKeepsOrderAndFindsKeysInAnyCase) {
    test::TempDir home;
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    scores::SettingsStore store("App");
    store.SaveSetting("Settings", "Name", "BOB");
    store.SaveSetting("Settings", "Score", "12");
    store.SaveSetting("settings", "name", "ANN");  // the same key again
    std::string error;
    ASSERT_TRUE(store.Save(error)) << error;

    std::ifstream in(home.Path() + "/App/settings.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[Settings]\nName=ANN\nScore=12\n");
    scores::SettingsStore again("App");
    again.Load();
    EXPECT_EQ(again.GetSetting("SETTINGS", "score"), "12");
    EXPECT_EQ(again.GetSetting("Settings", "Missing", "dflt"), "dflt");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.Path() + "/App"), {}), 1);
}

TEST(SettingsStore, LivesUnderHomeConfigWhenXdgIsEmptyOrUnset) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(scores::SettingsStore("FrothwickPro").Path(), "/home/someone/.config/FrothwickPro/settings.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(scores::SettingsStore("FrothwickPro").Path(), "/home/someone/.config/FrothwickPro/settings.ini");
    setenv("HOME", home.c_str(), 1);
}

TEST(Settings, FirstRunGivesEmptyTableAndSoundOffAndSavesThem) {
    test::Game g;
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(g.form().HighNames[n], "");
        EXPECT_EQ(g.form().HighScores[n], 0);
    }
    EXPECT_FALSE(g.form().SoundOn());
    EXPECT_EQ(SavedAfter(g), EmptyTableText());
}

TEST(Settings, TableAndSoundRoundTripInStoredOrder) {
    // Not sorted, CRLF line ends, blanks around names and values.
    test::Game g(1,
                 "[Settings]\r\nHighScoreName1=ANN\r\nHighScore1=300\r\n"
                 "HighScoreName2 =  BOB  \r\nHighScore2 = 9999999\r\nSound=ON\r\n");
    EXPECT_EQ(g.form().HighNames[1], "ANN");
    EXPECT_EQ(g.form().HighScores[1], 300);
    EXPECT_EQ(g.form().HighNames[2], "BOB");
    EXPECT_EQ(g.form().HighScores[2], 9'999'999);
    EXPECT_TRUE(g.form().SoundOn());
    std::string expected = EmptyTableText();
    expected.replace(expected.find("HighScoreName1=\nHighScore1=0"), 28, "HighScoreName1=ANN\nHighScore1=300");
    expected.replace(expected.find("HighScoreName2=\nHighScore2=0"), 28, "HighScoreName2=BOB\nHighScore2=9999999");
    expected.replace(expected.find("OFF"), 3, "ON");
    EXPECT_EQ(SavedAfter(g), expected);
}

TEST(Settings, ScoresThatAreNotDecimalsInRangeReadAsZeroAndSoundIsOnOnlyForExactlyOn) {
    for (const char* value : {"on", "On", "ONN", "1", ""}) {
        test::Game g(1, std::string("[Settings]\nSound=") + value + "\n");
        EXPECT_FALSE(g.form().SoundOn()) << value;
    }
    const std::pair<const char*, std::int32_t> cases[] = {
        {"abc", 0}, {"-5", 0}, {"+7", 0}, {"10000000", 0}, {"99999999999999999999", 0}, {"12abc", 0},
        {"5 000", 0}, {"0x10", 0}, {"1.5", 0}, {"", 0}, {"0000042", 42}, {"9999999", 9'999'999}};
    for (const auto& [text, score] : cases) {
        test::Game g(1, std::string("[Settings]\nHighScore1=") + text + "\n");
        EXPECT_EQ(g.form().HighScores[1], score) << text;
    }
}

TEST(Settings, NamesKeepSevenCharactersAndSaveOnlyTheirLetters) {
    test::Game g(1,
                 "[Settings]\nHighScoreName1=ABCDEFGHIJ\nHighScoreName2=bob\nHighScoreName3=J0E!\n"
                 "HighScoreName4=\xC3\x89MILE\n");
    EXPECT_EQ(g.form().HighNames[1], "ABCDEFG");
    EXPECT_EQ(g.form().HighNames[2], "bob");
    const std::string saved = SavedAfter(g);
    EXPECT_NE(saved.find("HighScoreName1=ABCDEFG\n"), std::string::npos);
    EXPECT_NE(saved.find("HighScoreName2=\n"), std::string::npos);
    EXPECT_NE(saved.find("HighScoreName3=JE\n"), std::string::npos);
    EXPECT_NE(saved.find("HighScoreName4=MILE\n"), std::string::npos);
}

TEST(Settings, FirstOfDuplicateKeysCountsAndOtherSectionsAreIgnored) {
    test::Game g(1,
                 "HighScore1=111\n[Other]\nHighScore1=222\n[settings]\nhighscore1=333\nHighScore1=444\n"
                 "HighScoreName1=ANN\n  continued\n[Settings]\nHighScore1=555\n");
    EXPECT_EQ(g.form().HighScores[1], 333);
    EXPECT_EQ(g.form().HighNames[1], "ANN");
    // The next save writes the game's keys only.
    const std::string saved = SavedAfter(g);
    EXPECT_EQ(saved.find("Other"), std::string::npos);
    EXPECT_EQ(saved.find("111"), std::string::npos);
}

TEST(Settings, BinaryGarbageStartsTheGameAndTheNextSaveIsValid) {
    std::mt19937 dice(7);
    std::string garbage = "[Settings]\nHighScore1=77\n";
    for (int i = 0; i < 100'000; ++i) garbage += static_cast<char>(dice());
    garbage += "\n[Settings]\nHighScoreName1=\x01\xFF\x7F[\n";
    test::Game g(1, garbage);
    EXPECT_EQ(g.form().HighScores[1], 77);
    g.Click(T + 5, g.form().pctScores);  // the board draws whatever the names hold
    const std::string saved = SavedAfter(g);
    std::istringstream lines(saved);
    std::string line;
    int keys = 0;
    while (std::getline(lines, line)) {
        if (line == "[Settings]") continue;
        ++keys;
        const std::string value = line.substr(line.find('=') + 1);
        const bool score = line.rfind("HighScore", 0) == 0 && line.rfind("HighScoreName", 0) != 0;
        for (const unsigned char c : value) EXPECT_TRUE(score ? std::isdigit(c) : std::isupper(c)) << line;
    }
    EXPECT_EQ(keys, 21);
}

TEST(Settings, HugeFileIsReadOnlyAtItsHead) {
    std::string text = "[Settings]\nHighScore1=1\n";
    text += std::string(30 << 20, 'x');
    text += "\nHighScore2=2\n";  // beyond what a settings file can be
    test::Game g(1, text);
    EXPECT_EQ(g.form().HighScores[1], 1);
    EXPECT_EQ(g.form().HighScores[2], 0);
    EXPECT_NE(SavedAfter(g).find("\nHighScore1=1\n"), std::string::npos);
}

TEST(Settings, PipeInPlaceOfTheFileDoesNotHoldUpStartUp) {
    test::TempDir home;
    std::filesystem::create_directories(home.Path() + "/FrothwickPro");
    ASSERT_EQ(mkfifo((home.Path() + "/FrothwickPro/settings.ini").c_str(), 0600), 0);
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    scores::SettingsStore store("FrothwickPro");
    store.Load();
    EXPECT_EQ(store.GetSetting("Settings", "Sound", "none"), "none");
}

TEST(Settings, FolderThatCannotBeMadeIsReportedAndTheProgramEnds) {
    test::Game g;
    std::ofstream(g.home.Path() + "/FrothwickPro");  // a file where the folder should be
    testing::internal::CaptureStderr();
    EXPECT_EQ(SavedAfter(g), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("were not saved: cannot create the folder"), std::string::npos);
}

TEST(Settings, FullDiskLeavesTheOldFileIntact) {
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
    EXPECT_NE(message.find("cannot write the settings: File too large"), std::string::npos) << message;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(g.home.Path() + "/FrothwickPro"), {}), 1);
}

}  // namespace
