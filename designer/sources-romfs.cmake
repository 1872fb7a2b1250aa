# Password hashing and the romfs image builder.
target_sources(designer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Md5Crypt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Md5CryptPlatform.cpp)
zavo_add_test(md5crypt_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/md5crypt_test.cpp LIBS designer_core)
if(NOT TARGET zavofw)
  return()
endif()
target_sources(designer_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/RomfsBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RomfsPlatform.cpp)
target_link_libraries(designer_core PUBLIC zavofw)
zavo_add_test(romfs_builder_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/romfs_builder_test.cpp LIBS designer_core)
