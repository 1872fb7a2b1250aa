# Window class tests (Windows build, run under Wine with Xvfb).
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  enable_language(RC)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/WinTest.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/WinTestRes.h)
  zavo_add_test(wnd_msgmap_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/WndTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinTest.rc LIBS zavofw WINDOWS)
endif()
# When temporary wrappers are freed inside modal loops.
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  zavo_add_test(fw_tempmap_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/TempMapTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinTest.rc LIBS zavofw comctl32 WINDOWS)
endif()
