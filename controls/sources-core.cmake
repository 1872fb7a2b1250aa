# controls_core: the basic drawing helpers and small controls the studio's
# windows build on. The colour maths (controls_colormath) builds natively too.
add_library(controls_colormath STATIC ${CMAKE_CURRENT_LIST_DIR}/HslColor.cpp)
target_include_directories(controls_colormath PUBLIC ${CMAKE_SOURCE_DIR})
zavo_add_test(controls_colormath_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/colormath_test.cpp LIBS controls_colormath)

if(NOT WIN32)
  return()
endif()
add_library(controls_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FontFileName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BarPainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OffscreenDC.cpp
)
target_include_directories(controls_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_core PUBLIC controls_colormath zavofw advapi32 gdi32 msimg32)

zavo_add_test(controls_font_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/colorfont_test.cpp LIBS controls_core WINDOWS)
zavo_add_test(controls_drawing_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/drawing_test.cpp LIBS controls_core WINDOWS)
