# The five sample pictures, drawn by our generator and kept as the resources
# ":/samples/300.dib" ... ":/samples/304.dib", headerless bitmaps looked up by identifier.
set(SAMPLE_DIR ${CMAKE_CURRENT_BINARY_DIR}/samples)
set(SAMPLE_PICTURES 300.dib 301.dib 302.dib 303.dib 304.dib)
list(TRANSFORM SAMPLE_PICTURES PREPEND ${SAMPLE_DIR}/ OUTPUT_VARIABLE SAMPLE_PICTURE_PATHS)
add_custom_command(
  OUTPUT ${SAMPLE_PICTURE_PATHS}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_samples.py ${SAMPLE_DIR}
  DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_samples.py
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/gen_images.py
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/bmpwriter.py
  COMMENT "Drawing the sample pictures"
  VERBATIM
)
qt_add_resources(gui samples PREFIX /samples BASE ${SAMPLE_DIR} FILES ${SAMPLE_PICTURE_PATHS})
