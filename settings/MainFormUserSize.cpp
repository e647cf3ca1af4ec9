// MainFormUserSize.cpp: the main window's custom grid size command.
#include "app/TMainForm.h"

void TMainForm::CmUserClick(QObject*) { SyncLevelButtons(); }
