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
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/dialogctl_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/dialogctl_test.rc
  LIBS controls_dialogctl)
if(TARGET controls_dialogctl_test)
  # The button's icon: the studio's icon, written by its own script.
  find_package(Python3 COMPONENTS Interpreter)
  set(_dialogctl_gen ${CMAKE_CURRENT_BINARY_DIR}/dialogctl_test_res)
  add_custom_command(OUTPUT ${_dialogctl_gen}/dialogctl_test.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_dialogctl_gen}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/resources/zavomgr/make_icon.py
            ${_dialogctl_gen}/dialogctl_test.ico
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/zavomgr/make_icon.py ${CMAKE_SOURCE_DIR}/resources/zavomgr/bmpfile.py)
  target_include_directories(controls_dialogctl_test PRIVATE ${_dialogctl_gen})
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/dialogctl_test.rc PROPERTIES
    OBJECT_DEPENDS ${_dialogctl_gen}/dialogctl_test.ico)
endif()
