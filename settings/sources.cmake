# Sources of the settings, the records and their dialogs.
list(APPEND CORE_SOURCES settings/Infobank.cpp settings/Records.cpp settings/SpinText.cpp)
list(APPEND PLATFORM_SOURCES settings/RegFileStore.cpp)
list(APPEND GUI_SOURCES
  settings/TInputNameDlg.cpp
  settings/TRecordDlg.cpp
  settings/MainFormRecords.cpp
  settings/TSpinEdit.cpp
  settings/TUserDefDlg.cpp
  settings/MainFormUserSize.cpp
  resources/TInputNameDlg.ui
  resources/TRecordDlg.ui
  resources/TUserDefDlg.ui
)
