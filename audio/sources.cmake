# Sources of the sound effects and the music.
list(APPEND CORE_SOURCES audio/MidiFile.cpp audio/MusicPlayer.cpp audio/SoundFiles.cpp audio/SoundfontSubset.cpp)
list(APPEND GUI_SOURCES
  audio/SdlAudio.cpp
  audio/FluidMusic.cpp
  audio/SoundfontLoading.cpp
  audio/TMediaPlayer.cpp
  audio/MainFormSound.cpp
)
