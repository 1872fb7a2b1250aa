# Property sheets, common dialogs and the remaining control wrappers of zavofw.
if(WIN32)
  target_sources(zavofw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PropertyPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PropertySheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommonDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FontDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ColorDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RichEditCtrl.cpp
  )
  include(${CMAKE_CURRENT_LIST_DIR}/tests/dialog-tests.cmake OPTIONAL)
endif()
