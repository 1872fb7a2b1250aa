# The studio program: language manager, application object, resources.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_lang STATIC ${CMAKE_CURRENT_LIST_DIR}/LangManager.cpp)
target_include_directories(designer_lang PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_lang PUBLIC controls_menubars zavofw)

zavo_add_test(langmanager_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/langmanager_test.cpp
  LIBS designer_lang WINDOWS)

# Zavomgr.exe: the application object, its resources and the language file.
find_package(Python3 COMPONENTS Interpreter)
find_program(ICONV iconv)
set(_res ${CMAKE_SOURCE_DIR}/resources/zavomgr)
set(_gen ${CMAKE_BINARY_DIR}/resources/zavomgr)
add_custom_command(OUTPUT ${_gen}/zavomgr.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_gen}
  COMMAND ${Python3_EXECUTABLE} ${_res}/make_icon.py ${_gen}/zavomgr.ico
  DEPENDS ${_res}/make_icon.py ${_res}/bmpfile.py COMMENT "Studio icon")
# The language file is kept as UTF-8 and read by the studio as GBK.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/language/zavomgr.lng
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/language
  COMMAND ${ICONV} -f UTF-8 -t GBK ${CMAKE_SOURCE_DIR}/language/zavomgr.lng
          -o ${CMAKE_BINARY_DIR}/bin/language/zavomgr.lng
  DEPENDS ${CMAKE_SOURCE_DIR}/language/zavomgr.lng COMMENT "Language file (GBK)")
add_custom_target(zavomgr_generated DEPENDS ${_gen}/zavomgr.ico ${CMAKE_BINARY_DIR}/bin/language/zavomgr.lng)

add_library(designer_app STATIC ${CMAKE_CURRENT_LIST_DIR}/ZavomgrApp.cpp)
target_link_libraries(designer_app PUBLIC designer_lang controls_core zavofw version)
target_link_libraries(designer_app PUBLIC controls_link)

add_executable(Zavomgr WIN32 ${CMAKE_CURRENT_LIST_DIR}/Zavomgr.cpp ${_res}/Zavomgr.rc)
target_include_directories(Zavomgr PRIVATE ${_res} ${_gen})
# windres writes no depfile: every file of the resource folder is a dependency.
file(GLOB _res_files ${_res}/*.rc ${_res}/*.h ${_res}/*.bmp ${_res}/*.cur ${_res}/*.ico ${_res}/*.gz
  ${_res}/*.png ${_res}/*.wav)
list(JOIN _res_files ";" _res_deps)
set_source_files_properties(${_res}/Zavomgr.rc PROPERTIES
  OBJECT_DEPENDS "${_res_deps};${_gen}/zavomgr.ico")
target_link_libraries(Zavomgr PRIVATE designer_app zavofw_main)
add_dependencies(Zavomgr zavomgr_generated)
# WinMain sits in a static library that nothing names before the C runtime asks for it.
target_link_options(Zavomgr PRIVATE -Wl,--undefined=_WinMain@16)

# Stand-in skin libraries, one folder per variant, for the start-up tests.
if(ZAVO_TESTS AND NOT ZAVO_FUZZ)
  foreach(v noend false true)
    add_library(skinstub_${v} SHARED ${CMAKE_CURRENT_LIST_DIR}/tests/skin_stub.cpp)
    set_target_properties(skinstub_${v} PROPERTIES PREFIX "" OUTPUT_NAME ozSkin
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/skintest/${v}
      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/skinstub_${v})
    target_compile_definitions(skinstub_${v} PRIVATE SKIN_RESULT=$<IF:$<STREQUAL:${v},true>,1,0>
      $<$<STREQUAL:${v},noend>:SKIN_NO_END>)
  endforeach()
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bin/skintest/none)
  # the studio keeps its language and recent files in one registry profile
  zavo_add_test(zavomgr_startup_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/zavomgr_startup_test.cpp
    ${_res}/Zavomgr.rc LIBS designer_app WINDOWS LOCK zavomgr_profile)
  if(TARGET zavomgr_startup_test)
    target_include_directories(zavomgr_startup_test PRIVATE ${_res} ${_gen})
    add_dependencies(zavomgr_startup_test Zavomgr skinstub_noend skinstub_false skinstub_true)
  endif()
endif()

if(ZAVO_TESTS AND NOT ZAVO_FUZZ)
  add_test(NAME zavomgr_screenshot COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tests/zavomgr_screenshot.sh
    $<TARGET_FILE:Zavomgr> ${CMAKE_BINARY_DIR}/zavomgr_screenshot.png)
  set_tests_properties(zavomgr_screenshot PROPERTIES TIMEOUT 60 RUN_SERIAL TRUE)
endif()
