# The markup engine and the string splitter (window-free); the nine-slice image holder (Windows).
target_sources(designer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StringSplitter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlPlatform.cpp)
target_link_libraries(designer_core PUBLIC zavofw)
zavo_add_test(xmldocument_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/xmldocument_test.cpp LIBS designer_core)
zavo_add_test(stringsplitter_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/stringsplitter_test.cpp LIBS designer_core)
zavo_add_fuzzer(xml_fuzzer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/xml_fuzzer.cpp LIBS designer_core)

if(NOT WIN32)
  return()
endif()
add_library(designer_nineslice STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ImageEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageObject.cpp)
target_include_directories(designer_nineslice PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_nineslice PUBLIC imaging zavofw gdi32)
zavo_add_test(imageobject_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/imageobject_test.cpp
  LIBS designer_nineslice WINDOWS)
