# The theme library holds its ini texts and PNG pictures as resources another reader lists.
execute_process(COMMAND ${SEVEN_ZIP} l ${LIBRARY} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "7z could not list ${LIBRARY}")
endif()
foreach(entry TEXTFILE/NORMALBLUE_INI TEXTFILE/THEMES_INI PNG/WINDOW_CLOSEBUTTON_PNG PNG/BUTTON_PUSHBUTTON_PNG
              BITMAP/WINDOW_CAPTION_BMP)
  string(FIND "${listing}" ".rsrc/${entry}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no ${entry} in ${LIBRARY}")
  endif()
endforeach()
