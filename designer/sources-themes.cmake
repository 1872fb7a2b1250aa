# Theme files: the ini text and the archive reader (window-free, builds natively).
if(NOT TARGET zavofw)
  return()
endif()
add_library(designer_themes STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ThemeSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThemeFileReader.cpp)
target_include_directories(designer_themes PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_themes PUBLIC designer_core)

# Theme archives made by Python's zip and tar writers at build time.
find_program(ZAVO_PYTHON3 python3)
set(_theme_fx_dir ${CMAKE_BINARY_DIR}/designer/theme_fixtures)
set(_theme_fx_script ${CMAKE_CURRENT_LIST_DIR}/tests/theme_make_fixtures.py)
add_custom_command(OUTPUT ${_theme_fx_dir}/menu.zmt
  COMMAND ${ZAVO_PYTHON3} ${_theme_fx_script} ${_theme_fx_dir}
  DEPENDS ${_theme_fx_script}
  COMMENT "Theme test fixtures")
add_custom_target(theme_fixtures DEPENDS ${_theme_fx_dir}/menu.zmt)

zavo_add_test(theme_reader_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/theme_reader_test.cpp
  LIBS designer_themes)
if(TARGET theme_reader_test)
  add_dependencies(theme_reader_test theme_fixtures)
endif()
zavo_add_fuzzer(theme_fuzzer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/theme_fuzzer.cpp LIBS designer_themes)

# The themed preview controls of the property dialogs (Windows).
if(NOT WIN32)
  return()
endif()
add_library(designer_themedctrls STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ThemedButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThemedProgressCtrl.cpp)
target_include_directories(designer_themedctrls PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_themedctrls PUBLIC designer_themes designer_nineslice controls_core imaging zavofw
  comctl32 gdi32 user32)

set(_themes_res ${CMAKE_SOURCE_DIR}/resources/zavomgr)
zavo_add_test(themedctrls_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/themedctrls_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/themedctrls_test.rc
  LIBS designer_themedctrls WINDOWS)
if(TARGET themedctrls_test)
  target_include_directories(themedctrls_test PRIVATE ${_themes_res})
  add_dependencies(themedctrls_test theme_fixtures)
  file(GLOB _themes_res_deps ${_themes_res}/themes.rc ${_themes_res}/resource.h ${_themes_res}/ctrl_*.bmp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/themedctrls_test.rc PROPERTIES
    OBJECT_DEPENDS "${_themes_res_deps}")
endif()
