# Sources of the About box.
list(APPEND GUI_SOURCES
  about/MainFormAbout.cpp
)
