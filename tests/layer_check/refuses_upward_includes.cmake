# The layer check on a small tree with two upward includes: it must fail and name both.
#   cmake -DCHECK=.../check_layers.cmake -DTREE=.../upward -P refuses_upward_includes.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${TREE} -P ${CHECK}
  RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "the layer check passed a tree whose gfx/ includes game/:\n${output}")
endif()
foreach(expected "gfx/draws.cpp includes game/world.h" "core/reads.cpp includes platform/platform.h")
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the layer check did not name '${expected}':\n${output}")
  endif()
endforeach()
string(FIND "${output}" "core/keys.h" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the layer check refused core/keys.h in core/:\n${output}")
endif()
