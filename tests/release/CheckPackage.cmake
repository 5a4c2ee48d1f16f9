# The release package as a Windows user gets it: a zip with one folder holding the program and
# its guide, the program stripped of debug sections. Run with -DBUILD=<build dir> -DVERSION=<x.y>.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target package
                RESULT_VARIABLE built OUTPUT_QUIET)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "the package target failed")
endif()
set(zip ${BUILD}/Pelorine-${VERSION}-win64.zip)
if(NOT EXISTS ${zip})
  message(FATAL_ERROR "no ${zip}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "(^$|/$)") # folders
list(SORT entries)
set(want Pelorine-${VERSION}-win64/Pelorine.exe Pelorine-${VERSION}-win64/Readme.txt)
if(NOT entries STREQUAL want)
  message(FATAL_ERROR "the zip holds '${entries}', not '${want}'")
endif()

file(SIZE ${BUILD}/Pelorine.exe size)
# A tripwire for what a change adds: 1.63 MB with the icon's eight sizes (53 KB of them) and the
# screen-reader support.
if(size GREATER_EQUAL 1700000)
  message(FATAL_ERROR "Pelorine.exe is ${size} bytes")
endif()
execute_process(COMMAND x86_64-w64-mingw32-objdump -h ${BUILD}/Pelorine.exe OUTPUT_VARIABLE sections)
if(sections MATCHES "\\.debug_")
  message(FATAL_ERROR "Pelorine.exe carries debug sections")
endif()
message(STATUS "package ${zip}: ${entries}; Pelorine.exe ${size} bytes")
