# Helpers every subsystem uses, so that each folder's CMakeLists stays a short list of files.
#
#   vt_core_library(vt_image SOURCES a.cpp b.cpp DEPS vt_common)
#       A portable static library (built in every preset).
#   vt_unit_test(image_tests SOURCES a_test.cpp DEPS vt_image [TIMEOUT s])
#       A GoogleTest executable of the native presets, registered with CTest.
#   vt_fuzzer(ico_fuzz SOURCES ico_fuzz.cpp DEPS vt_image SEEDS dir)
#       A libFuzzer target (linux-asan preset) run for VT_FUZZ_SECONDS over its seeds; in the plain
#       native preset the same entry point replays the seeds as a regression test.
#   vt_win32_test(studio_wine_tests SOURCES t.cpp DEPS uidriver [TIMEOUT s])
#       A GoogleTest executable of the windows preset, run under Wine with the private prefix.
#
# Every test gets a TIMEOUT, so a program that never ends fails its test by name instead of
# holding the whole run (tests/check-test-timeouts.cmake fails the run when one lacks it).
#   vt_program(VTEDIT SOURCES ... DEPS ...) / vt_dll(VTAPP SOURCES ... DEF x.def)
#       Deliverables, all landing in ${VT_BIN_DIR}.

include_guard(GLOBAL)

set(VT_FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzzer runs in the test command")
# Seconds a native unit-test executable, a Wine test executable, and a fuzzer beyond its fuzzing
# time (it also loads its seeds and writes its report) may run.
set(VT_UNIT_TEST_TIMEOUT 300)
set(VT_WINE_TEST_TIMEOUT 600)
set(VT_FUZZ_TIMEOUT_MARGIN 90)
if(VT_SANITIZE)
    # The same tests run several times slower under the sanitizers.
    set(VT_UNIT_TEST_TIMEOUT 900)
endif()

function(vt_core_library name)
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${A_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

function(vt_unit_test name)
    if(WIN32)
        return()
    endif()
    cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT ${VT_UNIT_TEST_TIMEOUT})
    endif()
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT}
                         ENVIRONMENT "VT_SOURCE_DIR=${PROJECT_SOURCE_DIR};VT_BIN_DIR=${VT_BIN_DIR}")
endfunction()

function(vt_fuzzer name)
    if(WIN32)
        return()
    endif()
    cmake_parse_arguments(A "" "" "SOURCES;DEPS;SEEDS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(VT_FUZZ)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
        add_test(NAME ${name}
                 COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                         ${PROJECT_SOURCE_DIR}/tools/run-fuzzer.sh $<TARGET_FILE:${name}> ${corpus}
                         ${VT_FUZZ_SECONDS} ${A_SEEDS})
        math(EXPR fuzz_timeout "${VT_FUZZ_SECONDS} + ${VT_FUZZ_TIMEOUT_MARGIN}")
        set_tests_properties(${name} PROPERTIES TIMEOUT ${fuzz_timeout})
    else()
        # Replay mode: the same entry point over every seed, so plain builds keep the regressions.
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/common/fuzz_replay_main.cpp)
        add_test(NAME ${name} COMMAND ${name} ${A_SEEDS})
        set_tests_properties(${name} PROPERTIES TIMEOUT ${VT_UNIT_TEST_TIMEOUT})
    endif()
endfunction()

function(vt_win32_test name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT ${VT_WINE_TEST_TIMEOUT})
    endif()
    # Tests that drive windows or the shared registry one at a time keep each other's focus and
    # keys undisturbed.
    set(A_SERIAL TRUE)
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS} gtest gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VT_TEST_BIN_DIR})
    add_test(NAME ${name} COMMAND ${name})
    # The deliverables' DLLs are found through WINEPATH (the bin folder, as Wine names it).
    string(REPLACE "/" "\\" bin_windows "Z:${VT_BIN_DIR}")
    # wine-run.sh stops the program a little before CTest would, so a hung test still shows the
    # output it wrote (which case it was in); CTest's TIMEOUT stays the backstop.
    math(EXPR run_seconds "${A_TIMEOUT} - 20")
    if(run_seconds LESS 10)
        set(run_seconds ${A_TIMEOUT})
    endif()
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL ${A_SERIAL} TIMEOUT ${A_TIMEOUT}
                         ENVIRONMENT "VT_BIN_DIR=${VT_BIN_DIR};VT_BUILD_DIR=${PROJECT_BINARY_DIR};VT_SOURCE_DIR=${PROJECT_SOURCE_DIR};WINEPATH=${bin_windows};VT_RUN_SECONDS=${run_seconds}")
endfunction()

function(vt_program name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} WIN32 ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VT_BIN_DIR} OUTPUT_NAME ${name})
endfunction()

# A DLL named exactly as the system names it (no "lib" prefix), exports from its .def file.
function(vt_dll name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} SHARED ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${VT_BIN_DIR}
                          ARCHIVE_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib)
endfunction()

# One portable subsystem folder: every .cpp in the folder (not under win32/) except *_test.cpp
# and *_fuzz.cpp forms the static library `vt_<folder>`; every *_test.cpp joins one unit-test
# executable `<folder>_tests`; every NAME_fuzz.cpp becomes a fuzz target with the seeds in
# testdata/NAME_seeds (when present). Helpers for tests only (*_testutil.cpp) join the tests.
#
#   vt_subsystem(image DEPS vt_common)
function(vt_subsystem folder)
    cmake_parse_arguments(A "" "" "DEPS;TEST_DEPS" ${ARGN})
    file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(lib_sources)
    set(test_sources)
    set(fuzz_sources)
    foreach(f ${all})
        if(f MATCHES "_test\\.cpp$" OR f MATCHES "_testutil\\.cpp$")
            list(APPEND test_sources ${f})
        elseif(f MATCHES "_fuzz\\.cpp$")
            list(APPEND fuzz_sources ${f})
        else()
            list(APPEND lib_sources ${f})
        endif()
    endforeach()
    if(lib_sources)
        vt_core_library(vt_${folder} SOURCES ${lib_sources} DEPS ${A_DEPS})
        set(self vt_${folder})
    else()
        add_library(vt_${folder} INTERFACE)
        target_include_directories(vt_${folder} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(vt_${folder} INTERFACE ${A_DEPS})
        set(self vt_${folder})
    endif()
    if(test_sources)
        vt_unit_test(${folder}_tests SOURCES ${test_sources} DEPS ${self} ${A_TEST_DEPS})
    endif()
    foreach(f ${fuzz_sources})
        get_filename_component(base ${f} NAME_WE)
        string(REGEX REPLACE "_fuzz$" "" stem ${base})
        vt_fuzzer(${base} SOURCES ${f} DEPS ${self} SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/testdata/${stem}_seeds)
    endforeach()
endfunction()
