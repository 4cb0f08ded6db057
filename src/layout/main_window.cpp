#include "layout/main_window.h"

#include "layout/geometry.h"

namespace layout {

namespace {

struct BoxLayout {
    PictureBox& box;
    const char* name;
    Box place;
    bool visible;
    const char* picture;  // asset file, or nullptr
    const char* toolTip;
    bool hand;
};

// Tooltips in the pub's colours: cream lettering on dark wood inside a brass edge.
// The font's glyph cells are kTooltipCellWidth pixels wide.
constexpr int kTooltipCellWidth = 7;
constexpr forms::Color kTooltipPaper = 0x2C1A0D, kTooltipInk = 0xF8E8C4, kTooltipEdge = 0xCC9C4A;

// Adds member i of a control array at (left, top), twips, sized by its first picture:
// the score's digits and the life mugs.
void AddMember(forms::Form& form, PictureBox& box, const char* name, int i, int left, int top,
               const forms::StdPicture& picture) {
    box.Name = name;
    box.Index = i;
    box.Left = left;
    box.Top = top;
    box.Picture = picture;
    form.Add(box);
}

}  // namespace

MainWindow::MainWindow(platform::Platform& platform) : Form(platform, kWindowWidth, kWindowHeight) {
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
        const double (&ends)[4];  // X1, Y1, X2, Y2
    };
    for (const LineLayout& l :
         {LineLayout{lineLeft, "lineLeft", kLineLeft}, LineLayout{lineTop, "lineTop", kLineTop},
          LineLayout{lineBottom, "lineBottom", kLineBottom},
          LineLayout{lineRight, "lineRight", kLineRight}}) {
        l.line.Name = l.name;
        l.line.X1 = l.ends[0];
        l.line.Y1 = l.ends[1];
        l.line.X2 = l.ends[2];
        l.line.Y2 = l.ends[3];
        Add(l.line);
    }

    const BoxLayout boxes[] = {
        {pctScoreBoard, "pctScoreBoard", kScoreBoard, false, "empty_cell.gif", "", false},
        {pctSpecial, "pctSpecial", kSpecial, false, nullptr, "", false},
        {pctAboutText1, "pctAboutText1", kAboutText1, false, "about_text.gif", "", false},
        {pctAboutText2, "pctAboutText2", kAboutText2, false, "ok.gif", "", true},
        {pctEmptyBeer, "pctEmptyBeer", kEmptyBeer, false, "empty_cell.gif", "", false},
        {pctLogo, "pctLogo", kLogo, true, "logo.gif", "", false},
        {pctMinimizeIcon, "pctMinimizeIcon", kMinimizeIcon, true, "minimize.gif", "", true},
        {pctExitIcon, "pctExitIcon", kExitIcon, true, "close.gif", "", true},
        {pctAction, "pctAction", kAction, false, "play.gif", "Play", true},
        {pctOk, "pctOk", kOk, false, "ok.gif", "Ok", true},
        {pctClear, "pctClear", kClear, false, "clear.gif", "Clear", true},
        {pctNew, "pctNew", kNew, true, "new.gif", "New Game", true},
        {pctScores, "pctScores", kScores, true, "scores.gif", "High Scores", true},
        {pctSound, "pctSound", kSound, true, "sound_on.gif", "Sound On/Off", true},
        {pctAbout, "pctAbout", kAbout, true, "about.gif", "About", true},
        {pctQuit, "pctQuit", kQuit, true, "quit.gif", "Exit", true},
        {pctFocus, "pctFocus", kFocus, true, nullptr, "", false},
    };
    for (const BoxLayout& b : boxes) {
        b.box.Name = b.name;
        b.box.Left = b.place.left;
        b.box.Top = b.place.top;
        b.box.Width = b.place.width;
        b.box.Height = b.place.height;
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
    for (int i = 0; i < game::kScoreDigits; ++i)
        AddMember(*this, pctScore[i], "pctScore", i, kScoreDigitLefts[i], kScoreDigitTop,
                  assets.Picture("digit0.gif"));
    for (int i = 0; i < game::kLives; ++i)
        AddMember(*this, pctLives[i], "pctLives", i, kLifeLefts[i], kLifeTop,
                  assets.Picture("mug_full.gif"));
}

}  // namespace layout
