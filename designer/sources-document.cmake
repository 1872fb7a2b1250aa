# The project document: the project file's text layer (window-free, builds
# natively), the document, its manager and the settings dialog (Windows).
target_sources(designer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProjectText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProjectTextPlatform.cpp)

zavo_add_test(projecttext_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/projecttext_test.cpp
  LIBS designer_core)
zavo_add_fuzzer(projecttext_fuzzer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/projecttext_fuzzer.cpp
  LIBS designer_core)
