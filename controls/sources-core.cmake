# controls_core: the basic drawing helpers and small controls the studio's
# windows build on. controls_base (colour maths, ids, owning arrays) builds
# natively too.
add_library(controls_base STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HslColor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UniqueId.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPickerNav.cpp
)
target_include_directories(controls_base PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_base PUBLIC zavofw)
zavo_add_test(controls_colormath_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/colormath_test.cpp LIBS controls_base)
zavo_add_test(controls_base_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/base_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/colorpicker_nav_test.cpp LIBS controls_base)

if(NOT WIN32)
  return()
endif()
add_library(controls_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/BitmapPixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontFileName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BarPainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OffscreenDC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VersionInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyNameEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDialogEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontDialogEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinStart.cpp
)
target_include_directories(controls_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_core PUBLIC controls_base controls_fileedit zavofw advapi32 gdi32 user32 msimg32 version comdlg32 comctl32)

# one process: the font-file cases add and remove values of the same registry
# key, and a removal shifts another process's enumeration of it
zavo_add_test(controls_font_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/colorfont_test.cpp LIBS controls_core WINDOWS ONE_PROCESS)
controls_add_serial_test(controls_font_face_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/colorfont_face_test.cpp LIBS controls_core)
zavo_add_test(controls_drawing_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/drawing_test.cpp LIBS controls_core WINDOWS)
zavo_add_test(controls_smallcontrols_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/smallcontrols_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/versioninfo_test.rc
  LIBS controls_core WINDOWS)
# The popup ends when the application loses the activation: no other window
# test may run beside it.
controls_add_serial_test(controls_colorbutton_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/colorbutton_test.cpp LIBS controls_core)
controls_add_serial_test(controls_commondialogs_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/commondialogs_test.cpp LIBS controls_core)

# The main frame's status bar (over the framework's status bar).
add_library(controls_statusbar STATIC ${CMAKE_CURRENT_LIST_DIR}/ImageStatusBar.cpp)
target_link_libraries(controls_statusbar PUBLIC controls_core zavofw msimg32)
zavo_add_test(controls_statusbar_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/statusbar_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/statusbar_test.rc
  LIBS controls_statusbar WINDOWS)
if(TARGET controls_statusbar_test)
  target_include_directories(controls_statusbar_test PRIVATE ${CMAKE_SOURCE_DIR}/resources/zavomgr)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/statusbar_test.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/zavomgr/status_position.bmp)
endif()
