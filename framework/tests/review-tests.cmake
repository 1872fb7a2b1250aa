if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  enable_language(RC)
  set(_rt ${CMAKE_CURRENT_LIST_DIR})
  set_source_files_properties(${_rt}/ReviewTest.rc PROPERTIES OBJECT_DEPENDS ${_rt}/ReviewTestRes.h)
  zavo_add_test(fw_gdi_test SOURCES ${_rt}/GdiTest.cpp LIBS zavofw WINDOWS)
  zavo_add_test(fw_modeless_test SOURCES ${_rt}/ModelessDialogTest.cpp ${_rt}/ReviewTest.rc
    LIBS zavofw WINDOWS)
  target_include_directories(fw_modeless_test PRIVATE ${_rt})
endif()
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  zavo_add_test(fw_controls_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/ControlWrappersTest.cpp
    LIBS zavofw WINDOWS)
endif()
# Under the Chinese system code page (Wine takes it from the locale variables).
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  add_executable(fw_string_dbcs_test ${CMAKE_CURRENT_LIST_DIR}/StringDbcsTest.cpp)
  target_link_libraries(fw_string_dbcs_test PRIVATE zavofw GTest::gtest GTest::gtest_main)
  gtest_discover_tests(fw_string_dbcs_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ZAVO_TEST_TIMEOUT} ENVIRONMENT "LC_ALL=zh_CN.UTF-8")
endif()
if(WIN32 AND ZAVO_TESTS AND NOT ZAVO_FUZZ)
  add_executable(fw_typing_dbcs_test ${CMAKE_CURRENT_LIST_DIR}/TypedTextDbcsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReviewTest.rc)
  target_include_directories(fw_typing_dbcs_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(fw_typing_dbcs_test PRIVATE zavofw GTest::gtest GTest::gtest_main)
  gtest_discover_tests(fw_typing_dbcs_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ZAVO_TEST_TIMEOUT} ENVIRONMENT "LC_ALL=zh_CN.UTF-8" RUN_SERIAL TRUE)
endif()
