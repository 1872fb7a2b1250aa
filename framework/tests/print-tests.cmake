# Print setup and view printing (Windows build, Wine).
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  zavo_add_test(fw_print_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/PrintTest.cpp LIBS zavofw WINDOWS)
endif()
