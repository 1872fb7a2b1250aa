# Documents, views, frames, control bars and the splitter (Windows only).
target_sources(zavofw PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/View.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleDocTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppDoc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplitterWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CtrlView.cpp
)
include(${CMAKE_CURRENT_LIST_DIR}/tests/docview-tests.cmake OPTIONAL)
