# The project document: the project file's text layer (window-free, builds
# natively), the document, its manager and the settings dialog (Windows).
target_sources(designer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProjectText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProjectTextPlatform.cpp)

zavo_add_test(projecttext_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/projecttext_test.cpp
  LIBS designer_core)
zavo_add_fuzzer(projecttext_fuzzer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/projecttext_fuzzer.cpp
  LIBS designer_core)

if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_doc STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProjectFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZavomgrDoc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZavomgrDocManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebPreview.cpp)
target_include_directories(designer_doc PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_doc PUBLIC designer_model designer_core designer_lang imaging zavofw
  winmm shell32 comdlg32)

zavo_add_test(projectfile_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/projectfile_test.cpp
  LIBS designer_doc WINDOWS)
