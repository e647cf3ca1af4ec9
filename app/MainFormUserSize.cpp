// MainFormUserSize.cpp: the main window's custom grid size command.
#include "app/TMainForm.h"
#include "forms/ErrorBox.h"
#include "settings/TUserDefDlg.h"
#include "settings/core/Infobank.h"

void TMainForm::CmUserClick(QObject*) {
    // The level being chosen shows on the toolbar while the dialog is open, however it was
    // asked for: a press of the button already pressed would otherwise have released it.
    PressLevelButton(UserBtn);
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
    // Whatever came of the dialog, the buttons follow the checked level item again.
    SyncLevelButtons();
}
