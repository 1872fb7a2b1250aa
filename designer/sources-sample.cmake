# The sample project in the program folder ("Zavo Projects\Sample": the
# project file and the pictures its script draws), and the studio driven
# through it end to end.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
find_package(Python3 COMPONENTS Interpreter)
set(_sample_src ${CMAKE_SOURCE_DIR}/samples)
set(_sample_dir "${CMAKE_BINARY_DIR}/bin/Zavo Projects/Sample")
add_custom_command(OUTPUT "${_sample_dir}/Sample.kel" "${_sample_dir}/wallpaper.png" "${_sample_dir}/logo.png"
    "${_sample_dir}/chunk.png"
  COMMAND ${Python3_EXECUTABLE} ${_sample_src}/make_pictures.py "${_sample_dir}"
  COMMAND ${CMAKE_COMMAND} -E copy ${_sample_src}/Sample.kel "${_sample_dir}/Sample.kel"
  DEPENDS ${_sample_src}/make_pictures.py ${_sample_src}/Sample.kel COMMENT "Sample project")
add_custom_target(zavomgr_sample ALL DEPENDS "${_sample_dir}/Sample.kel")

# The studio's own themes in the program's Themes folder; the sample's
# entries and progress bar use them.
set(_themes_dir ${CMAKE_BINARY_DIR}/bin/Themes)
set(_themes_script ${CMAKE_SOURCE_DIR}/resources/themes/make_themes.py)
add_custom_command(OUTPUT ${_themes_dir}/Button/Dusk.zmt ${_themes_dir}/Progress/Dusk.zmt
    ${_themes_dir}/Pictures/Badge.png
  COMMAND ${Python3_EXECUTABLE} ${_themes_script} ${_themes_dir}
  DEPENDS ${_themes_script} COMMENT "Studio themes")
add_custom_target(zavomgr_themes ALL DEPENDS ${_themes_dir}/Button/Dusk.zmt)
add_dependencies(zavomgr_sample zavomgr_themes)

# Zavomgr.exe opens a copy of the sample, makes its menu package through the
# dialog and saves the project; the script reads the package.
zavo_add_test(sample_project_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/sample_project_test.cpp
  WINDOWS ONE_PROCESS)
if(TARGET sample_project_test)
  target_include_directories(sample_project_test PRIVATE ${CMAKE_SOURCE_DIR})
  add_dependencies(sample_project_test Zavomgr zavomgr_sample)
  string(REPLACE "/" "\\" _sample_bin "Z:${CMAKE_BINARY_DIR}")
  set_tests_properties(sample_project_test PROPERTIES FIXTURES_SETUP sample_package
    RESOURCE_LOCK zavomgr_profile)
  add_test(NAME sample_package_check COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_CURRENT_LIST_DIR}/tests/genmenu_check.py "${CMAKE_BINARY_DIR}/bin/Kel Menus/SampleTest.zip"
    --name SampleTest --description "The sample project's boot menu"
    --project "${_sample_bin}\\bin\\Zavo Projects\\SampleTest\\Sample.kel"
    --items 3 --common default=1,timeout=10,quickgo=0,centercursor=1 --progress 200,550
    --wallpaper "${CMAKE_BINARY_DIR}/bin/Zavo Projects/SampleTest/wallpaper.png" --wallpaper-area 800x140+0+400
    --button-theme ${CMAKE_BINARY_DIR}/bin/Themes/Button/Dusk.zmt)
  set_tests_properties(sample_package_check PROPERTIES FIXTURES_REQUIRED sample_package TIMEOUT 60)
  # the sample saved into a folder beside its own and reopened from a third:
  # the package still holds its wallpaper, logo and chunk
  set(_sample_test_dir "${CMAKE_BINARY_DIR}/bin/Zavo Projects/SampleTest")
  add_test(NAME sample_moved_package_check COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_CURRENT_LIST_DIR}/tests/genmenu_check.py "${CMAKE_BINARY_DIR}/bin/Kel Menus/SampleMoved.zip"
    --name SampleMoved --description "The sample project's boot menu"
    --project "${_sample_bin}\\bin\\Zavo Projects\\SampleMoved\\Sample.kel"
    --items 3 --common default=1,timeout=10,quickgo=0,centercursor=1 --progress 200,550
    --wallpaper "${_sample_test_dir}/wallpaper.png" --wallpaper-area 800x140+0+400
    --picture "${_sample_test_dir}/logo.png@36,36,96,96" --chunk "${_sample_test_dir}/chunk.png")
  set_tests_properties(sample_moved_package_check PROPERTIES FIXTURES_REQUIRED sample_package TIMEOUT 60)
endif()

# File > web export on the sample in the test's own process; the page it
# leaves is parsed by Python's html.parser.
zavo_add_test(web_export_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/web_export_test.cpp
  ${CMAKE_SOURCE_DIR}/resources/zavomgr/Zavomgr.rc LIBS designer_app WINDOWS ONE_PROCESS)
if(TARGET web_export_test)
  target_include_directories(web_export_test PRIVATE ${CMAKE_SOURCE_DIR}/resources/zavomgr
    ${CMAKE_BINARY_DIR}/resources/zavomgr)
  add_dependencies(web_export_test zavomgr_generated zavomgr_sample)
  set_tests_properties(web_export_test PROPERTIES FIXTURES_SETUP web_page)
  add_test(NAME web_page_check COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/tests/web_page_check.py
    ${CMAKE_BINARY_DIR}/designer/web_export/WritesThePageWithItsPicturesAndOpensIt/WebPages/Sample.html)
  set_tests_properties(web_page_check PROPERTIES FIXTURES_REQUIRED web_page TIMEOUT 60)
endif()

# Dialogs opened from running modal dialogs, in a studio on a copy of the
# sample. The test reads which window is in front: it runs alone.
zavo_add_test(nested_modal_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/nested_modal_test.cpp
  WINDOWS ONE_PROCESS)
if(TARGET nested_modal_test)
  target_include_directories(nested_modal_test PRIVATE ${CMAKE_SOURCE_DIR})
  add_dependencies(nested_modal_test Zavomgr zavomgr_sample)
  set_tests_properties(nested_modal_test PROPERTIES RUN_SERIAL TRUE RESOURCE_LOCK zavomgr_profile)
endif()
