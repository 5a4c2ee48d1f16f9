# The settings-file layer: portable value rules and key table.
target_sources(pelorine_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SettingsValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowPlacement.cpp)
