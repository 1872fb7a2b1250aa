# The menu generation dialog: the project as a menu package (romfs image in
# gzip, preview and description in one zip) in the menus folder.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_genmenu STATIC ${CMAKE_CURRENT_LIST_DIR}/GenMenuDlg.cpp)
target_include_directories(designer_genmenu PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_genmenu PUBLIC designer_canvas designer_model designer_core designer_lang
  deploy_wizard controls_text controls_previews imaging zavofw zavo::minizip winmm comdlg32 comctl32)
# The document runs the dialog.
target_link_libraries(designer_doc PUBLIC designer_genmenu)
