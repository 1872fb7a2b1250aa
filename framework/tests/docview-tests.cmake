# Tests of the document/view classes, frames and bars (Windows build, Wine).
if(ZAVO_TESTS AND NOT ZAVO_FUZZ)
  enable_language(RC)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/DocViewTest.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/DocViewTestRes.h)
  zavo_add_test(fw_docview_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DocViewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BarsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DocViewTestKit.h
    ${CMAKE_CURRENT_LIST_DIR}/DocViewTest.rc
    LIBS zavofw WINDOWS)
  target_include_directories(fw_docview_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endif()
