// PLACEHOLDER: to be replaced by its owner.
#include "app/frm_main.h"

void FrmMain::NameEntryKeyDown(std::int16_t) {}
void FrmMain::DrawEntryCursor() {}
void FrmMain::EraseEntryCursor() {}
void FrmMain::CloseScoreBoard() {}
