# controls_link: the link text of the About box.
if(NOT WIN32)
  return()
endif()
add_library(controls_link STATIC ${CMAKE_CURRENT_LIST_DIR}/LinkStatic.cpp)
target_include_directories(controls_link PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_link PUBLIC zavofw gdi32 user32 comctl32 shell32 advapi32)

controls_add_serial_test(controls_link_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/linkstatic_test.cpp LIBS controls_link)
