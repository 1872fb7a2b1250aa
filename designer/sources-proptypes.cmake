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
target_link_libraries(designer_proptypes PUBLIC designer_propdlg designer_themedctrls designer_model
  controls_text controls_core imaging zavofw comdlg32 gdi32 user32)
