# Sources of the About box.
list(APPEND CORE_SOURCES about/VersionText.cpp)
list(APPEND GUI_SOURCES
  about/TAboutBox.cpp
  about/MainFormAbout.cpp
  resources/TAboutBox.ui
)
# The box shows the version the project is built as.
set_source_files_properties(about/TAboutBox.cpp PROPERTIES COMPILE_DEFINITIONS
  "ZELLIPO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};ZELLIPO_VERSION_MINOR=${PROJECT_VERSION_MINOR};ZELLIPO_VERSION_RELEASE=${PROJECT_VERSION_PATCH}"
)
