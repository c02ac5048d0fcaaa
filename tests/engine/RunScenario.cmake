# Runs one scenario through `bindwellctl simulate` and compares what it prints
# with the scenario's expected output. A scenario with a NAME.stderr file is
# expected to be rejected: exit status 2 and exactly that on stderr.
#   cmake -DBINDWELLCTL=... -DSCENARIO=<dir>/NAME -DACTUAL=<file> -P RunScenario.cmake
# With UPDATE=1 in the environment it writes what it got to NAME.expected
# instead, after a deliberate change of output:
#   UPDATE=1 ctest -R engine_scenario_ && git diff tests/engine/scenarios
execute_process(
    COMMAND ${BINDWELLCTL} simulate ${SCENARIO}.config.json ${SCENARIO}.script
    OUTPUT_FILE ${ACTUAL}
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)

if(EXISTS ${SCENARIO}.stderr)
    file(READ ${SCENARIO}.stderr expected_errors)
    if(NOT status EQUAL 2 OR NOT errors STREQUAL expected_errors)
        message(FATAL_ERROR "expected exit status 2 and:\n${expected_errors}"
                            "got ${status} and:\n${errors}")
    endif()
elseif(NOT status EQUAL 0)
    message(FATAL_ERROR "bindwellctl simulate exited with ${status}:\n${errors}")
endif()

if(DEFINED ENV{UPDATE} AND NOT EXISTS ${SCENARIO}.stderr)
    file(COPY_FILE ${ACTUAL} ${SCENARIO}.expected)
    return()
endif()

execute_process(
    COMMAND diff -u ${SCENARIO}.expected ${ACTUAL}
    OUTPUT_VARIABLE difference
    RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "output differs from ${SCENARIO}.expected:\n${difference}")
endif()
