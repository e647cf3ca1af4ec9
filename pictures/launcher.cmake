# Sources of the launcher screen for the picture disc.
list(APPEND CORE_SOURCES pictures/DiscSearch.cpp)
list(APPEND PLATFORM_SOURCES pictures/MountVolumes.cpp pictures/EditorLauncher.cpp)
list(APPEND GUI_SOURCES
  pictures/TPlayAndEditDlg.cpp
  resources/TPlayAndEditDlg.ui
)
# The button pictures join the gui target, which exists only once cmake/Gui.cmake has run, so
# they are added after the top-level CMakeLists.txt has been read to its end.
if(WITH_GUI)
  cmake_language(DEFER CALL include ${CMAKE_SOURCE_DIR}/pictures/launcher_gui.cmake)
endif()
