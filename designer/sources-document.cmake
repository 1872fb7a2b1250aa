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
target_link_libraries(designer_doc PUBLIC deploy_wizard designer_model controls_text designer_core designer_lang imaging zavofw
  winmm shell32 comdlg32)

# The studio's frame and view live with the application object.
target_sources(designer_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GlobalSetDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZavomgrView.cpp)
target_link_libraries(designer_app PUBLIC designer_doc imaging)

# Whole-page edits of a 300-element project (bench/studio/run.sh).
if(ZAVO_BENCH)
  add_executable(studio_bench ${CMAKE_SOURCE_DIR}/bench/studio/studio_bench.cpp
    ${CMAKE_SOURCE_DIR}/resources/zavomgr/Zavomgr.rc)
  target_include_directories(studio_bench PRIVATE ${CMAKE_SOURCE_DIR}/resources/zavomgr
    ${CMAKE_BINARY_DIR}/resources/zavomgr)
  target_link_libraries(studio_bench PRIVATE designer_app psapi)
  add_dependencies(studio_bench zavomgr_generated)
endif()

zavo_add_test(projectfile_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/projectfile_test.cpp
  LIBS designer_doc WINDOWS)

# the studio's registry profile (recent files, language) is shared with the start-up tests
zavo_add_test(zavomgr_file_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/zavomgr_file_test.cpp
  LIBS designer_doc WINDOWS LOCK zavomgr_profile)
if(TARGET zavomgr_file_test)
  add_dependencies(zavomgr_file_test Zavomgr)
endif()

# The settings dialog and the document manager, with the studio's resources.
zavo_add_test(document_ui_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/document_ui_test.cpp
  ${CMAKE_SOURCE_DIR}/resources/zavomgr/Zavomgr.rc LIBS designer_app WINDOWS)
if(TARGET document_ui_test)
  target_include_directories(document_ui_test PRIVATE ${CMAKE_SOURCE_DIR}/resources/zavomgr
    ${CMAKE_BINARY_DIR}/resources/zavomgr)
  add_dependencies(document_ui_test zavomgr_generated)
endif()
