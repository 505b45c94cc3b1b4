# Fails when a test of the build folder has no TIMEOUT: without one, a program that never ends
# (or a process that keeps the test's output open) makes CTest wait forever instead of failing
# the test by name.
#
#   cmake -DBUILD_DIR=<build folder> -DCTEST=<ctest> -P check-test-timeouts.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var BUILD_DIR CTEST)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} must be given")
    endif()
endforeach()

# ctest writes Testing/Temporary/LastTest.log even when it only lists, which would overwrite the
# log of the run this check is part of: it lists a copy of the build's test files instead.
string(RANDOM LENGTH 8 suffix)
set(copy "${BUILD_DIR}/test-timeouts-check-${suffix}")
file(GLOB_RECURSE test_files RELATIVE "${BUILD_DIR}" "${BUILD_DIR}/CTestTestfile.cmake" "${BUILD_DIR}/*/CTestTestfile.cmake")
foreach(f ${test_files})
    get_filename_component(sub "${f}" DIRECTORY)
    file(COPY "${BUILD_DIR}/${f}" DESTINATION "${copy}/${sub}")
endforeach()
execute_process(COMMAND ${CTEST} --show-only=json-v1
                WORKING_DIRECTORY ${copy}
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status
                TIMEOUT 60)
file(REMOVE_RECURSE "${copy}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "ctest --show-only failed (${status}): ${errors}")
endif()

string(JSON count LENGTH "${listing}" tests)
if(count EQUAL 0)
    message(FATAL_ERROR "no tests listed in ${BUILD_DIR}")
endif()
set(missing)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
    string(JSON name GET "${listing}" tests ${i} name)
    set(timeout 0)
    string(JSON nprops ERROR_VARIABLE no_props LENGTH "${listing}" tests ${i} properties)
    if(NOT no_props AND nprops GREATER 0)
        math(EXPR plast "${nprops} - 1")
        foreach(j RANGE ${plast})
            string(JSON pname GET "${listing}" tests ${i} properties ${j} name)
            if(pname STREQUAL "TIMEOUT")
                string(JSON timeout GET "${listing}" tests ${i} properties ${j} value)
            endif()
        endforeach()
    endif()
    if(NOT timeout GREATER 0)
        list(APPEND missing ${name})
    endif()
endforeach()
if(missing)
    list(JOIN missing ", " names)
    message(FATAL_ERROR "tests without a TIMEOUT: ${names}")
endif()
message(STATUS "all ${count} tests have a TIMEOUT")
