# The screen capture dialog with its selection tracker and hint box.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_capture STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ScreenCaptureDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectionTracker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaptureInfoBox.cpp)
target_include_directories(designer_capture PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_capture PUBLIC designer_propdlg designer_lang imaging zavofw gdi32 user32)

# The capture reads the screen and its full-screen dialog takes the pointer's
# moves: one process (1 s), never beside another test.
zavo_add_test(capture_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/capture_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/capture_test.rc
  LIBS designer_capture WINDOWS ONE_PROCESS)
if(TARGET capture_test)
  set_tests_properties(capture_test PROPERTIES RUN_SERIAL TRUE)
  target_include_directories(capture_test PRIVATE ${CMAKE_SOURCE_DIR}/resources/zavomgr)
  file(GLOB _capture_res_deps ${CMAKE_SOURCE_DIR}/resources/zavomgr/capture*
    ${CMAKE_SOURCE_DIR}/resources/zavomgr/resource.h)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/capture_test.rc PROPERTIES
    OBJECT_DEPENDS "${_capture_res_deps}")
endif()
