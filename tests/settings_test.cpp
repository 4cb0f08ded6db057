// The settings store and the table and sound setting it keeps between runs: round
// trips, hostile files, and saves that fail.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "harness.h"
#include "scores/settings_store.h"

namespace {

using test::T;

// The file a save writes for an empty table with sound off.
std::string EmptyTableText() {
    std::string text = "[Settings]\n";
    for (int n = 1; n <= 10; ++n)
        text += "HighScoreName" + std::to_string(n) + "=\nHighScore" + std::to_string(n) + "=0\n";
    return text + "Sound=OFF\n";
}

// Shows the score board (it draws whatever the names hold), closes the game with the
// exit icon and returns the file saved.
std::string SavedAfter(test::Game& g) {
    g.Click(T + 5, g.form().pctScores);
    g.Click(T + 10, g.form().pctExitIcon);
    EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    return g.SettingsText();
}

std::size_t FilesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
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
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "[Settings]\nName=ANN\nScore=12\n");
    scores::SettingsStore again("App");
    again.Load();
    EXPECT_EQ(again.GetSetting("SETTINGS", "score"), "12");
    EXPECT_EQ(again.GetSetting("Settings", "Missing", "dflt"), "dflt");
    EXPECT_EQ(FilesIn(home.Path() + "/App"), 1u);  // nothing but the file itself is left
}

TEST(SettingsStore, LivesUnderHomeConfigWhenXdgIsEmptyOrUnset) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(scores::SettingsStore("FrothwickPro").Path(),
              "/home/someone/.config/FrothwickPro/settings.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(scores::SettingsStore("FrothwickPro").Path(),
              "/home/someone/.config/FrothwickPro/settings.ini");
    setenv("HOME", home.c_str(), 1);
}

TEST(Settings, EveryFileReadsAsFarAsItCanAndTheNextSaveIsAValidTableInStoredOrder) {
    std::mt19937 dice(7);
    std::string garbage = "[Settings]\nHighScore1=77\n";
    for (int i = 0; i < 100'000; ++i) garbage += static_cast<char>(dice());
    garbage += "\n[Settings]\nHighScoreName1=\x01\xFF\x7F[\n";
    struct Case {
        const char* what;
        std::string file;
        const char* name1;  // as read; nullptr: anything
        std::int32_t score1;
        std::vector<std::string> saved;  // parts of the next save
    };
    const Case cases[] = {
        {"first run: an empty table, sound off", "", "", 0, {EmptyTableText()}},
        {"CRLF, blanks around names and values, not sorted",
         "[Settings]\r\nHighScoreName1=ANN\r\nHighScore1=300\r\nHighScoreName2 =  BOB  "
         "\r\nHighScore2 = 9999999\r\n"
         "Sound=ON\r\n",
         "ANN",
         300,
         {"\nHighScoreName1=ANN\nHighScore1=300\nHighScoreName2=BOB\nHighScore2="
          "9999999\nHighScoreName3=\n",
          "\nSound=ON\n"}},
        {"names keep seven characters and save only their letters",
         "[Settings]\nHighScoreName1=ABCDEFGHIJ\nHighScoreName2=bob\nHighScoreName3=J0E!"
         "\nHighScoreName4=\xC3\x89MILE\n",
         "ABCDEFG",
         0,
         {"\nHighScoreName1=ABCDEFG\n", "\nHighScoreName2=\n", "\nHighScoreName3=JE\n",
          "\nHighScoreName4=MILE\n"}},
        {"the first of duplicate keys counts, other sections are ignored",
         "HighScore1=111\n[Other]\nHighScore1=222\n[settings]\nhighscore1=333\nHighScore1=444\n"
         "HighScoreName1=ANN\n  continued\n[Settings]\nHighScore1=555\n",
         "ANN",
         333,
         {"\nHighScoreName1=ANN\nHighScore1=333\n"}},
        {"a huge file is read only at its head",
         "[Settings]\nHighScore1=1\n" + std::string(30 << 20, 'x') + "\nHighScore2=2\n",
         "",
         1,
         {"\nHighScore1=1\nHighScoreName2=\nHighScore2=0\n"}},
        {"binary garbage", garbage, nullptr, 77, {"\nHighScore1=77\n"}},
    };
    std::string table = "\\[Settings\\]\n";  // the game's keys only, every value valid
    for (int n = 1; n <= 10; ++n)
        table += "HighScoreName" + std::to_string(n) + "=[A-Z]{0,7}\nHighScore" +
                 std::to_string(n) + "=[0-9]{1,7}\n";
    const std::regex valid(table + "Sound=(ON|OFF)\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Game g(1, c.file);
        if (c.name1) {
            EXPECT_EQ(g.form().HighNames[1], c.name1);
        }
        EXPECT_EQ(g.form().HighScores[1], c.score1);
        const std::string saved = SavedAfter(g);
        EXPECT_TRUE(std::regex_match(saved, valid)) << saved;
        for (const std::string& part : c.saved)
            EXPECT_NE(saved.find(part), std::string::npos) << part;
    }
}

TEST(Settings, ScoresThatAreNotDecimalsInRangeReadAsZeroAndSoundIsOnOnlyForExactlyOn) {
    for (const char* value : {"ON", "on", "On", "ONN", "1", ""}) {
        test::Game g(1, std::string("[Settings]\nSound=") + value + "\n");
        EXPECT_EQ(g.form().SoundOn(), value == std::string("ON")) << value;
    }
    const std::pair<const char*, std::int32_t> cases[] = {{"abc", 0},
                                                          {"-5", 0},
                                                          {"+7", 0},
                                                          {"10000000", 0},
                                                          {"99999999999999999999", 0},
                                                          {"12abc", 0},
                                                          {"5 000", 0},
                                                          {"0x10", 0},
                                                          {"1.5", 0},
                                                          {"", 0},
                                                          {"0000042", 42},
                                                          {"9999999", 9'999'999}};
    for (const auto& [text, score] : cases) {
        test::Game g(1, std::string("[Settings]\nHighScore1=") + text + "\n");
        EXPECT_EQ(g.form().HighScores[1], score) << text;
    }
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
    EXPECT_NE(
        testing::internal::GetCapturedStderr().find("were not saved: cannot create the folder"),
        std::string::npos);
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
    EXPECT_NE(message.find("cannot write the settings: File too large"), std::string::npos)
        << message;
    EXPECT_EQ(FilesIn(g.home.Path() + "/FrothwickPro"), 1u);
}

}  // namespace
