# The skin library proper (Windows): package, schema, theme classes, bitmaps,
# drawing, metrics and system services, linking the framework DLL as the hosts do.
add_library(skin_lib STATIC
  ${CMAKE_CURRENT_LIST_DIR}/support/SysServices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/DrawHelpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/PngBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/BitmapLoad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/SkinContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/ThemePackage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/ThemeSchema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/DefaultThemeSchema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/ThemeClass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinEdge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinPaintDC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinSystemMetrics.cpp)
target_include_directories(skin_lib PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(skin_lib PUBLIC skin_core zavofw gdi32 user32)
