# controls_fileedit: the path field with its browse button, and the profile
# edit it builds on. It needs only the framework, so any program can link it.
if(NOT WIN32)
  return()
endif()
add_library(controls_fileedit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProfileEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FECFileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileEditCtrl.cpp)
target_include_directories(controls_fileedit PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(controls_fileedit PUBLIC zavofw shell32 ole32 uuid comdlg32 comctl32 gdi32 user32)

# one process, alone: the cases hold the focus and open the system's dialogs
controls_add_serial_test(controls_fileedit_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/fileedit_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/fileedit_test.rc
  LIBS controls_fileedit)
