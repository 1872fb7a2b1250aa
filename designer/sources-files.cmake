# Archive, stream and text files; the file and folder helper.
# The system layer stands alone; the classes build on the framework's strings.
target_sources(designer_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/FilesPlatform.cpp)
if(NOT TARGET zavofw)
  return()
endif()
target_sources(designer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DiskObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PathValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProjectPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextFileWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThemePointerPacker.cpp)
target_link_libraries(designer_core PUBLIC zavofw ZLIB::ZLIB zavo::minizip)

# Archive test inputs made by Python's zip, tar and gzip writers, natively at build time.
find_program(ZAVO_PYTHON3 python3)
set(_fx_dir ${CMAKE_BINARY_DIR}/designer/archive_fixtures)
set(_fx_script ${CMAKE_CURRENT_LIST_DIR}/tests/archive_make_fixtures.py)
add_custom_command(OUTPUT ${_fx_dir}/plain.zip
  COMMAND ${ZAVO_PYTHON3} ${_fx_script} ${_fx_dir}
  DEPENDS ${_fx_script}
  COMMENT "Archive test fixtures")
add_custom_target(archive_fixtures DEPENDS ${_fx_dir}/plain.zip)

zavo_add_test(archive_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/archive_test.cpp LIBS designer_core)
zavo_add_test(textfile_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/textfile_test.cpp LIBS designer_core)
zavo_add_test(pathvalue_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/pathvalue_test.cpp LIBS designer_core)
zavo_add_test(projectpaths_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/projectpaths_test.cpp LIBS designer_core)
set(_disk_libs designer_core)
if(WIN32)
  list(APPEND _disk_libs user32)
endif()
zavo_add_test(diskobject_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/diskobject_test.cpp LIBS ${_disk_libs})
if(TARGET archive_test)
  add_dependencies(archive_test archive_fixtures)
endif()

zavo_add_fuzzer(archive_fuzzer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/archive_fuzzer.cpp LIBS designer_core)
