# The skin library proper (Windows): package, schema, theme classes, bitmaps,
# drawing, metrics and system services, linking the framework DLL as the hosts do.
add_library(skin_lib STATIC
  ${CMAKE_CURRENT_LIST_DIR}/support/SysServices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/GuardedCall.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/DrawHelpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/PngBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/BitmapLoad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/ImageStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/ToolTipContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/ColorTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/SkinContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/ThemePackage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/ThemeSchema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/DefaultThemeSchema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/DefaultSchemaFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/DefaultSchemaScrollBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/FrameNonClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme/ThemeClass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinEdge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinPaintDC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw/SkinSystemMetrics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/ControlStates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/ControlPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/ButtonPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/InputPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/ListPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/BarPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/TabPaint.cpp)
target_include_directories(skin_lib PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(skin_lib PUBLIC skin_core zavofw gdi32 user32 comctl32)

# The engine: hooks and skin objects; ozSkin.dll is it with
# its two exports.
add_library(skin_engine STATIC
  ${CMAKE_CURRENT_LIST_DIR}/hooks/RealApi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hooks/ModuleEnumerator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hooks/ApiHookTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/SkinObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/SkinObjectFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/SkinObjectButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/SkinObjectInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/SkinObjectLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/SkinObjectBars.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects/SkinObjectTabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine/SkinEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine/SkinClassMap.cpp)
target_link_libraries(skin_engine PUBLIC skin_lib)
add_library(ozSkin SHARED ${CMAKE_CURRENT_LIST_DIR}/engine/SkinExports.cpp ${CMAKE_CURRENT_LIST_DIR}/engine/ozSkin.def)
set_target_properties(ozSkin PROPERTIES PREFIX "" OUTPUT_NAME ozSkin)
target_link_libraries(ozSkin PRIVATE skin_engine)
add_dependencies(ozSkin ThemeUI)

# Theme packages made by the generator: ThemeUI.dll with NormalBlue.ini beside
# the programs, and the test packages in the build tree.
set(SKIN_PACKAGES ${CMAKE_CURRENT_BINARY_DIR}/packages)
set(_skin_gen ${CMAKE_CURRENT_LIST_DIR}/resources/make_theme_package.py)
add_custom_command(
  OUTPUT ${SKIN_PACKAGES}/themeui/ThemeUI.rc ${SKIN_PACKAGES}/solid/SolidPackage.rc
         ${SKIN_PACKAGES}/office/OfficePackage.rc ${SKIN_PACKAGES}/solid_colours.txt
  COMMAND ${ZAVO_PYTHON3} ${_skin_gen} ${SKIN_PACKAGES}
  DEPENDS ${_skin_gen} ${CMAKE_CURRENT_LIST_DIR}/resources/pngfile.py ${CMAKE_SOURCE_DIR}/resources/zavomgr/bmpfile.py
  COMMENT "Theme packages")

# A library of resources only: no run-time library, an entry that answers rc.
function(skin_resource_library name rc folder result output_dir)
  add_library(${name} MODULE ${rc} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/resources/ResourceOnly.c)
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name} LIBRARY_OUTPUT_DIRECTORY ${output_dir})
  target_include_directories(${name} PRIVATE ${folder})
  target_compile_definitions(${name} PRIVATE RESOURCE_ONLY_RESULT=${result})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_link_options(${name} PRIVATE -nostdlib -Wl,-e,ResourceOnlyEntry)
  else()
    target_link_options(${name} PRIVATE -nostdlib -Wl,-e,_ResourceOnlyEntry@12)
  endif()
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${SKIN_PACKAGES}/solid_colours.txt)
endfunction()
set(CMAKE_CURRENT_FUNCTION_LIST_DIR ${CMAKE_CURRENT_LIST_DIR})
skin_resource_library(ThemeUI ${SKIN_PACKAGES}/themeui/ThemeUI.rc ${SKIN_PACKAGES}/themeui TRUE
  ${CMAKE_BINARY_DIR}/bin)
skin_resource_library(SolidPackage ${SKIN_PACKAGES}/solid/SolidPackage.rc ${SKIN_PACKAGES}/solid TRUE
  ${SKIN_PACKAGES})
skin_resource_library(FailingPackage ${SKIN_PACKAGES}/solid/SolidPackage.rc ${SKIN_PACKAGES}/solid FALSE
  ${SKIN_PACKAGES})
skin_resource_library(OfficePackage ${SKIN_PACKAGES}/office/OfficePackage.rc ${SKIN_PACKAGES}/office TRUE
  ${SKIN_PACKAGES})
add_custom_target(skin_packages DEPENDS ThemeUI SolidPackage FailingPackage OfficePackage)

