# INI file access through the private-profile functions.
if(WIN32)
  target_sources(pelorine_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp)
endif()
