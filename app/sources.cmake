# Sources of the application shell: the entry point, the main window, the clock.
list(APPEND CORE_SOURCES app/GameClock.cpp app/Levels.cpp app/PauseWatch.cpp)
list(APPEND PLATFORM_SOURCES app/SystemClocks.cpp app/ToolkitArguments.cpp)
list(APPEND GUI_SOURCES
  app/TZellipoApp.cpp
  app/ErrorBox.cpp
  app/Translation.cpp
  app/FormLook.cpp
  app/DialogKeys.cpp
  app/SignalRoute.cpp
  app/Resources.cpp
  app/TImage.cpp
  app/TMainForm.cpp
  app/MainFormClock.cpp
  resources/TMainForm.ui
)
