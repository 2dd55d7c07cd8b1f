# Windows test programs run under Wine, whose every process start costs
# about half a second and a good deal of CPU: there, each GoogleTest suite
# of a program is one ctest test, one process. Natively every test stays a
# test of its own.
#
# mulvara_discover_tests(target [TEST_FILTER f] [DISCOVERY_TIMEOUT s]
#                        [PROPERTIES name value...]) takes the arguments of
# gtest_discover_tests that our tests use. The suites are listed when ctest
# starts (like its PRE_TEST mode), so the list follows the program.
set(mulvara_gtest_suites_script ${CMAKE_CURRENT_LIST_FILE})

function(mulvara_discover_tests target)
  if(NOT WIN32)
    gtest_discover_tests(${target} ${ARGN})
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TEST_FILTER;DISCOVERY_TIMEOUT;DISCOVERY_MODE" "PROPERTIES")
  if(NOT arg_DISCOVERY_TIMEOUT)
    set(arg_DISCOVERY_TIMEOUT 60)
  endif()
  # A program may be registered more than once, with different filters.
  get_property(count TARGET ${target} PROPERTY mulvara_suite_registrations)
  if(NOT count)
    set(count 0)
  endif()
  math(EXPR count "${count} + 1")
  set_property(TARGET ${target} PROPERTY mulvara_suite_registrations ${count})
  set(suffix "")
  if(count GREATER 1)
    set(suffix "#${count}")
  endif()

  set(base "${CMAKE_CURRENT_BINARY_DIR}/${target}[${count}]")
  file(GENERATE OUTPUT "${base}_suites_include.cmake" CONTENT
"set(exe [==[$<TARGET_FILE:${target}>]==])
set(list_file [==[${base}_suites.cmake]==])
if(EXISTS \"\${exe}\")
  if(NOT EXISTS \"\${list_file}\" OR NOT \"\${list_file}\" IS_NEWER_THAN \"\${exe}\"
     OR NOT \"\${list_file}\" IS_NEWER_THAN \"\${CMAKE_CURRENT_LIST_FILE}\")
    include([==[${mulvara_gtest_suites_script}]==])
    mulvara_write_suites(
      EXE \"\${exe}\"
      EMULATOR [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==]
      WORKING_DIR [==[${CMAKE_CURRENT_BINARY_DIR}]==]
      FILTER [==[${arg_TEST_FILTER}]==]
      SUFFIX [==[${suffix}]==]
      TIMEOUT [==[${arg_DISCOVERY_TIMEOUT}]==]
      PROPERTIES [==[${arg_PROPERTIES}]==]
      OUTPUT \"\${list_file}\")
  endif()
  include(\"\${list_file}\")
else()
  add_test([==[${target}${suffix}_NOT_BUILT]==] [==[${target}_NOT_BUILT]==])
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${base}_suites_include.cmake")
endfunction()

# Run when ctest starts: lists the program's tests and writes one add_test
# per suite, naming its tests exactly, so a filter given at registration
# holds and a suite split over two registrations is run once per part.
function(mulvara_write_suites)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "EXE;EMULATOR;WORKING_DIR;FILTER;SUFFIX;TIMEOUT;PROPERTIES;OUTPUT" "")
  set(filter "")
  if(arg_FILTER)
    set(filter "--gtest_filter=${arg_FILTER}")
  endif()
  execute_process(
    COMMAND ${arg_EMULATOR} "${arg_EXE}" --gtest_list_tests ${filter}
    WORKING_DIRECTORY "${arg_WORKING_DIR}"
    TIMEOUT ${arg_TIMEOUT}
    OUTPUT_VARIABLE listing
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${arg_EXE} failed (${result}):\n${listing}")
  endif()

  # Property values were flattened on the way here: pairs again.
  set(properties "${arg_PROPERTIES}")
  set(timeout "")
  set(pairs "")
  set(key "")
  foreach(item IN LISTS properties)
    if(key STREQUAL "")
      set(key "${item}")
    else()
      if(key STREQUAL "TIMEOUT")
        set(timeout "${item}")
      else()
        string(APPEND pairs " ${key} [==[${item}]==]")
      endif()
      set(key "")
    endif()
  endforeach()

  string(REPLACE ";" "\\;" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  set(suites "")
  set(suite "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "[ \t\r]*#.*$" "" line "${line}")
    string(REGEX REPLACE "[ \t\r]+$" "" line "${line}")
    if(line STREQUAL "")
      continue()
    endif()
    if(line MATCHES "^  (.+)$")
      set(test "${CMAKE_MATCH_1}")
      if(suite STREQUAL "" OR test MATCHES "^DISABLED_" OR suite MATCHES "^DISABLED_")
        continue()
      endif()
      list(APPEND tests_${suite_id} "${suite}.${test}")
    elseif(line MATCHES "^([^ ].*)\\.$")
      set(suite "${CMAKE_MATCH_1}")
      string(MAKE_C_IDENTIFIER "${suite}" suite_id)
      list(APPEND suites "${suite}")
      set(tests_${suite_id} "")
    endif()
  endforeach()

  set(content "")
  foreach(suite IN LISTS suites)
    string(MAKE_C_IDENTIFIER "${suite}" suite_id)
    list(LENGTH tests_${suite_id} count)
    if(count EQUAL 0)
      continue()
    endif()
    list(JOIN tests_${suite_id} ":" names)
    set(name "${suite}${arg_SUFFIX}")
    string(APPEND content
      "add_test([==[${name}]==] ${arg_EMULATOR} [==[${arg_EXE}]==] [==[--gtest_filter=${names}]==])\n"
      "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${arg_WORKING_DIR}]==]${pairs})\n")
    # The registered timeout is for one test; a suite gets it once more for
    # every further ten tests.
    if(timeout)
      math(EXPR suite_timeout "${timeout} * (1 + (${count} - 1) / 10)")
      string(APPEND content "set_tests_properties([==[${name}]==] PROPERTIES TIMEOUT ${suite_timeout})\n")
    endif()
  endforeach()
  file(WRITE "${arg_OUTPUT}" "${content}")
endfunction()
