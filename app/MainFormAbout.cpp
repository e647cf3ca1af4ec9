// MainFormAbout.cpp: the main window's About command.
#include "about/TAboutBox.h"
#include "app/TMainForm.h"

void TMainForm::CmAboutClick(QObject*) {
    // However it is closed, nothing comes back from it.
    TAboutBox dialog(this);
    dialog.exec();
}
