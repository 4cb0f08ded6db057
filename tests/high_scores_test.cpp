// The high-score table: entering scores, drawing the board, Clear and OK, and typing
// a name onto it key by key.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace test;
const std::string kFull = "P 1000|P 900|P 800|P 700|P 600|P 500|P 400|P 300|P 200|P 100";

TEST(RecordScore, TakesTheFirstRowItReachesAndOpensEntryThereUnlessTheScoreIsZero) {
    struct Case {
        std::string table;
        std::int32_t score;
        std::string after;  // D and Enter typed: the name of the row whose entry opened
    };
    for (const Case& c :
         {Case{"A 5000|B 4000|C 3000", 4000, "A 5000|D 4000|B 4000|C 3000"},
          Case{kFull, 650, "P 1000|P 900|P 800|P 700|D 650|P 600|P 500|P 400|P 300|P 200"},
          Case{"ANN 0", 0, " 0|ANN 0"}, Case{kFull, 50, kFull}}) {
        Game g(1, TableFile(c.table));
        g.Quit(T + 10, c.score);
        // A phone shows its keyboard while the board takes a name.
        g.At(T + 20, [&] { EXPECT_EQ(g.platform.Typing(), c.after.find('D') != c.after.npos); });
        g.Key(T + 30, 'D');
        g.Key(T + 31, kKeyEnter);
        EXPECT_EQ(g.Run(), Ended::ProgramEnded);
        EXPECT_FALSE(g.platform.Typing());
        EXPECT_EQ(TableIn(g.SettingsText()), c.after);
    }
}

// The table: row 1 "JAZ 3232323", row 2 empty, row 3 "k0 QRSTU" with no score.
TEST(ScoreBoard, ClearEmptiesTheTableTheBoardAndTheFileAtOnce) {
    for (const bool entering : {false, true}) {
        Game g(1, TableFile("JAZ 3232323| 0") + "HighScoreName3=k0 QRSTU\n");
        FrmMain& f = g.form();
        const auto& sprites = f.frmGraphics;
        entering ? g.Quit(T + 10, 3500) : g.Click(T + 10, f.pctScores);
        g.Key(T + 20, 'X');
        g.Click(T + 30, f.pctClear);
        g.At(T + 40, [&] {
            EXPECT_TRUE(f.pctScoreBoard.Visible && f.EnteringName == entering &&
                        g.Saved(entering ? "HighScore1=3500\nHighScoreName2=\nHighScore2=0\n"
                                         : "HighScore1=0\nHighScoreName2=\nHighScore2=0\n"));
            EXPECT_TRUE(g.Shows(sprites.pctDigit[entering ? 3 : 0], 187 + 66, 90));
            // Rows 2 and 3 wiped: the typed letter, or the stored one.
            EXPECT_TRUE(g.platform.PixelAt(10 + 17 + 11, 10 + 103 + 11) == 0 &&
                        g.platform.PixelAt(10 + 83 + 11, 10 + 126 + 11) == 0);
        });
        g.Key(T + 50, 'Z');
        g.Key(T + 51, kKeyEnter);
        g.Click(T + 60, f.pctOk);
        g.At(T + 70, [&] {
            EXPECT_TRUE(!f.pctScoreBoard.Visible && !f.pctOk.Visible && !f.pctClear.Visible);
        });
        g.Click(T + 80, f.pctExitIcon);
        EXPECT_EQ(g.Run(), Ended::ProgramEnded);
        EXPECT_EQ(TableIn(g.SettingsText()), entering ? "Z 3500" : "");
    }
}

// Two entries in one run: the second row is stored at once with no name, not with the
// first entry's, until its own is typed.
TEST(NameEntry, ASecondEntryInOneRunIsStoredWithoutAName) {
    Game g;
    g.form().Score = 132;
    std::uint64_t ms = g.NewGame();
    for (const int key : {int{'A'}, int{'N'}, int{'N'}, int{'A'}, kKeyEnter}) g.Key(++ms, key);
    g.Quit(ms += 3000, 100);
    g.At(ms += 2, [&] { EXPECT_EQ(TableIn(g.SettingsText()), "ANNA 132| 100"); });
    for (const int key : {int{'B'}, int{'O'}, kKeyEnter}) g.Key(++ms, key);
    EXPECT_EQ(g.Run(), Ended::ProgramEnded);
    EXPECT_EQ(TableIn(g.SettingsText()), "ANNA 132|BO 100");
}

// Each case is typed, then Enter.
TEST(NameEntry, KeysTypeOnlyLettersAtMostSixAndBackspaceTakesOneBack) {
    std::vector<int> ignored = {kKeyShift, kKeySpace, kKeyLeft, kKeyUp, kKeyRight, kKeyDown};
    for (int code = '0'; code <= '9'; ++code) ignored.push_back(code);
    const std::pair<std::vector<int>, std::string> cases[] = {
        {{}, ""},                     // Enter first: an empty name
        {{kKeyBackspace, 'K'}, "K"},  // Backspace first does nothing
        {{'A', kKeyBackspace, 'K'}, "K"},
        {{kKeyShift, 'B', platform::kKeyNumpad0 + 2, platform::kKeyNumpad0 + 1, platform::kKeyF1,
          platform::kKeyF1 + 10},
         "BBAPZ"},  // F1, F11
        {ignored, ""},
        {{'A', 'B', 'C', 'D', 'E', 'F', 'G'}, "ABCDEF"},  // the cursor stops in column 7
        {{'A', 'B', 'C', 'D', 'E', 'F', 'G', kKeyBackspace}, "ABCDE"},
    };
    for (const auto& [keys, name] : cases) {
        Game g;
        g.Quit(T + 10, 700);
        std::uint64_t ms = T + 20;
        for (const int key : keys) g.Key(ms++, key);
        g.Key(ms + 1, kKeyEnter);
        EXPECT_EQ(g.Run(), Ended::ProgramEnded);
        EXPECT_EQ(TableIn(g.SettingsText()), name + " 700");
    }
}

}  // namespace
