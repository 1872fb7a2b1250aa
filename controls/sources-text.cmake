# controls_text: the mark-up text renderer, the dialog banner, the wait dialog
# and the element previews.
if(NOT WIN32)
  return()
endif()
add_library(controls_text STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HtmlColor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlTextRenderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogHeader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaitDialog.cpp)
target_include_directories(controls_text PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_text PUBLIC controls_core zavofw gdi32 user32 comctl32)

zavo_add_test(controls_htmltext_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/htmltext_test.cpp
  LIBS controls_text WINDOWS)

set(_text_res ${CMAKE_SOURCE_DIR}/resources/zavomgr)
zavo_add_test(controls_textcontrols_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/textcontrols_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/textcontrols_test.rc
  LIBS controls_text WINDOWS)
if(TARGET controls_textcontrols_test)
  # The banner's icon: the studio's icon, written by its own script.
  find_package(Python3 COMPONENTS Interpreter)
  set(_text_gen ${CMAKE_CURRENT_BINARY_DIR}/textcontrols_test_res)
  add_custom_command(OUTPUT ${_text_gen}/banner_test.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_text_gen}
    COMMAND ${Python3_EXECUTABLE} ${_text_res}/make_icon.py ${_text_gen}/banner_test.ico
    DEPENDS ${_text_res}/make_icon.py ${_text_res}/bmpfile.py)
  target_include_directories(controls_textcontrols_test PRIVATE ${_text_res} ${_text_gen})
  file(GLOB _text_res_deps ${_text_res}/themes.rc ${_text_res}/resource.h ${_text_res}/ctrl_*.bmp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/textcontrols_test.rc PROPERTIES
    OBJECT_DEPENDS "${_text_res_deps};${_text_gen}/banner_test.ico")
endif()

# controls_previews: the element previews of the property dialogs and wizards.
add_library(controls_previews STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProgressPreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PicturePreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextPreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThumbnailStatic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CursorPreview.cpp)
target_include_directories(controls_previews PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_previews PUBLIC controls_core designer_core imaging zavofw gdi32 user32)

zavo_add_test(controls_previews_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/previews_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/textcontrols_test.rc
  LIBS controls_previews WINDOWS)
if(TARGET controls_previews_test)
  target_include_directories(controls_previews_test PRIVATE ${_text_res} ${_text_gen})
  add_dependencies(controls_previews_test theme_fixtures)
endif()

# Chinese text in the interface faces, in the Chinese code page
if(ZAVO_TESTS AND WIN32 AND NOT ZAVO_FUZZ)
  add_executable(controls_cjk_font_test ${CMAKE_CURRENT_LIST_DIR}/tests/cjk_font_test.cpp)
  target_link_libraries(controls_cjk_font_test PRIVATE GTest::gtest GTest::gtest_main)
  gtest_discover_tests(controls_cjk_font_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ZAVO_TEST_TIMEOUT} ENVIRONMENT "LC_ALL=zh_CN.UTF-8")
endif()
