pelorine_fuzz_target(fuzz_ini_integer ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_ini_integer.cpp)
pelorine_fuzz_target(fuzz_imaging ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_imaging.cpp)
