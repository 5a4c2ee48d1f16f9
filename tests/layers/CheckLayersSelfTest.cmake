# The layer check itself: on a small tree it passes what looks down and names every include that
# goes up or sideways. Run with -DWORK=<scratch folder>.
set(check "${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake")
file(REMOVE_RECURSE "${WORK}")

function(put path text)
  file(WRITE "${WORK}/${path}" "${text}\n")
endfunction()
function(run result output)
  execute_process(COMMAND "${CMAKE_COMMAND}" -DROOT=${WORK} -P "${check}"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result} "${code}" PARENT_SCOPE)
  set(${output} "${out}${err}" PARENT_SCOPE)
endfunction()

# Downward, own-folder and outside includes only.
put(base/Pixmap.h "#include <vector>")
put(framework/Canvas.h "#include \"base/Pixmap.h\"\n#include \"framework/Handles.h\"")
put(imaging/Encode.cpp "#include \"framework/Canvas.h\"\n#include \"base/Pixmap.h\"")
put(capture/Shot.cpp "#include \"framework/Canvas.h\"")
put(controls/Button.cpp "#include \"framework/Canvas.h\"\n#include \"gtest/gtest.h\"")
put(app/Main.cpp "#include \"capture/Shot.h\"\n#include \"imaging/Encode.h\"\n#include \"forms/Rc.h\"")
put(tests/AnyTest.cpp "#include \"app/Main.h\"")
run(code out)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "a tree that only looks down was refused:\n${out}")
endif()

# Each kind of fault: up by one and by many, between siblings, from the base, spaced oddly.
put(framework/Bitmap.h "#include \"imaging/BitmapFile.h\"")
put(capture/Shot.cpp "#include \"framework/Canvas.h\"\n#include \"imaging/Encode.h\"")
put(base/Pixmap.h "  #  include \"app/Main.h\"")
put(controls/Region.h "#include \"forms/Layout.h\"")
run(code out)
if(code EQUAL 0)
  message(FATAL_ERROR "upward includes passed:\n${out}")
endif()
foreach(fault "base/Pixmap.h: #  include \"app/Main.h\""
              "capture/Shot.cpp: #include \"imaging/Encode.h\""
              "controls/Region.h: #include \"forms/Layout.h\""
              "framework/Bitmap.h: #include \"imaging/BitmapFile.h\"")
  string(FIND "${out}" "${fault}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not name ${fault}:\n${out}")
  endif()
endforeach()
foreach(fine "framework/Canvas.h" "imaging/Encode.cpp" "app/Main.cpp" "tests/AnyTest.cpp" "Button.cpp")
  string(FIND "${out}" "${fine}:" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the check named ${fine}, which looks down:\n${out}")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
