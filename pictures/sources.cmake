# Sources of the picture selection.
list(APPEND GUI_SOURCES
  pictures/BitmapFile.cpp
  pictures/MainFormPictures.cpp
)
