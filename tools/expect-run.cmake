# Runs PROGRAM with ARGS (a ;-list) and checks its exit status and output.
#   EXPECT_EXIT  exact exit status expected
#   STDOUT_REGEX / STDERR_REGEX  patterns the streams must match (optional)
execute_process(COMMAND ${PROGRAM} ${ARGS}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc STREQUAL "${EXPECT_EXIT}")
  message(FATAL_ERROR "exit status ${rc}, expected ${EXPECT_EXIT}\nstdout: ${out}\nstderr: ${err}")
endif()
if(DEFINED STDOUT_REGEX AND NOT out MATCHES "${STDOUT_REGEX}")
  message(FATAL_ERROR "stdout does not match '${STDOUT_REGEX}':\n${out}")
endif()
if(DEFINED STDERR_REGEX AND NOT err MATCHES "${STDERR_REGEX}")
  message(FATAL_ERROR "stderr does not match '${STDERR_REGEX}':\n${err}")
endif()
