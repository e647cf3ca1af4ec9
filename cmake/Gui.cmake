# The Qt front end's targets (the widgets, the sound module, the game executable), the built-in
# images, the sounds and the translations; the folders add their files to the targets.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test LinguistTools)
find_package(PkgConfig REQUIRED)
# The adapters may use Qt Core, and take its class wherever it has one for the job.
target_link_libraries(platform PUBLIC Qt6::Core)
set_target_properties(platform PROPERTIES AUTOMOC ON)
pkg_check_modules(SDL2MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)

# Built-in pictures, glyphs, icon and cursors, drawn by our own generator; the glyphs and
# cursors carry their own transparency.
set(ASSET_DIR ${CMAKE_CURRENT_BINARY_DIR}/assets)
set(IMAGE_ASSETS
  default.bmp aboutlogo.bmp reset.png new.png basic.png middle.png advance.png user.png
  number.png music.png sound.png scope.png pause.png icon.png
  cursor_up.png cursor_down.png cursor_left.png cursor_right.png
)
list(TRANSFORM IMAGE_ASSETS PREPEND ${ASSET_DIR}/ OUTPUT_VARIABLE IMAGE_ASSET_PATHS)
# The desktop's icons, drawn at each size rather than scaled from one.
set(ICON_SIZES 16 22 24 32 48 64 128 256)
list(TRANSFORM ICON_SIZES REPLACE "(.+)" "${ASSET_DIR}/icon_\\1.png" OUTPUT_VARIABLE ICON_PATHS)
add_custom_command(
  OUTPUT ${IMAGE_ASSET_PATHS} ${ICON_PATHS}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_images.py ${ASSET_DIR}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_images.py ${CMAKE_CURRENT_SOURCE_DIR}/tools/bmpwriter.py
  COMMENT "Drawing the built-in pictures, glyphs and cursors"
  VERBATIM
)

# The effects and the music, made by our own generator and put beside the executable, where the
# game looks for them.
set(SOUND_FILES pon.wav error.wav Music.mid)
list(TRANSFORM SOUND_FILES PREPEND ${CMAKE_BINARY_DIR}/ OUTPUT_VARIABLE SOUND_PATHS)
add_custom_command(
  OUTPUT ${SOUND_PATHS}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_sounds.py ${CMAKE_BINARY_DIR}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_sounds.py
  COMMENT "Making the sound effects and the music"
  VERBATIM
)
add_custom_target(sounds ALL DEPENDS ${SOUND_PATHS})

add_library(gui STATIC)
set_target_properties(gui PROPERTIES
  AUTOMOC ON
  AUTOUIC ON
  AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR}/resources
)
target_link_libraries(gui PUBLIC core platform Qt6::Widgets ${CMAKE_DL_LIBS})
# The forms' generated headers are part of the forms' public headers.
target_include_directories(gui PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/gui_autogen/include)
qt_add_resources(gui assets PREFIX / BASE ${ASSET_DIR} FILES ${IMAGE_ASSET_PATHS})

# The sound output and the module the game loads it from, beside the executable.
add_library(audio_output STATIC)
target_link_libraries(audio_output PUBLIC core platform Qt6::Widgets PkgConfig::SDL2MIXER PkgConfig::FLUIDSYNTH)
add_library(zellipo_audio MODULE)
target_link_libraries(zellipo_audio PRIVATE audio_output)
# Only the entry point is the module's own; the libraries linked in stay hidden inside it.
target_link_options(zellipo_audio PRIVATE -Wl,--exclude-libs,ALL)
set_target_properties(zellipo_audio PROPERTIES
  PREFIX "" OUTPUT_NAME zellipo-audio
  CXX_VISIBILITY_PRESET hidden
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
)

add_executable(zellipo)
target_link_libraries(zellipo PRIVATE gui PkgConfig::FONTCONFIG)
add_dependencies(zellipo sounds zellipo_audio)
set_target_properties(zellipo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The texts are written in Traditional Chinese; each translation is compiled beside the game,
# where it looks for them.
set(TRANSLATION_FILES ${CMAKE_CURRENT_SOURCE_DIR}/translations/zellipo_en.ts)
set_source_files_properties(${TRANSLATION_FILES} PROPERTIES OUTPUT_LOCATION ${CMAKE_BINARY_DIR})
qt_add_lrelease(zellipo TS_FILES ${TRANSLATION_FILES} QM_FILES_OUTPUT_VARIABLE TRANSLATION_QM_FILES)
