# Sources of the picture selection.
list(APPEND CORE_SOURCES pictures/Dib.cpp pictures/GlyphFit.cpp pictures/PixelData.cpp)
list(APPEND GUI_SOURCES
  pictures/BitmapFile.cpp
  pictures/TSelSampDlg.cpp
  pictures/MainFormPictures.cpp
  pictures/MainFormDisc.cpp
  resources/TSelSampDlg.ui
)
