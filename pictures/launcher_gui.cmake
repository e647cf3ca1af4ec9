# The launcher's PLAY and 離開 button pictures, drawn by our own generator at build time.
set(LAUNCHER_ART_DIR ${CMAKE_CURRENT_BINARY_DIR}/launcher_art)
set(LAUNCHER_ART ${LAUNCHER_ART_DIR}/play.bmp ${LAUNCHER_ART_DIR}/exit.bmp)
add_custom_command(
  OUTPUT ${LAUNCHER_ART}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_launcher_art.py
          ${LAUNCHER_ART_DIR}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_launcher_art.py
          ${CMAKE_CURRENT_SOURCE_DIR}/tools/bmpwriter.py
  COMMENT "Drawing the launcher's button pictures"
  VERBATIM
)
qt_add_resources(gui launcher PREFIX /launcher BASE ${LAUNCHER_ART_DIR} FILES ${LAUNCHER_ART})
