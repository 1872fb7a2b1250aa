# The design canvas: page drawing, editing by mouse and keyboard, the editing
# commands and the page renders of the view's canvas.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_canvas STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DesignCanvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewCanvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasContextMenu.cpp)
target_include_directories(designer_canvas PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_canvas PUBLIC designer_model designer_core controls_core imaging zavofw
  gdi32 user32)

zavo_add_test(canvas_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/canvas_test.cpp
  LIBS designer_canvas WINDOWS)

# Full-redraw timing of a large page (bench/canvas/run.sh).
if(ZAVO_BENCH)
  add_executable(canvas_bench ${CMAKE_SOURCE_DIR}/bench/canvas/canvas_bench.cpp)
  target_link_libraries(canvas_bench PRIVATE designer_canvas)
endif()
