// The about panel: a picture of text over the cleared screen, a link to the game's
// web page, and a close button under the text.
#include <cctype>
#include <cstdio>
#include <string_view>

#include "app/frm_main.h"

namespace {

// A file:// address for an absolute path, Unix ("/usr/...") or Windows ("C:\..."):
// backslashes become slashes, and every other byte but letters, digits, "-._~:/" is
// written as %XX, so a folder named "a b#1" still makes one address.
std::string FileUrl(const std::string& path) {
    std::string url = path.starts_with('/') ? "file://" : "file:///";
    for (const unsigned char c : path) {
        if (c == '\\') {
            url += '/';
        } else if (std::isalnum(c) || std::string_view("-._~:/").find(static_cast<char>(c)) !=
                                          std::string_view::npos) {
            url += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            url += escaped;
        }
    }
    return url;
}

// The game's home page: the address chosen when the game was built
// (cmake -DFROTHWICK_HOMEPAGE=URL), else the page installed beside the program.
std::string HomePage(platform::Platform& platform) {
    const std::string chosen = FROTHWICK_HOMEPAGE;
    return chosen.empty() ? FileUrl(platform.ProgramDir() + "/index.html") : chosen;
}

// Left edge (twips) that centres a box of the given width between the left and right
// frame lines, reckoned in single precision.
double CentredOnFrame(const FrmMain& form, double width) {
    const float left = static_cast<float>(form.lineLeft.X1);
    const float right = static_cast<float>(form.lineRight.X1);
    return (right - left - static_cast<float>(width)) / 2.0f + left;
}

}  // namespace

// Opens the panel, in or out of a game; the game is paused and the panel hidden while
// it is open.
void FrmMain::pctAbout_Click() {
    Paused = true;
    HidePanel();
    PauseGame();
    pctAboutText1.Left = CentredOnFrame(*this, pctAboutText1.Width);
    pctAboutText2.Left = CentredOnFrame(*this, pctAboutText2.Width);
    pctAboutText1.Top = static_cast<double>(forms::IntDiv(Height() - pctAboutText1.Height, 2));
    pctAboutText2.Top = pctAboutText1.Height + pctAboutText1.Top;
    pctAboutText1.Visible = true;
    pctAboutText2.Visible = true;
}

// Opens the game's web page in the browser; the panel stays open.
void FrmMain::pctAboutText1_Click() {
    PauseGame();
    Platform().OpenUrl(HomePage(Platform()));
}

// Closes the panel. A game that was running goes on at once, although the pause/play
// button still shows the play face.
void FrmMain::pctAboutText2_Click() {
    pctAboutText1.Visible = false;
    pctAboutText2.Visible = false;
    ShowPanel();
    Paused = false;
}
