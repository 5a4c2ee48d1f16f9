# The layers only look down: a file in a layer's folder includes files of its own folder or of a
# layer below, never one above nor a sibling of the same height. Run with -DROOT=<source tree>;
# fails naming every file and include that goes up. tests/, tools/ and bench/ stand outside.
if(NOT IS_DIRECTORY "${ROOT}")
  message(FATAL_ERROR "run with -DROOT=<source tree>")
endif()

# Height of each layer folder; imaging and capture are siblings and see only what is below them.
set(height_base 0)
set(height_framework 1)
set(height_imaging 2)
set(height_capture 2)
set(height_controls 3)
set(height_forms 4)
set(height_app 5)
set(layers base framework imaging capture controls forms app)

set(include_line "^[ \t]*#[ \t]*include[ \t]*\"([^/\"]+)/[^\"]*\"")
set(faults "")
set(count 0)
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE files RELATIVE "${ROOT}"
       "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp" "${ROOT}/${layer}/*.rc")
  list(SORT files)
  foreach(file IN LISTS files)
    math(EXPR count "${count} + 1")
    file(STRINGS "${ROOT}/${file}" lines REGEX "${include_line}")
    foreach(line IN LISTS lines)
      string(REGEX MATCH "${include_line}" include "${line}")
      set(folder "${CMAKE_MATCH_1}")
      if(folder STREQUAL layer OR NOT DEFINED height_${folder})
        continue() # its own folder, or no layer (a system or test path)
      endif()
      if(NOT height_${folder} LESS height_${layer})
        string(STRIP "${include}" include)
        list(APPEND faults "  ${file}: ${include} (${folder}/ is not below ${layer}/)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "includes that go up (order: base, framework, imaging | capture, controls, "
                      "forms, app):\n${text}")
endif()
message(STATUS "${count} files in ${ROOT}: every include looks down")
