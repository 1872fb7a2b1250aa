# The element property dialogs' common base: file and template pickers, the
# template library's text source, folder making, OK, Cancel and Apply.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_propdlg STATIC ${CMAKE_CURRENT_LIST_DIR}/UIControlPrpDlg.cpp)
target_include_directories(designer_propdlg PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_propdlg PUBLIC designer_model designer_lang designer_core controls_dialogctl
  controls_core zavofw comdlg32 user32)

zavo_add_test(uicontrolprpdlg_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/uicontrolprpdlg_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tests/uicontrolprpdlg_test.rc LIBS designer_propdlg WINDOWS ONE_PROCESS)
if(TARGET uicontrolprpdlg_test)
  target_include_directories(uicontrolprpdlg_test PRIVATE ${CMAKE_SOURCE_DIR}/resources/zavomgr)
endif()

# The studio's dialogs for each element type and the template library's
# picker, registered with the element model at start-up.
add_library(designer_propfactory STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PropDlgFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TemplateImport.cpp)
target_include_directories(designer_propfactory PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_propfactory PUBLIC designer_proptypes designer_propdlg designer_model Gorvanel)
target_link_libraries(designer_app PUBLIC designer_propfactory)
