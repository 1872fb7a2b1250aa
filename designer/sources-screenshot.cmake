# Helper of the start-up screenshot test: finds the menu bar texts and the
# title, rendered with the system's fonts, in the screenshot.
if(NOT WIN32 OR NOT ZAVO_TESTS OR ZAVO_FUZZ)
  return()
endif()
add_executable(screenshot_match ${CMAKE_CURRENT_LIST_DIR}/tests/screenshot_match.cpp)
target_link_libraries(screenshot_match PRIVATE user32 gdi32)
