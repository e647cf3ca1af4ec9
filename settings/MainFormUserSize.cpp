// MainFormUserSize.cpp: the main window's custom grid size command.
#include "app/ErrorBox.h"
#include "app/TMainForm.h"
#include "settings/Infobank.h"
#include "settings/TUserDefDlg.h"

void TMainForm::CmUserClick(QObject*) {
    Guarded([this] {
        TUserDefDlg dialog(this);
        dialog.HSpinEdit->SetValue(Settings.UserDefineH);
        dialog.VSpinEdit->SetValue(Settings.UserDefineV);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        Settings.UserDefineH = dialog.HSpinEdit->Value();
        Settings.UserDefineV = dialog.VSpinEdit->Value();
        CheckLevel(CmUser);
        CmReset->trigger();
    });
    // The toolbar's button was pressed before the dialog opened; whatever came of it, the
    // buttons follow the checked level item again.
    SyncLevelButtons();
}
