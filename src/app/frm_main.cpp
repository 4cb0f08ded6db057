#include "app/frm_main.h"

#include "platform/files.h"

FrmMain::FrmMain(platform::Platform& platform) : MainWindow(platform) {
    pctNew.Click = [this] { pctNew_Click(); };
    pctAction.Click = [this] { pctAction_Click(); };
    pctScores.Click = [this] { pctScores_Click(); };
    pctClear.Click = [this] { pctClear_Click(); };
    pctOk.Click = [this] { pctOk_Click(); };
    pctSound.Click = [this] { pctSound_Click(); };
    pctAbout.Click = [this] { pctAbout_Click(); };
    pctQuit.Click = [this] { pctQuit_Click(); };
    pctMinimizeIcon.Click = [this] { pctMinimizeIcon_Click(); };
    pctExitIcon.Click = [this] { pctExitIcon_Click(); };
    pctAboutText1.Click = [this] { pctAboutText1_Click(); };
    pctAboutText2.Click = [this] { pctAboutText2_Click(); };
}

namespace {

// Removes a leftover "Frothwick.txt" beside the program. Nothing in the game writes
// it (WriteTrace is empty); it is kept on purpose, so a trace file a tracing build
// left behind never outlives the next start. Only a regular file is removed; a
// failure (read-only folder, say) is ignored and start-up goes on.
void DeleteLeftoverFile(const std::string& programDir) {
    const std::string path = programDir + "/Frothwick.txt";
    if (platform::IsRegularFile(path)) platform::RemoveFile(path);
}

}  // namespace

// Brings the window from nothing to the idle screen. Called once by main, before the
// window is shown.
void FrmMain::Form_Load() {
    DeleteLeftoverFile(Platform().ProgramDir());
    frmGraphics.Load(assets);
    WriteTrace("Form_Load");
    // Before Show, Refresh draws nothing; kept on purpose so start-up runs its steps in
    // their order, and stays correct should the window ever be shown earlier.
    Refresh();
    pctFocus.BackColor = forms::kBlack;
    CellWidth = forms::IntDiv(pctBeer[0].Width, forms::TwipsPerPixelX);
    CellHeight = forms::IntDiv(pctBeer[0].Height, forms::TwipsPerPixelY);
    Lives = game::kLives;
    FallStep = game::kStartFallStep;
    Rnd.Seed(Platform().WallClockNs());
    GameOver = true;
    Refresh();
    InitializeBoard();
    GetRegistry();

    // Fit the frame to the grid: one blank pixel right of the last column and below the
    // floor row.
    const double xR = forms::TwipsPerPixelX * (ColumnX[game::kLastColumn] + 1.0) + pctBeer[0].Width;
    const double yB = forms::TwipsPerPixelY * (RowY[game::kFloorRow] + 1.0) + pctBeer[0].Height;
    lineRight.X1 = xR;
    lineRight.X2 = xR;
    lineRight.Y1 = lineTop.Y1;
    lineRight.Y2 = yB;
    lineTop.X2 = lineRight.X2;
    lineTop.X1 = lineLeft.X1;
    lineBottom.X1 = lineLeft.X1;
    lineBottom.X2 = xR;
    lineBottom.Y1 = yB;
    lineBottom.Y2 = yB;
    lineLeft.Y2 = lineBottom.Y2;

    DoEvents();
}

// Every repaint draws the playfield from the board; the falling can is not on the
// board, so a repaint hides it until the next game step draws it again.
void FrmMain::Form_Paint() { DrawBoard(); }

void FrmMain::WaitWhileEnteringName() {
    while (EnteringName) {
        DoEvents();
        if (EnteringName) WaitForEvent(platform::kForever);
    }
}

void PlayUntilClosed(platform::Platform& platform) {
    try {
        FrmMain frmMain(platform);
        frmMain.Form_Load();
        frmMain.Show();
        frmMain.Run();
    } catch (const forms::ProgramEnd&) {
        // Form_Unload has saved everything; the program ends here.
    }
}
