# Plays one scenario and checks its exit code and output against the script's own directives
# (see CMakeLists.txt). Run as: cmake -DRUNNER=... -DSTORE_TOOL=... -DSCENARIO=... -DWORK_DIR=...
# -P RunScenario.cmake
file(STRINGS ${SCENARIO} lines)
set(expected_exit 0)
set(expected_output "")
set(options "")
set(empty_store OFF)
foreach(line IN LISTS lines)
  if(line MATCHES "^# exit: ([0-9]+)$")
    set(expected_exit ${CMAKE_MATCH_1})
  elseif(line MATCHES "^# output: (.+)$")
    list(APPEND expected_output "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^# store: empty$")
    set(empty_store ON)
  elseif(line MATCHES "^# options: (.+)$")
    separate_arguments(more UNIX_COMMAND "${CMAKE_MATCH_1}")
    list(APPEND options ${more})
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
if(empty_store)
  execute_process(COMMAND ${STORE_TOOL} create ${WORK_DIR}/loja.kelo
                  RESULT_VARIABLE created OUTPUT_QUIET)
  if(NOT created EQUAL 0)
    message(FATAL_ERROR "kelo-store create failed: ${created}")
  endif()
  list(APPEND options --store ${WORK_DIR}/loja.kelo)
endif()

get_filename_component(script_name ${SCENARIO} NAME)
execute_process(COMMAND ${RUNNER} ${options} ${script_name}
                RESULT_VARIABLE exit_code
                OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
message("${out}")
file(REMOVE_RECURSE ${WORK_DIR})

if(NOT exit_code STREQUAL expected_exit)
  message(FATAL_ERROR "exit code ${exit_code}, expected ${expected_exit}")
endif()
foreach(pattern IN LISTS expected_output)
  if(NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "no output line matches: ${pattern}")
  endif()
endforeach()
