// frmGraphics: the hidden window whose picture boxes hold sprites.
//
// It is never shown; its boxes only lend their pictures (and device contexts)
// to the main window.
#pragma once

#include <array>
#include <string>

#include "forms/controls.h"
#include "game/rules.h"
#include "layout/assets.h"

namespace layout {

using forms::PictureBox;

class FrmGraphics {
public:
    std::array<PictureBox, game::kObstaclePieces> pctObject;  // top, middle, bottom, single
    PictureBox pctCop;
    PictureBox pctMug, pctEmptyMug;
    PictureBox pctPause, pctPlay;
    PictureBox pctSoundOn, pctSoundOff;
    std::array<PictureBox, 10> pctDigit;
    std::array<PictureBox, 26> pctAlpha;  // A..Z
    PictureBox pctCursor, pctEmptyLetter;

    // Gives every box its picture. Called once at start-up.
    void Load(const Assets& assets);
    // Lets go of the pictures. Called at shutdown.
    void Unload();
    bool Loaded() const { return loaded_; }

private:
    bool loaded_ = false;
};

}  // namespace layout
