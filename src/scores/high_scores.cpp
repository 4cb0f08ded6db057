// PLACEHOLDER: to be replaced by its owner.
#include "app/frm_main.h"

void FrmMain::GetRegistry() {}
void FrmMain::SaveRegistry() {}
void FrmMain::ShowScoreBoard(bool, std::int16_t) {}
void FrmMain::RecordScore() {}
void FrmMain::pctScores_Click() {}
void FrmMain::pctClear_Click() {}
void FrmMain::pctOk_Click() {}
