# The program folder as users get it: `cmake --install build-win --prefix DIR`
# lays out the deliverables, the framework DLL and the folders the programs
# read at start-up; the `distzip` target zips that folder. Test programs,
# stand-ins and build by-products stay in the build's bin folder.
if(NOT WIN32)
  return()
endif()

# The version the studio's version resource carries names the zip.
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/zavomgr/Zavomgr.rc _fileversion REGEX "^FILEVERSION ")
string(REGEX MATCHALL "[0-9]+" _parts "${_fileversion}")
list(JOIN _parts "." ZAVO_VERSION)

set(_bin ${CMAKE_BINARY_DIR}/bin)
set(ZAVO_DELIVERABLES Zavomgr zavofw Gorvanel ozSkin ThemeUI Tessumgr Pelsys lunq sarvenid)
set(_installed)
foreach(_t ${ZAVO_DELIVERABLES})
  if(TARGET ${_t})
    install(PROGRAMS $<TARGET_FILE:${_t}> DESTINATION .)
    list(APPEND _installed ${_t})
  endif()
endforeach()

# Data the programs open: the studio's language file, the command templates,
# the sample project with its pictures, and the themes where the build makes them.
install(FILES ${_bin}/language/zavomgr.lng ${CMAKE_SOURCE_DIR}/language/english.lng DESTINATION language)
# Tessumgr's English texts: its built-in ones are Chinese and need code page 936
if(TARGET Tessumgr)
  install(FILES ${CMAKE_SOURCE_DIR}/installer/app/Tessumgr.lng DESTINATION language)
endif()
file(GLOB _gmd ${CMAKE_SOURCE_DIR}/templates/samples/*.gmd)
install(FILES ${_gmd} DESTINATION "Cmd Templates")
install(FILES "${_bin}/Zavo Projects/Sample/Sample.kel" "${_bin}/Zavo Projects/Sample/wallpaper.png"
  "${_bin}/Zavo Projects/Sample/logo.png" "${_bin}/Zavo Projects/Sample/chunk.png"
  DESTINATION "Zavo Projects/Sample")
install(DIRECTORY ${_bin}/Themes DESTINATION . OPTIONAL)
# the work folders the programs expect, empty
foreach(_d "Kel Menus" "WebPages" "Bin" "Themes")
  install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${_d}\")")
endforeach()

# The zip beside the build's bin folder, remade on every build.
set(ZAVO_DIST_NAME Zavo-${ZAVO_VERSION})
set(_stage ${CMAKE_BINARY_DIR}/dist/${ZAVO_DIST_NAME})
add_custom_target(distzip ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${_stage} ${CMAKE_BINARY_DIR}/dist/${ZAVO_DIST_NAME}.zip
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${_stage} > ${CMAKE_BINARY_DIR}/dist/install.log
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/dist
          ${CMAKE_COMMAND} -E tar cf ${ZAVO_DIST_NAME}.zip --format=zip ${ZAVO_DIST_NAME}
  COMMENT "Program folder and ${ZAVO_DIST_NAME}.zip" VERBATIM)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
add_dependencies(distzip ${_installed})
foreach(_data zavomgr_generated zavomgr_sample gorvanel_samples zavomgr_themes)
  if(TARGET ${_data})
    add_dependencies(distzip ${_data})
  endif()
endforeach()

if(ZAVO_TESTS AND NOT ZAVO_FUZZ)
  find_package(Python3 COMPONENTS Interpreter)
  add_test(NAME program_folder_check COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_SOURCE_DIR}/tools/check_program_folder.py ${_stage} --zip ${CMAKE_BINARY_DIR}/dist/${ZAVO_DIST_NAME}.zip
    --objdump ${CMAKE_OBJDUMP})
  # The main road below writes a package into the folder for a while.
  set_tests_properties(program_folder_check PROPERTIES TIMEOUT 60 RESOURCE_LOCK program_folder)
  # the installed studio's main road, in a prefix of its own
  file(GLOB_RECURSE _package_check ${CMAKE_SOURCE_DIR}/designer/genmenu_check.py)
  if(TARGET sample_project_test AND _package_check)
    list(GET _package_check 0 _package_check)
    add_test(NAME installed_studio_main_road COMMAND bash ${CMAKE_SOURCE_DIR}/tools/installed_main_road.sh
      ${CMAKE_BINARY_DIR} ${_stage} ${_package_check})
    set_tests_properties(installed_studio_main_road PROPERTIES TIMEOUT 180 RESOURCE_LOCK program_folder)
  endif()
endif()
