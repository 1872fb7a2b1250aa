# zavo_add_test(<name> SOURCES ... [LIBS ...] [WINDOWS] [ONE_PROCESS] [LOCK <resource>])
#   A GoogleTest program; each test case runs as its own ctest test (its own
#   Wine process in the Windows build). WINDOWS: only in the Windows build.
#   ONE_PROCESS: the whole program is one ctest test (for shared expensive set-up).
#   LOCK: no two tests holding the same resource run at once (shared settings).
#   LOCK screen_pixels or mouse_cursor: the test reads the screen or moves the
#   mouse, which any other test's window can spoil: it runs alone.
#   Every test program links zavo_testsupport (testsupport/TestSupport.h).
# zavo_add_fuzzer(<name> SOURCES ... [LIBS ...])
#   A libFuzzer target, native clang builds with ZAVO_FUZZ only.
include(GoogleTest)
set(ZAVO_TEST_TIMEOUT 120 CACHE STRING "Seconds before a hanging test fails")

function(zavo_add_test name)
  cmake_parse_arguments(T "WINDOWS;ONE_PROCESS" "LOCK" "SOURCES;LIBS" ${ARGN})
  if(NOT ZAVO_TESTS OR ZAVO_FUZZ OR (T_WINDOWS AND NOT WIN32))
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} zavo_testsupport GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    ZAVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZAVO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(_lock)
  if(T_LOCK)
    set(_lock RESOURCE_LOCK ${T_LOCK})
    if(T_LOCK STREQUAL "screen_pixels" OR T_LOCK STREQUAL "mouse_cursor")
      list(APPEND _lock RUN_SERIAL TRUE)
    endif()
  endif()
  # Wine ends a program that crashed with exit code 0: its report fails the test
  set(_crash)
  if(WIN32)
    set(_crash FAIL_REGULAR_EXPRESSION "Unhandled exception: ")
  endif()
  if(T_ONE_PROCESS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ZAVO_TEST_TIMEOUT} ${_lock} ${_crash})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${ZAVO_TEST_TIMEOUT} ${_lock} ${_crash})
  endif()
endfunction()

function(zavo_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ZAVO_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_property(GLOBAL APPEND PROPERTY ZAVO_FUZZERS ${name})
endfunction()
