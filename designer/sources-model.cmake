# The element model: the element base class, the element list with its undo
# snapshots and clipboard, creation by type, and the four element types.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_model STATIC
  ${CMAKE_CURRENT_LIST_DIR}/UIControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIControlList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIControlFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UIStatic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WallpaperCanvas.cpp)
target_include_directories(designer_model PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_model PUBLIC designer_core designer_nineslice designer_lang controls_core
  designer_themes designer_themedctrls controls_text imaging zavofw gdi32 user32)

zavo_add_test(uicontrol_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/uicontrol_test.cpp
  LIBS designer_model WINDOWS)
if(TARGET uicontrol_test)
  add_dependencies(uicontrol_test theme_fixtures)
endif()
zavo_add_test(uicontrollist_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/uicontrollist_test.cpp
  LIBS designer_model WINDOWS)

zavo_add_test(uielements_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/uielements_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/uielements_test.rc
  LIBS designer_model WINDOWS)
if(TARGET uielements_test)
  target_include_directories(uielements_test PRIVATE ${CMAKE_SOURCE_DIR}/resources/zavomgr)
  add_dependencies(uielements_test theme_fixtures)
  file(GLOB _elements_res_deps ${CMAKE_SOURCE_DIR}/resources/zavomgr/themes.rc
    ${CMAKE_SOURCE_DIR}/resources/zavomgr/elements.rc ${CMAKE_SOURCE_DIR}/resources/zavomgr/resource.h
    ${CMAKE_SOURCE_DIR}/resources/zavomgr/ctrl_*.bmp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/uielements_test.rc PROPERTIES
    OBJECT_DEPENDS "${_elements_res_deps}")
endif()
