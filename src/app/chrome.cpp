// PLACEHOLDER: to be replaced by its owner.
#include "app/frm_main.h"

void FrmMain::pctMinimizeIcon_Click() {}
void FrmMain::pctExitIcon_Click() {}
void FrmMain::WriteTrace(const std::string&) {}
void FrmMain::Form_MouseDown(int, int, int, int) {}
void FrmMain::Form_Resize() {}
void FrmMain::Form_GotFocus() {}
void FrmMain::Form_Unload(int&) { forms::End(); }
void DragWindow(FrmMain&, int) {}
