// PLACEHOLDER: to be replaced by its owner.
#include "app/frm_main.h"

void FrmMain::pctAbout_Click() {}
void FrmMain::pctAboutText1_Click() {}
void FrmMain::pctAboutText2_Click() {}
