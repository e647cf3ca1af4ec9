# Sources of the sound effects and the music.
list(APPEND CORE_SOURCES
  audio/MusicPlayer.cpp
  audio/SoundFiles.cpp
)
list(APPEND GUI_SOURCES
  audio/LazyAudio.cpp
  audio/TMediaPlayer.cpp
  audio/MainFormSound.cpp
)
# The output through SDL_mixer and FluidSynth, built into the sound module the game loads at
# start-up (and linked straight into the tests of the output).
list(APPEND AUDIO_OUTPUT_SOURCES
  audio/SdlAudio.cpp
  audio/FluidMusic.cpp
)
set(AUDIO_MODULE_SOURCES audio/AudioModule.cpp)
