if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  zavo_add_test(fw_gdi_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/GdiTest.cpp LIBS zavofw WINDOWS)
endif()
