# Sources of the sound effects and the music.
list(APPEND GUI_SOURCES
  audio/MainFormSound.cpp
)
