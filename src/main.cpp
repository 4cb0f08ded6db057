// Frothwick: the real program, on the SDL window.
#include <future>

#include "app/frm_main.h"
#include "platform/sdl_platform.h"

int main() {
    // Decoding the artwork and starting SDL do not depend on each other: done side by
    // side, the window is up sooner.
    auto artwork = std::async(std::launch::async, [] { return layout::Assets(); });
    platform::SdlPlatform sdl;
    FrmMain frmMain(sdl, artwork.get());
    try {
        frmMain.Form_Load();
        frmMain.Show();
        frmMain.Run();
    } catch (const forms::ProgramEnd&) {
        // Form_Unload has saved everything; the program ends here.
    }
    return 0;
}
