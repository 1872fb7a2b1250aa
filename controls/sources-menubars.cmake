# Menus and bars of the main frame: owner-drawn menu, menu bar, toolbar images,
# image and position toolbars, taskbar notifier.
# The toolbar image effects work on pixel buffers only and build natively too.
add_library(controls_pixeleffect STATIC ${CMAKE_CURRENT_LIST_DIR}/PixelEffect.cpp)
target_include_directories(controls_pixeleffect PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_pixeleffect PUBLIC controls_base)
zavo_add_test(controls_pixeleffect_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/pixeleffect_test.cpp LIBS controls_pixeleffect)

if(NOT WIN32)
  return()
endif()
# The menu bar and its toolbar images alone, for programs with a toolbar of their own.
add_library(controls_menubar STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MenuDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBarImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuBar.cpp
)
target_include_directories(controls_menubar PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_menubar PUBLIC controls_core zavofw comctl32 shlwapi gdi32 user32)

add_library(controls_menubars STATIC
  ${CMAKE_CURRENT_LIST_DIR}/OwnerDrawMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TaskbarNotifier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EffectBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PositionToolBar.cpp
)
target_include_directories(controls_menubars PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_menubars PUBLIC controls_menubar controls_pixeleffect controls_core zavofw comctl32 advapi32 gdi32 user32)

# The tests carry the studio's toolbar resources and a small menu of their own.
set(_mb_res ${CMAKE_SOURCE_DIR}/resources/zavomgr)
set(_mb_test_rc ${CMAKE_CURRENT_LIST_DIR}/tests/menubars_test.rc)
file(GLOB _mb_res_deps ${_mb_res}/*.rc ${_mb_res}/*.h ${_mb_res}/*.bmp)
set_source_files_properties(${_mb_test_rc} PROPERTIES OBJECT_DEPENDS "${_mb_res_deps}")
function(_menubars_test name)
  cmake_parse_arguments(M "SERIAL" "" "" ${ARGN})
  if(M_SERIAL)
    controls_add_serial_test(${name} SOURCES ${M_UNPARSED_ARGUMENTS} ${_mb_test_rc} LIBS controls_menubars)
  else()
    zavo_add_test(${name} SOURCES ${M_UNPARSED_ARGUMENTS} ${_mb_test_rc} LIBS controls_menubars WINDOWS)
  endif()
  if(TARGET ${name})
    target_include_directories(${name} PRIVATE ${_mb_res})
  endif()
endfunction()
_menubars_test(controls_ownerdrawmenu_test ${CMAKE_CURRENT_LIST_DIR}/tests/ownerdrawmenu_test.cpp)
if(TARGET controls_ownerdrawmenu_test)
  # The menu is translated through the studio's language manager.
  target_link_libraries(controls_ownerdrawmenu_test PRIVATE designer_lang)
endif()
_menubars_test(controls_notifier_images_test ${CMAKE_CURRENT_LIST_DIR}/tests/notifier_images_test.cpp)
_menubars_test(controls_menubar_test ${CMAKE_CURRENT_LIST_DIR}/tests/menubar_test.cpp SERIAL)
_menubars_test(controls_toolbars_test ${CMAKE_CURRENT_LIST_DIR}/tests/toolbars_test.cpp)
