if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  enable_language(RC)
  set(_rt ${CMAKE_CURRENT_LIST_DIR})
  set_source_files_properties(${_rt}/ReviewTest.rc PROPERTIES OBJECT_DEPENDS ${_rt}/ReviewTestRes.h)
  zavo_add_test(fw_gdi_test SOURCES ${_rt}/GdiTest.cpp LIBS zavofw WINDOWS)
  zavo_add_test(fw_modeless_test SOURCES ${_rt}/ModelessDialogTest.cpp ${_rt}/ReviewTest.rc
    LIBS zavofw WINDOWS)
  target_include_directories(fw_modeless_test PRIVATE ${_rt})
endif()
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  zavo_add_test(fw_controls_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/ControlWrappersTest.cpp
    LIBS zavofw WINDOWS)
endif()
