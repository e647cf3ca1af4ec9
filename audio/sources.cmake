# Sources of the sound effects and the music.
list(APPEND CORE_SOURCES audio/MidiFile.cpp audio/MusicPlayer.cpp audio/SoundFiles.cpp)
list(APPEND GUI_SOURCES
  audio/SdlAudio.cpp
  audio/TMediaPlayer.cpp
  audio/MainFormSound.cpp
)
