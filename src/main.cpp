// Frothwick: the real program, on the SDL window.
#include "app/frm_main.h"
#include "platform/sdl_platform.h"

int main() {
    platform::SdlPlatform sdl;
    FrmMain frmMain(sdl);
    try {
        frmMain.Form_Load();
        frmMain.Show();
        frmMain.Run();
    } catch (const forms::ProgramEnd&) {
        // Form_Unload has saved everything; the program ends here.
    }
    return 0;
}
