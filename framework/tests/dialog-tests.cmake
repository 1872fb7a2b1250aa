# Property sheet, common dialog and resource library tests (Windows build,
# run under Wine with Xvfb).
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  enable_language(RC)
  set(_dt ${CMAKE_CURRENT_LIST_DIR})
  set(_bmp ${CMAKE_CURRENT_BINARY_DIR}/fw_test_lib.bmp)
  # a 5x3 red bitmap for the library's BITMAP resource
  add_custom_command(OUTPUT ${_bmp}
    COMMAND /usr/bin/convert -size 5x3 xc:red -type TrueColor BMP3:${_bmp}
    VERBATIM)
  set_source_files_properties(${_dt}/ResDll.rc PROPERTIES
    OBJECT_DEPENDS "${_dt}/DialogTestRes.h;${_bmp}")
  set_source_files_properties(${_dt}/DialogTest.rc PROPERTIES
    OBJECT_DEPENDS ${_dt}/DialogTestRes.h)
  add_library(fw_test_lib SHARED ${_dt}/ResDll.cpp ${_dt}/ResDll.rc ${_bmp})
  target_include_directories(fw_test_lib PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_target_properties(fw_test_lib PROPERTIES PREFIX "")
  target_link_libraries(fw_test_lib PRIVATE zavofw)
  zavo_add_test(fw_dialog_test SOURCES ${_dt}/DialogTest.cpp ${_dt}/DialogTest.rc
    LIBS zavofw comctl32 WINDOWS)
  add_dependencies(fw_dialog_test fw_test_lib)
endif()
# Owners of modal and modeless windows, the main window's lifetime. They
# check which window is active, and the active window follows other
# programs' windows: each runs alone.
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/OwnerTest.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/OwnerTestRes.h)
  add_executable(fw_owner_test ${CMAKE_CURRENT_LIST_DIR}/OwnerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OwnerTest.rc)
  target_link_libraries(fw_owner_test PRIVATE zavofw GTest::gtest GTest::gtest_main)
  gtest_discover_tests(fw_owner_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ZAVO_TEST_TIMEOUT} RUN_SERIAL TRUE)
endif()
