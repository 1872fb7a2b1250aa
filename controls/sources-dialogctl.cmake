# controls_dialogctl: the image button, the checkable group box and the group line.
if(NOT WIN32)
  return()
endif()
add_library(controls_dialogctl STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CheckableGroupBox.cpp)
target_include_directories(controls_dialogctl PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_dialogctl PUBLIC zavofw gdi32 user32 comctl32 winmm)
