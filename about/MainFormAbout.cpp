// MainFormAbout.cpp: the main window's About command.
#include "app/TMainForm.h"

void TMainForm::CmAboutClick(QObject*) {}
