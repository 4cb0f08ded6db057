// frmMain's controls as laid out at design time.
//
// Its controls are created here at their places of layout/geometry.h, with their
// start visibility, tooltips, cursors and pictures; the game's procedures (FrmMain)
// only change them afterwards.
#pragma once

#include <array>

#include "forms/form.h"
#include "game/rules.h"
#include "layout/assets.h"
#include "layout/frm_graphics.h"

namespace layout {

using forms::Line;
using forms::PictureBox;

class MainWindow : public forms::Form {
public:
    explicit MainWindow(platform::Platform& platform);

    Assets assets;
    FrmGraphics frmGraphics;

    // Overlays, lowest first: they lie under the panel controls.
    PictureBox pctScoreBoard, pctSpecial, pctAboutText1, pctAboutText2;
    // Sprite holders, never shown.
    PictureBox pctEmptyBeer;
    std::array<PictureBox, game::kCanSprites> pctBeer;  // at game::CanSprite(kind, frame)
    // Chrome and panel.
    PictureBox pctLogo, pctMinimizeIcon, pctExitIcon;
    PictureBox pctAction, pctOk, pctClear, pctNew, pctScores, pctSound, pctAbout, pctQuit;
    std::array<PictureBox, game::kScoreDigits>
        pctScore;  // index 0 is the units digit, at the right
    std::array<PictureBox, game::kLives> pctLives;
    PictureBox pctFocus;
    Line lineLeft, lineTop, lineBottom, lineRight;

private:
    void LayOut();
};

}  // namespace layout
