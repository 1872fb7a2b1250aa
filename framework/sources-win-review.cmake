# Tests of GDI selections, control wrappers, subclassing and dialogs (Windows build, Wine).
include(${CMAKE_CURRENT_LIST_DIR}/tests/review-tests.cmake OPTIONAL)
