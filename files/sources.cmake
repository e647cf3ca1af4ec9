# Sources of the reading of the player's files, which any of them may be something else.
list(APPEND PLATFORM_SOURCES files/RegularFile.cpp)
