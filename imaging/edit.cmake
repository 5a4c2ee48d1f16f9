# The image edit layer: portable raster code and save rules in the core, the WIC side in
# the Win32 library.
target_sources(pelorine_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BitmapFileRepair.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorReduction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PcxWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaveNaming.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Transform.cpp)

if(WIN32)
  target_sources(pelorine_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FileReplace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WicCodec.cpp)
endif()
