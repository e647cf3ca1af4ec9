// MainFormRecords.cpp: the main window's record check after a game and the records dialog.
#include "app/TMainForm.h"
#include "forms/ErrorBox.h"
#include "settings/TInputNameDlg.h"
#include "settings/TRecordDlg.h"
#include "settings/core/Infobank.h"
#include "settings/core/Records.h"

void TMainForm::CheckNewRecord(int32_t seconds) {
    const int32_t level = CheckedLevel();
    if (!IsNewRecord(Settings, level, seconds)) {
        return;
    }
    Guarded([&] {
        TInputNameDlg dialog(this);
        // However it was closed, the name field holds the name.
        dialog.exec();
        StoreRecord(Settings, level, dialog.NameEdit->text().toStdString(), seconds);
        // Saved at once, so a crash or a power cut before the exit cannot lose the record.
        SaveSettingsNow();
    });
}

void TMainForm::CmScopeClick(QObject*) {
    TRecordDlg dialog(this);
    dialog.exec();
}