set(_skin_tests ${CMAKE_CURRENT_LIST_DIR}/tests)
foreach(t bitmap theme edge system store control_state control_paint)
  zavo_add_test(skin_${t}_test SOURCES ${_skin_tests}/skin_${t}_test.cpp LIBS skin_lib WINDOWS)
  if(TARGET skin_${t}_test)
    add_dependencies(skin_${t}_test skin_packages)
  endif()
endforeach()
# A theme library whose functions fault, loaded by the system test.
add_library(FaultingTheme MODULE ${_skin_tests}/FaultingTheme.c)
set_target_properties(FaultingTheme PROPERTIES PREFIX "" OUTPUT_NAME FaultingTheme)
target_link_options(FaultingTheme PRIVATE -Wl,--kill-at)
if(TARGET skin_system_test)
  add_dependencies(skin_system_test FaultingTheme)
endif()
# A theme library of a themed application, for the colour table.
add_library(ThemedStandIn MODULE ${_skin_tests}/ThemedStandIn.c)
set_target_properties(ThemedStandIn PROPERTIES PREFIX "" OUTPUT_NAME ThemedStandIn)
target_link_options(ThemedStandIn PRIVATE -Wl,--kill-at)
# Moves the cursor and shows a topmost window: one screen test at a time.
zavo_add_test(skin_tooltip_test SOURCES ${_skin_tests}/skin_tooltip_test.cpp LIBS skin_lib WINDOWS LOCK screen_pixels)
zavo_add_test(skin_manifest_test SOURCES ${_skin_tests}/skin_manifest_test.cpp ${_skin_tests}/skin_manifest_test.rc
  LIBS skin_lib WINDOWS)
if(TARGET skin_manifest_test)
  set_source_files_properties(${_skin_tests}/skin_manifest_test.rc PROPERTIES
    OBJECT_DEPENDS ${_skin_tests}/skin_manifest_test.manifest)
  target_include_directories(skin_manifest_test PRIVATE ${_skin_tests})
endif()
# Another reader lists the theme library's resources.
find_program(ZAVO_7Z 7z)
if(ZAVO_TESTS AND ZAVO_7Z)
  add_test(NAME skin_themeui_resources
    COMMAND ${CMAKE_COMMAND} -DSEVEN_ZIP=${ZAVO_7Z} -DLIBRARY=${CMAKE_BINARY_DIR}/bin/ThemeUI.dll
            -P ${_skin_tests}/check_themeui_resources.cmake)
endif()

# A host of ozSkin.dll, bound by name as the studio binds it.
zavo_add_test(skin_host_test SOURCES ${_skin_tests}/skin_host_test.cpp LIBS comctl32 WINDOWS)
zavo_add_test(skin_host_manifest_test SOURCES ${_skin_tests}/skin_host_test.cpp ${_skin_tests}/skin_manifest_test.rc
  LIBS comctl32 WINDOWS)
foreach(t skin_host_test skin_host_manifest_test)
  if(TARGET ${t})
    add_dependencies(${t} ozSkin skin_packages Gorvanel)
  endif()
endforeach()
if(TARGET skin_host_manifest_test)
  target_compile_definitions(skin_host_manifest_test PRIVATE SKIN_HOST_MANIFEST)
  target_include_directories(skin_host_manifest_test PRIVATE ${_skin_tests})
endif()
# The engine linked in: its maps and objects seen from inside.
zavo_add_test(skin_engine_test SOURCES ${_skin_tests}/skin_engine_test.cpp LIBS skin_engine comctl32 WINDOWS)
if(TARGET skin_engine_test)
  add_dependencies(skin_engine_test skin_packages ThemedStandIn)
endif()

if(ZAVO_TESTS)
  add_test(NAME skin_exports COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DLIBRARY=$<TARGET_FILE:ozSkin>
    -P ${_skin_tests}/check_skin_exports.cmake)
endif()

# ThemeStart and skinned messages timed (bench/skin/run.sh).
if(ZAVO_BENCH)
  add_executable(skin_bench ${CMAKE_SOURCE_DIR}/bench/skin/skin_bench.cpp)
  add_dependencies(skin_bench ozSkin ThemeUI)
endif()
# Frames read back from the screen: one window over the others at a time.
zavo_add_test(skin_frame_test SOURCES ${_skin_tests}/skin_frame_test.cpp LIBS skin_lib WINDOWS LOCK screen_pixels)
if(TARGET skin_frame_test)
  add_dependencies(skin_frame_test skin_packages)
endif()
zavo_add_test(skin_frame_host_test SOURCES ${_skin_tests}/skin_frame_host_test.cpp LIBS comctl32 WINDOWS
  LOCK screen_pixels)
foreach(t skin_frame_host_test)
  if(TARGET ${t})
    add_dependencies(${t} ozSkin skin_packages Gorvanel)
  endif()
endforeach()

