// The control panel: pause/play and how the other buttons pause and resume a game,
// sound on/off, hiding and restoring the panel.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using Box = forms::PictureBox FrmMain::*;
using SoundButton = test::GameTest;
using Panel = test::GameTest;

TEST(Pausing, EveryButtonSequenceLeavesTheGameHeldOrRunningAsItShould) {
    struct Case {
        const char* what;
        std::vector<Box> clicks;
        bool paused, playFace, actionShown;
    };
    const Case cases[] = {
        {"pause", {&FrmMain::pctAction}, true, true, true},
        {"pause, play", {&FrmMain::pctAction, &FrmMain::pctAction}, false, false, true},
        {"minimise (then restore)", {&FrmMain::pctMinimizeIcon}, true, true, true},
        {"pause, minimise", {&FrmMain::pctAction, &FrmMain::pctMinimizeIcon}, false, false, true},
        {"about", {&FrmMain::pctAbout}, true, true, false},
        {"about, close", {&FrmMain::pctAbout, &FrmMain::pctAboutText2}, false, true, true},
        {"pause, about, close",
         {&FrmMain::pctAction, &FrmMain::pctAbout, &FrmMain::pctAboutText2},
         false,
         true,
         true},
        {"about, minimise", {&FrmMain::pctAbout, &FrmMain::pctMinimizeIcon}, false, false, false},
        {"scores", {&FrmMain::pctScores}, true, false, false},
        {"scores, clear, OK",
         {&FrmMain::pctScores, &FrmMain::pctClear, &FrmMain::pctOk},
         false,
         false,
         true},
        {"pause, scores, OK",
         {&FrmMain::pctAction, &FrmMain::pctScores, &FrmMain::pctOk},
         false,
         true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Game g;
        FrmMain& f = g.form();
        std::uint64_t t = g.NewGame() + 3000;
        for (const Box box : c.clicks) g.ClickPlaced(t += 100, f.*box);
        g.Send(t + 50, platform::EventType::Restored);
        std::int32_t canY = 0;
        std::vector<std::uint32_t> frame;
        g.At(t + 100, [&] {
            EXPECT_EQ(f.Paused, c.paused);
            EXPECT_EQ(f.pctAction.Picture(),
                      (c.playFace ? f.frmGraphics.pctPlay : f.frmGraphics.pctPause).Picture());
            EXPECT_EQ(f.pctAction.ToolTipText(), c.playFace ? "Play" : "Pause");
            EXPECT_EQ(f.pctAction.Visible, c.actionShown);
            canY = f.CanY;
            frame = g.platform.Frame();
        });
        g.At(t + 1100, [&] {
            EXPECT_EQ(f.CanY == canY, c.paused);  // nothing moves while paused...
            if (c.paused) {
                EXPECT_TRUE(g.platform.Frame() == frame);  // ...and nothing is drawn
            }
        });
        g.Click(t + 1200, f.pctExitIcon);
        EXPECT_EQ(g.Run(), test::Ended::ProgramEnded);
    }
}

TEST(Pausing, TheLoopWaitsOnWhilePausedAndThePlayFaceLoadedMatchesNeitherFace) {
    test::Game g(5);
    FrmMain& f = g.form();
    f.Paused = true;
    f.pctAction_Click();  // the stored play picture is neither pctPlay nor pctPause
    EXPECT_TRUE(!f.Paused && f.pctAction.Picture() == f.frmGraphics.pctPause.Picture());
    const std::uint64_t t0 = g.NewGame();
    g.Click(t0 + 2500, f.pctAction);
    g.Click(t0 + 9600, f.pctAction);
    std::int32_t y = 0;
    g.At(t0 + 9599, [&] { y = f.CanY; });
    g.At(t0 + 9700, [&] { EXPECT_EQ(f.CanY, y + 5); });  // the loop waited on: one step, at once
    g.Run();
}

TEST_F(SoundButton, TogglesByPictureHandleNotByImage) {
    f.pctSound.Picture = f.assets.Picture("sound_on.gif");  // the same image, another object
    EXPECT_FALSE(f.SoundOn());
    f.pctSound_Click();
    EXPECT_EQ(f.pctSound.Picture(), f.frmGraphics.pctSoundOff.Picture());
    f.pctSound_Click();
    EXPECT_TRUE(f.pctSound.Picture() == f.frmGraphics.pctSoundOn.Picture() && f.SoundOn());
    f.pctSound_Click();
    EXPECT_FALSE(f.SoundOn());
    EXPECT_EQ(f.pctSound.ToolTipText(), "Sound On/Off");
}

TEST_F(Panel, HideClearsTheScreenAroundThePlayfieldAndShowRestoresIt) {
    const std::uint32_t red = 0xFF0000;
    ASSERT_EQ(g.Pixel(13, 200), red);  // the left frame line
    for (const bool shown : {false, true}) {
        f.pctAction.Visible = shown;
        f.HidePanel();
        for (const forms::PictureBox* box : {&f.pctQuit, &f.pctScores, &f.pctSound, &f.pctAction,
                                             &f.pctNew, &f.pctLives[0], &f.pctScore[6]})
            EXPECT_FALSE(box->Visible) << box->Name;
        EXPECT_TRUE(!f.lineTop.Visible && g.Pixel(13, 200) != red);
        for (const forms::PictureBox* box : {&f.pctLogo, &f.pctMinimizeIcon, &f.pctExitIcon})
            EXPECT_TRUE(box->Visible) << box->Name;
        f.PaintSprite(f.pctBeer[9], f.ColumnX[0], f.RowY[0]);  // not on the board
        f.ShowPanel();
        for (const forms::PictureBox* box :
             {&f.pctQuit, &f.pctAbout, &f.pctNew, &f.pctLives[1], &f.pctScore[3]})
            EXPECT_TRUE(box->Visible) << box->Name;
        EXPECT_TRUE(f.pctAction.Visible == shown && g.Pixel(13, 200) == red);
        EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[0], f.RowY[0]));
    }
}

}  // namespace
