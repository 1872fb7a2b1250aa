# The main frame's bars and menus, the view's canvas and the password dialog.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
target_sources(designer_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/GenMD5Dlg.cpp)
target_link_libraries(designer_app PUBLIC designer_canvas designer_model designer_core controls_menubars
  controls_statusbar shell32)

if(ZAVO_TESTS AND NOT ZAVO_FUZZ)
  # Records how the studio started it; copied under the names of the tools.
  add_executable(zavo_standin ${CMAKE_CURRENT_LIST_DIR}/tests/standin_program.cpp)
  set(_fr_res ${CMAKE_SOURCE_DIR}/resources/zavomgr)
  zavo_add_test(frame_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/frame_test.cpp ${_fr_res}/Zavomgr.rc
    LIBS designer_app WINDOWS)
  if(TARGET frame_test)
    target_include_directories(frame_test PRIVATE ${_fr_res} ${CMAKE_BINARY_DIR}/resources/zavomgr)
    add_dependencies(frame_test zavo_standin zavomgr_generated skinstub_true)
  endif()
endif()
