# Window classes of zavofw (Windows only): message maps, windows, the
# application, dialogs, controls and GDI wrappers.
if(WIN32)
  target_sources(zavofw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CmdTarget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CmdUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Wnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinThread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinApp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandLineInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecentFileList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResourceList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Menu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GdiObject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DataExchange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OleDataSource.cpp
  )
  target_link_libraries(zavofw PUBLIC user32 gdi32 comctl32 comdlg32 shell32 ole32 uuid advapi32 msimg32)

  # WinMain lives in each program (a DLL cannot hold it): link zavofw_main.
  add_library(zavofw_main STATIC ${CMAKE_CURRENT_LIST_DIR}/WinMain.cpp)
  target_link_libraries(zavofw_main PUBLIC zavofw)
  include(${CMAKE_CURRENT_LIST_DIR}/tests/win-tests.cmake OPTIONAL)
endif()

# Further groups of window classes, one file each.
if(WIN32)
  file(GLOB _fw_parts ${CMAKE_CURRENT_LIST_DIR}/sources-win-*.cmake)
  list(SORT _fw_parts)
  foreach(_part ${_fw_parts})
    include(${_part})
  endforeach()
endif()
