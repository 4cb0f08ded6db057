#include "layout/main_window.h"

namespace layout {

namespace {

struct BoxLayout {
    PictureBox& box;
    const char* name;
    double left, top, width, height;  // twips
    bool visible;
    const char* picture;  // asset file, or nullptr
    const char* toolTip;
    bool hand;
};

// Tooltips in the pub's colours: cream lettering on dark wood inside a brass edge.
// The font's glyph cells are kTooltipCellWidth pixels wide.
constexpr int kTooltipCellWidth = 7;
constexpr forms::Color kTooltipPaper = 0x2C1A0D, kTooltipInk = 0xF8E8C4, kTooltipEdge = 0xCC9C4A;

}  // namespace

MainWindow::MainWindow(platform::Platform& platform) : Form(platform, kWidthPixels, kHeightPixels) {
    LayOut();
}

void MainWindow::LayOut() {
    SetCaption("Frothwick");
    SetBackground(assets.Picture("background.gif"));
    SetTooltipLook({assets.Picture("tooltip_font.gif"), kTooltipCellWidth, kTooltipPaper,
                    kTooltipInk, kTooltipEdge});
    Platform().SetIcon(*assets.Picture("icon.gif"));
    Platform().SetHandCursor(*assets.Picture("hand_cursor.gif"), 12, 1);

    // The frame lines, at their stored end points; start-up fits them to the grid.
    struct LineLayout {
        Line& line;
        const char* name;
        double x1, y1, x2, y2;
    };
    for (const LineLayout& l : {LineLayout{lineLeft, "lineLeft", 200, 1080, 200, 4180},
                                LineLayout{lineTop, "lineTop", 540, 1080, 3270, 1080},
                                LineLayout{lineBottom, "lineBottom", 240, 6150, 1980, 6150},
                                LineLayout{lineRight, "lineRight", 5940, 6060, 5940, 4380}}) {
        l.line.Name = l.name;
        l.line.X1 = l.x1;
        l.line.Y1 = l.y1;
        l.line.X2 = l.x2;
        l.line.Y2 = l.y2;
        Add(l.line);
    }

    const BoxLayout boxes[] = {
        {pctScoreBoard, "pctScoreBoard", 1530, 5550, 480, 300, false, "empty_cell.gif", "", false},
        {pctSpecial, "pctSpecial", 4830, 2760, 1275, 585, false, nullptr, "", false},
        {pctAboutText1, "pctAboutText1", 720, 3630, 5160, 2535, false, "about_text.gif", "", false},
        {pctAboutText2, "pctAboutText2", 6480, 240, 480, 480, false, "ok.gif", "", true},
        {pctEmptyBeer, "pctEmptyBeer", 990, 5550, 480, 300, false, "empty_cell.gif", "", false},
        {pctLogo, "pctLogo", 1110, 240, 3810, 465, true, "logo.gif", "", false},
        {pctMinimizeIcon, "pctMinimizeIcon", 8130, 210, 300, 300, true, "minimize.gif", "", true},
        {pctExitIcon, "pctExitIcon", 8460, 210, 300, 300, true, "close.gif", "", true},
        {pctAction, "pctAction", 7290, 1620, 480, 480, false, "play.gif", "Play", true},
        {pctOk, "pctOk", 7050, 2130, 480, 480, false, "ok.gif", "Ok", true},
        {pctClear, "pctClear", 7560, 2130, 480, 480, false, "clear.gif", "Clear", true},
        {pctNew, "pctNew", 7050, 2640, 480, 480, true, "new.gif", "New Game", true},
        {pctScores, "pctScores", 7560, 2640, 480, 480, true, "scores.gif", "High Scores", true},
        {pctSound, "pctSound", 7560, 3150, 480, 480, true, "sound_on.gif", "Sound On/Off", true},
        {pctAbout, "pctAbout", 7050, 3660, 480, 480, true, "about.gif", "About", true},
        {pctQuit, "pctQuit", 7560, 3660, 480, 480, true, "quit.gif", "Exit", true},
        {pctFocus, "pctFocus", 6840, 4920, 1515, 300, true, nullptr, "", false},
    };
    for (const BoxLayout& b : boxes) {
        b.box.Name = b.name;
        b.box.Left = b.left;
        b.box.Top = b.top;
        b.box.Width = b.width;
        b.box.Height = b.height;
        b.box.Visible = b.visible;
        b.box.ToolTipText = b.toolTip;
        b.box.HandCursor = b.hand;
        Add(b.box);
    }
    // These keep their own size whatever picture they hold.
    for (PictureBox* box : {&pctScoreBoard, &pctSpecial, &pctFocus}) box->AutoSize = false;
    for (const BoxLayout& b : boxes)
        if (b.picture) b.box.Picture = assets.Picture(b.picture);
    // The logo, the special picture and the focus holder keep the standard look.
    for (PictureBox* box : {&pctLogo, &pctSpecial, &pctFocus}) box->BackColor = 0xF0F0F0;
    // The about panel's close button stands on the black playfield: its round face
    // shows black around it, not a square of the panel's brown.
    pctAboutText2.BackColor = forms::kBlack;

    for (int kind = 0; kind < game::kCanKinds; ++kind)
        for (int frame = 0; frame < game::kRollFrames; ++frame) {
            const int i = game::CanSprite(kind, frame);
            PictureBox& beer = pctBeer[i];
            beer.Name = "pctBeer";
            beer.Index = i;
            beer.Visible = false;
            beer.Picture = assets.Picture("can_" + std::to_string(kind) + "_" +
                                          std::to_string(frame) + ".gif");
            Add(beer);
        }
    static const double kScoreLefts[game::kScoreDigits] = {8340, 8025, 7710, 7395,
                                                           7080, 6765, 6450};  // index 0..6
    for (int i = 0; i < game::kScoreDigits; ++i) {
        PictureBox& digit = pctScore[i];
        digit.Name = "pctScore";
        digit.Index = i;
        digit.Left = kScoreLefts[i];
        digit.Top = 900;
        digit.Picture = assets.Picture("digit0.gif");
        Add(digit);
    }
    static const double kLifeLefts[game::kLives] = {6870, 7365, 7860};
    for (int i = 0; i < game::kLives; ++i) {
        PictureBox& mug = pctLives[i];
        mug.Name = "pctLives";
        mug.Index = i;
        mug.Left = kLifeLefts[i];
        mug.Top = 5325;
        mug.Picture = assets.Picture("mug_full.gif");
        Add(mug);
    }
}

}  // namespace layout
