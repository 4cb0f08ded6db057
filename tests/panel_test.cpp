// The control panel: pause/play, sound on/off, hiding and restoring the panel.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

TEST(PauseButton, TwoClicksPauseAndResumeWithMatchingFaceAndTooltip) {
    test::Game g(5);
    FrmMain& f = g.form();
    const std::uint64_t t0 = g.Now();
    g.Click(t0, f.pctNew);
    g.Click(t0 + 2500, f.pctAction);
    g.At(t0 + 2501, [&] {
        EXPECT_TRUE(f.Paused);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPlay.Picture());
        EXPECT_EQ(f.pctAction.ToolTipText(), "Play");
    });
    g.Click(t0 + 2600, f.pctAction);
    g.At(t0 + 2601, [&] {
        EXPECT_FALSE(f.Paused);
        EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
        EXPECT_EQ(f.pctAction.ToolTipText(), "Pause");
    });
    g.Run();
}

TEST(PauseButton, TheStoredPlayFaceMatchesNeitherFaceSoAClickResumes) {
    test::Game g;
    FrmMain& f = g.form();
    f.Paused = true;
    f.pctAction_Click();
    EXPECT_FALSE(f.Paused);
    EXPECT_EQ(f.pctAction.Picture(), f.frmGraphics.pctPause.Picture());
}

TEST(PauseButton, NothingMovesWhilePausedButTheLoopWaitsOn) {
    test::Game g(5);
    FrmMain& f = g.form();
    const std::uint64_t t0 = g.Now();
    g.Click(t0, f.pctNew);
    g.Click(t0 + 2500, f.pctAction);
    std::vector<std::uint32_t> frame;
    std::int32_t y = 0;
    g.At(t0 + 2550, [&] {
        frame = g.platform.Frame();
        y = f.CanY;
    });
    int waits = 0;
    for (std::uint64_t at = t0 + 3000; at <= t0 + 9000; at += 1000) g.At(at, [&] { ++waits; });
    g.At(t0 + 9500, [&] {
        EXPECT_EQ(f.CanY, y);
        EXPECT_TRUE(g.platform.Frame() == frame);
    });
    g.Click(t0 + 9600, f.pctAction);
    g.At(t0 + 9800, [&] { EXPECT_NE(f.CanY, y); });
    g.Run();
    EXPECT_EQ(waits, 7);
}

TEST(SoundButton, TogglesByPictureHandleNotByImage) {
    test::Game g;
    FrmMain& f = g.form();
    f.pctSound.Picture = f.assets.Picture("sound_on.gif");  // the same image, another object
    EXPECT_FALSE(f.SoundOn());
    f.pctSound_Click();
    EXPECT_EQ(f.pctSound.Picture(), f.frmGraphics.pctSoundOff.Picture());
    f.pctSound_Click();
    EXPECT_EQ(f.pctSound.Picture(), f.frmGraphics.pctSoundOn.Picture());
    EXPECT_TRUE(f.SoundOn());
    f.pctSound_Click();
    EXPECT_FALSE(f.SoundOn());
    EXPECT_EQ(f.pctSound.ToolTipText(), "Sound On/Off");
}

TEST(Panel, HideClearsTheScreenAroundThePlayfieldAndShowRestoresIt) {
    test::Game g;
    FrmMain& f = g.form();
    const std::uint32_t red = 0xFF0000;
    ASSERT_EQ(g.Pixel(13, 200), red);  // the left frame line
    f.HidePanel();
    for (const forms::PictureBox* box : {&f.pctQuit, &f.pctFocus, &f.pctScores, &f.pctSound, &f.pctAction, &f.pctAbout,
                                         &f.pctNew, &f.pctLives[0], &f.pctLives[2], &f.pctScore[0], &f.pctScore[6]})
        EXPECT_FALSE(box->Visible) << box->Name;
    EXPECT_FALSE(f.lineTop.Visible);
    EXPECT_NE(g.Pixel(13, 200), red);
    for (const forms::PictureBox* box : {&f.pctLogo, &f.pctMinimizeIcon, &f.pctExitIcon})
        EXPECT_TRUE(box->Visible) << box->Name;

    f.PaintSprite(f.pctBeer[9], f.ColumnX[0], f.RowY[0]);  // not on the board
    f.ShowPanel();
    for (const forms::PictureBox* box : {&f.pctQuit, &f.pctFocus, &f.pctScores, &f.pctSound, &f.pctAbout, &f.pctNew,
                                         &f.pctLives[1], &f.pctScore[3]})
        EXPECT_TRUE(box->Visible) << box->Name;
    EXPECT_FALSE(f.pctAction.Visible);  // no game runs
    EXPECT_EQ(g.Pixel(13, 200), red);
    EXPECT_TRUE(g.Shows(f.pctEmptyBeer, f.ColumnX[0], f.RowY[0]));
}

TEST(Panel, ActionButtonComesBackWhenItWasShown) {
    test::Game g;
    FrmMain& f = g.form();
    f.pctAction.Visible = true;
    f.HidePanel();
    EXPECT_FALSE(f.pctAction.Visible);
    f.ShowPanel();
    EXPECT_TRUE(f.pctAction.Visible);
}

}  // namespace
