# The element property dialogs' common base: file and template pickers, the
# template library's text source, folder making, OK, Cancel and Apply.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_propdlg STATIC
  ${CMAKE_CURRENT_LIST_DIR}/UIControlPrpDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TemplateImport.cpp)
target_include_directories(designer_propdlg PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_propdlg PUBLIC designer_model designer_lang designer_core controls_dialogctl
  controls_core zavofw comdlg32 user32)
