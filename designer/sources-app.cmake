# The studio program: language manager, application object, resources.
if(NOT WIN32 OR NOT TARGET zavofw)
  return()
endif()
add_library(designer_lang STATIC ${CMAKE_CURRENT_LIST_DIR}/LangManager.cpp)
target_include_directories(designer_lang PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(designer_lang PUBLIC zavofw)

zavo_add_test(langmanager_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/langmanager_test.cpp
  LIBS designer_lang WINDOWS)
