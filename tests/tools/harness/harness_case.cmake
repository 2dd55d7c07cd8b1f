# Runs the harness once and checks its exit status and what it wrote.
#   HARNESS, EMULATOR  the program, and what runs it (Wine for the Windows build)
#   EXIT               the exit status expected
#   STDERR             a regular expression the first line of standard error
#                      matches; empty for no output at all. With status 2 the
#                      usage must follow that line.
#   STDOUT_HAS_1..N    texts standard output holds (STDOUT_HAS_COUNT of them)
#   CLEAN              a folder removed before the run
#   BEFORE_FILE        a file made before the run
#   AFTER_FILE         a file the run must have made
# The harness's arguments follow "--".
set(arguments)
set(take OFF)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(n RANGE ${last})
  if(take)
    list(APPEND arguments "${CMAKE_ARGV${n}}")
  elseif(CMAKE_ARGV${n} STREQUAL "--")
    set(take ON)
  endif()
endforeach()

if(CLEAN)
  file(REMOVE_RECURSE "${CLEAN}")
endif()
if(BEFORE_FILE)
  file(WRITE "${BEFORE_FILE}" "in the way\n")
endif()

execute_process(COMMAND ${EMULATOR} "${HARNESS}" ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r" "" out "${out}")
string(REPLACE "\r" "" err "${err}")

set(faults)
if(NOT status STREQUAL EXIT)
  list(APPEND faults "exit status ${status}, expected ${EXIT}")
endif()
string(REGEX REPLACE "\n.*" "" first_line "${err}")
if(STDERR STREQUAL "")
  if(NOT err STREQUAL "")
    list(APPEND faults "standard error should be empty")
  endif()
elseif(NOT first_line MATCHES "${STDERR}")
  list(APPEND faults "first line of standard error does not match \"${STDERR}\"")
endif()
if(EXIT EQUAL 2 AND NOT err MATCHES "^[^\n]*\nusage: mulvara-harness ")
  list(APPEND faults "no usage after the message")
endif()
if(STDOUT_HAS_COUNT)
  foreach(n RANGE 1 ${STDOUT_HAS_COUNT})
    string(FIND "${out}" "${STDOUT_HAS_${n}}" at)
    if(at EQUAL -1)
      list(APPEND faults "standard output lacks \"${STDOUT_HAS_${n}}\"")
    endif()
  endforeach()
endif()
if(AFTER_FILE AND NOT EXISTS "${AFTER_FILE}")
  list(APPEND faults "${AFTER_FILE} was not made")
endif()

if(faults)
  list(JOIN faults "\n  " text)
  list(JOIN arguments " " shown)
  message(FATAL_ERROR "mulvara-harness ${shown}:\n  ${text}\n"
                      "--- standard output:\n${out}--- standard error:\n${err}")
endif()
