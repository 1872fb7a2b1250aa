# The property dialogs of the menu entry, picture, text and progress bar.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_proptypes STATIC
  ${CMAKE_CURRENT_LIST_DIR}/EntryPrpDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonPrpDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PicturePrpDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StaticPrpDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgressPrpDlg.cpp)
target_include_directories(designer_proptypes PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_proptypes PUBLIC designer_propdlg designer_capture designer_themedctrls designer_model
  controls_previews controls_text controls_core imaging zavofw comdlg32 gdi32 user32)

set(_proptypes_res ${CMAKE_SOURCE_DIR}/resources/zavomgr)
zavo_add_test(proptypes_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/proptypes_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/proptypes_test.rc
  LIBS designer_proptypes WINDOWS ONE_PROCESS)
if(TARGET proptypes_test)
  # modal dialogs take the foreground: one process, never beside another test
  set_tests_properties(proptypes_test PROPERTIES RUN_SERIAL TRUE)
  target_include_directories(proptypes_test PRIVATE ${_proptypes_res})
  add_dependencies(proptypes_test theme_fixtures)
  file(GLOB _proptypes_res_deps ${_proptypes_res}/proptypes.rc ${_proptypes_res}/themes.rc
    ${_proptypes_res}/elements.rc ${_proptypes_res}/resource.h ${_proptypes_res}/ctrl_*.bmp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/proptypes_test.rc PROPERTIES
    OBJECT_DEPENDS "${_proptypes_res_deps}")
endif()
