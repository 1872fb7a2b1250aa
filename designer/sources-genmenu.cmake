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

# End to end: the dialog makes a package under Wine; the script then reads it
# with unzip, gzip and ImageMagick and its own romfs reader.
set(_gm_res ${CMAKE_SOURCE_DIR}/resources/zavomgr)
zavo_add_test(genmenu_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/genmenu_test.cpp ${_gm_res}/Zavomgr.rc
  LIBS designer_genmenu designer_app WINDOWS ONE_PROCESS)
if(TARGET genmenu_test)
  target_include_directories(genmenu_test PRIVATE ${_gm_res} ${CMAKE_BINARY_DIR}/resources/zavomgr)
  add_dependencies(genmenu_test zavomgr_generated)
  set_tests_properties(genmenu_test PROPERTIES FIXTURES_SETUP genmenu_package)
  find_package(Python3 COMPONENTS Interpreter)
  add_test(NAME genmenu_package_check COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_CURRENT_LIST_DIR}/tests/genmenu_check.py ${CMAKE_BINARY_DIR}/designer/genmenu_out/package/Sample.zip)
  set_tests_properties(genmenu_package_check PROPERTIES FIXTURES_REQUIRED genmenu_package TIMEOUT 60)
  set(_gm_pkg ${CMAKE_BINARY_DIR}/designer/genmenu_out/package)
  add_test(NAME genmenu_bare_package_check COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_CURRENT_LIST_DIR}/tests/genmenu_check.py ${_gm_pkg}/Bare.zip
    --name Bare --description "One entry on a plain page" --project "" --resolution "1024 x 768"
    --items 1 --passwords 0 --common default=0,timeout=0,quickgo=0,centercursor=0 --progress none
    --pointers ${_gm_pkg}/pointers.zmt --plain-page)
  set_tests_properties(genmenu_bare_package_check PROPERTIES FIXTURES_REQUIRED genmenu_package TIMEOUT 60)
endif()

# Typed double-byte text under the Chinese code page, into the studio's
# dialogs; the password's hash and the package are then checked outside Wine.
zavo_add_test(typing_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/typing_test.cpp ${_gm_res}/Zavomgr.rc
  LIBS designer_genmenu designer_app designer_proptypes WINDOWS ONE_PROCESS)
if(TARGET typing_test)
  target_include_directories(typing_test PRIVATE ${_gm_res} ${CMAKE_BINARY_DIR}/resources/zavomgr)
  add_dependencies(typing_test zavomgr_generated)
  # keys go to the foreground window
  set_tests_properties(typing_test PROPERTIES RUN_SERIAL TRUE ENVIRONMENT "LC_ALL=zh_CN.UTF-8"
    FIXTURES_SETUP typed_text)
  set(_typed ${CMAKE_BINARY_DIR}/designer/typing_out)
  add_test(NAME typing_password_check COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_CURRENT_LIST_DIR}/tests/typing_check.py ${_typed})
  add_test(NAME typing_package_check COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_CURRENT_LIST_DIR}/tests/genmenu_check.py "${_typed}/Kel Menus/启动菜单.zip"
    --name "启动菜单" --name-encoding gbk --description "Typed name" --project ""
    --resolution "1024 x 768" --items 1 --passwords 0 --common default=0,timeout=0,quickgo=0,centercursor=0
    --progress none --plain-page)
  set_tests_properties(typing_password_check typing_package_check PROPERTIES
    FIXTURES_REQUIRED typed_text TIMEOUT 60)
endif()

# Package timing of a large project (bench/genmenu/run.sh).
if(ZAVO_BENCH)
  add_executable(genmenu_bench ${CMAKE_SOURCE_DIR}/bench/genmenu/genmenu_bench.cpp ${_gm_res}/Zavomgr.rc)
  target_include_directories(genmenu_bench PRIVATE ${_gm_res} ${CMAKE_BINARY_DIR}/resources/zavomgr)
  target_link_libraries(genmenu_bench PRIVATE designer_genmenu designer_app)
  add_dependencies(genmenu_bench zavomgr_generated)
endif()
