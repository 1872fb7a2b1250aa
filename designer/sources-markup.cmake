# The markup engine and the string splitter (window-free); the nine-slice image holder (Windows).
target_sources(designer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StringSplitter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlPlatform.cpp)
target_link_libraries(designer_core PUBLIC zavofw)
zavo_add_test(xmldocument_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/xmldocument_test.cpp LIBS designer_core)
zavo_add_test(stringsplitter_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/stringsplitter_test.cpp LIBS designer_core)
zavo_add_fuzzer(xml_fuzzer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/xml_fuzzer.cpp LIBS designer_core)
