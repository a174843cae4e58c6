# Run with cmake -DBENCH=<vxlo-bench> -P BenchSmoke.cmake. The benchmark's
# figures are never judged here; only that a small run gives every figure a
# script reads, in one JSON object, and that a bad size is a usage error.
execute_process(COMMAND ${BENCH} --json --records 3000
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vxlo-bench --json --records failed (${status}): ${err}")
endif()
string(JSON count LENGTH "${out}")
foreach(key "large dictionary: open: ms" "large dictionary: step median: us"
            "large dictionary: step p99: us" "large dictionary: check: s"
            "large dictionary: export: s" "large dictionary: peak memory: MB")
  string(JSON value ERROR_VARIABLE missing GET "${out}" "${key}")
  if(missing)
    message(FATAL_ERROR "no figure \"${key}\" in ${out}")
  endif()
endforeach()
execute_process(COMMAND ${BENCH} --records 0 RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "vxlo-bench --records 0 exited with ${status}, not the usage status 2")
endif()
# The engine client's figure comes from the fake engine the tests build; a
# real KataGo, even when there, is left alone.
execute_process(COMMAND ${BENCH} --json --engine --no-katago
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vxlo-bench --json --engine failed (${status}): ${err}")
endif()
string(JSON value ERROR_VARIABLE missing GET "${out}" "engine client: query with the fake engine: median us")
if(missing)
  message(FATAL_ERROR "no engine client figure in ${out}")
endif()
