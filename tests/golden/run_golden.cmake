# Runs one replay script and compares its output with the expected file, byte for byte.
execute_process(COMMAND ${REPLAY} ${SCRIPT} OUTPUT_VARIABLE actual ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "marklight-replay exited ${rc}: ${err}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    file(WRITE ${ACTUAL} "${actual}")
    message(FATAL_ERROR "output differs from ${EXPECTED}; actual output in ${ACTUAL}")
endif()
