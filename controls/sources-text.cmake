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
