#include "layout/frm_graphics.h"

#include "layout/geometry.h"

namespace layout {

namespace {

void Give(PictureBox& box, const Assets& assets, const std::string& file) {
    box.Visible = false;
    box.Picture = assets.Picture(file);
}

}  // namespace

void FrmGraphics::Load(const Assets& assets) {
    static const char* const kObjects[game::kObstaclePieces] = {
        "obstacle_top.gif", "obstacle_middle.gif", "obstacle_bottom.gif", "obstacle_single.gif"};
    for (int i = 0; i < game::kObstaclePieces; ++i) Give(pctObject[i], assets, kObjects[i]);
    // The cop box keeps its own size; whoever shows the picture sizes itself to it.
    pctCop.AutoSize = false;
    pctCop.Width = kCopBox.width;
    pctCop.Height = kCopBox.height;
    Give(pctCop, assets, "cop.jpg");
    Give(pctMug, assets, "mug_full.gif");
    Give(pctEmptyMug, assets, "mug_empty.gif");
    Give(pctPause, assets, "pause.gif");
    Give(pctPlay, assets, "play.gif");
    Give(pctSoundOn, assets, "sound_on.gif");
    Give(pctSoundOff, assets, "sound_off.gif");
    for (int d = 0; d < 10; ++d) Give(pctDigit[d], assets, "digit" + std::to_string(d) + ".gif");
    for (int n = 0; n < 26; ++n) {
        const char letter = static_cast<char>('A' + n);
        // The letter O is the digit 0.
        Give(pctAlpha[n], assets,
             letter == 'O' ? "digit0.gif" : std::string("alpha_") + letter + ".gif");
    }
    Give(pctCursor, assets, "entry_cursor.gif");
    Give(pctEmptyLetter, assets, "empty_letter.gif");
    loaded_ = true;
}

void FrmGraphics::Unload() {
    for (PictureBox& box : pctObject) box.Picture = forms::StdPicture();
    for (PictureBox* box : {&pctCop, &pctMug, &pctEmptyMug, &pctPause, &pctPlay, &pctSoundOn,
                            &pctSoundOff, &pctCursor, &pctEmptyLetter})
        box->Picture = forms::StdPicture();
    for (PictureBox& box : pctDigit) box.Picture = forms::StdPicture();
    for (PictureBox& box : pctAlpha) box.Picture = forms::StdPicture();
    loaded_ = false;
}

}  // namespace layout
