# Print setup of the application and printing of views (Windows only).
target_sources(zavofw PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AppPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewPrint.cpp
)
include(${CMAKE_CURRENT_LIST_DIR}/tests/print-tests.cmake OPTIONAL)