# Skinned controls in a host of ozSkin.dll, with the plain and the version 6
# common controls (the manifest), and the class map in process.
zavo_add_test(skin_controls_host_test SOURCES ${_skin_tests}/skin_controls_host_test.cpp LIBS skin_lib WINDOWS
  LOCK screen_pixels)
zavo_add_test(skin_controls_host_v6_test SOURCES ${_skin_tests}/skin_controls_host_test.cpp
  ${_skin_tests}/skin_manifest_test.rc LIBS skin_lib WINDOWS LOCK screen_pixels)
foreach(t skin_controls_host_test skin_controls_host_v6_test)
  if(TARGET ${t})
    add_dependencies(${t} ozSkin skin_packages)
  endif()
endforeach()
if(TARGET skin_controls_host_v6_test)
  set_source_files_properties(${_skin_tests}/skin_manifest_test.rc PROPERTIES
    OBJECT_DEPENDS ${_skin_tests}/skin_manifest_test.manifest)
  target_include_directories(skin_controls_host_v6_test PRIVATE ${_skin_tests})
endif()
zavo_add_test(skin_class_map_test SOURCES ${_skin_tests}/skin_class_map_test.cpp LIBS skin_engine WINDOWS)
# Repaints of skinned windows do their work once.
zavo_add_test(skin_repaint_test SOURCES ${_skin_tests}/skin_repaint_test.cpp LIBS skin_lib WINDOWS)
if(TARGET skin_repaint_test)
  add_dependencies(skin_repaint_test ozSkin skin_packages)
endif()

# Opening and painting a window of every skinned control (bench/skin/run.sh).
if(ZAVO_BENCH)
  add_executable(skin_controls_bench ${CMAKE_SOURCE_DIR}/bench/skin/controls_bench.cpp)
  target_link_libraries(skin_controls_bench PRIVATE comctl32)
  # Live resizing of a skinned frame (bench/skin/frame_run.sh).
  add_executable(skin_frame_bench ${CMAKE_SOURCE_DIR}/bench/skin/frame_bench.cpp)
  target_link_libraries(skin_frame_bench PRIVATE skin_lib)
endif()

# The studio and Pelsys run skinned and unskinned; the screenshots stay in the build folder.
if(ZAVO_TESTS AND TARGET Zavomgr)
  # each menu, the project properties, the file open dialog and the deploy wizard's pages too;
  # the wizard goes on with a menu package that the sample-project test made
  add_test(NAME skinned_runs_studio COMMAND bash ${_skin_tests}/skinned_runs.sh $<TARGET_FILE:Zavomgr>
    "Zavo Studio 2008" ${CMAKE_BINARY_DIR}/skinned_studio --studio $<TARGET_FILE:skinned_window_check>)
  set_tests_properties(skinned_runs_studio PROPERTIES TIMEOUT 150 RUN_SERIAL TRUE FIXTURES_REQUIRED sample_package)
endif()
if(ZAVO_TESTS AND TARGET Pelsys)
  add_test(NAME skinned_runs_pelsys COMMAND bash ${_skin_tests}/skinned_runs.sh $<TARGET_FILE:Pelsys> "menu.gz"
    ${CMAKE_BINARY_DIR}/skinned_pelsys --romfs)
  set_tests_properties(skinned_runs_pelsys PROPERTIES TIMEOUT 90 RUN_SERIAL TRUE RESOURCE_LOCK pelsys_profile)
endif()

# The studio with its skin, checked and shot from outside.
if(ZAVO_TESTS AND TARGET Zavomgr)
  add_executable(skinned_window_check ${_skin_tests}/skinned_window_check.cpp)
  target_link_libraries(skinned_window_check PRIVATE user32 gdi32)
  add_dependencies(skinned_window_check Zavomgr ozSkin ThemeUI)
  add_test(NAME studio_skinned_screenshot COMMAND bash ${_skin_tests}/studio_skinned_screenshot.sh
    $<TARGET_FILE:Zavomgr> $<TARGET_FILE:skinned_window_check> ${CMAKE_BINARY_DIR}/studio_skinned)
  set_tests_properties(studio_skinned_screenshot PROPERTIES TIMEOUT 90 RUN_SERIAL TRUE)
endif()
# Skinned programs one after the other under one Wine server: each shows the theme.
if(ZAVO_TESTS AND TARGET Zavomgr AND TARGET Pelsys)
  add_test(NAME skinned_programs_in_turn COMMAND bash ${_skin_tests}/skinned_programs_in_turn.sh
    $<TARGET_FILE:skinned_window_check> ${CMAKE_BINARY_DIR}/skinned_in_turn
    $<TARGET_FILE:Zavomgr> "Zavo Studio 2008" $<TARGET_FILE:Pelsys> "Pelsys" $<TARGET_FILE:Zavomgr> "Zavo Studio 2008")
  set_tests_properties(skinned_programs_in_turn PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE RESOURCE_LOCK pelsys_profile)
endif()
