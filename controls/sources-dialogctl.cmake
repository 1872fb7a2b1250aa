# controls_dialogctl: the image button, the checkable group box and the group line.
if(NOT WIN32)
  return()
endif()
add_library(controls_dialogctl STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CheckableGroupBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageButton.cpp)
target_include_directories(controls_dialogctl PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_dialogctl PUBLIC zavofw gdi32 user32 comctl32 winmm)

controls_add_serial_test(controls_dialogctl_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/dialogctl_test.cpp LIBS controls_dialogctl)
