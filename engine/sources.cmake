# Sources of the puzzle engine: board, shuffle, moves and their drawing.
list(APPEND CORE_SOURCES engine/Board.cpp engine/Generator.cpp engine/MoveRules.cpp engine/Shuffle.cpp)
list(APPEND GUI_SOURCES
  engine/TPaintBox.cpp
  engine/Cursors.cpp
  engine/MainFormBoard.cpp
  engine/MainFormMoves.cpp
)
