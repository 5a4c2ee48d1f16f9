# The image print layer: page layout (portable) and printing on the default printer.
target_sources(pelorine_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PageLayout.cpp)
if(WIN32)
  target_sources(pelorine_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ImagePrint.cpp)
endif()
