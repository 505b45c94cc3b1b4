# The Librarian timed under Wine on 10,000 icons: search, sorts, views and page scrolls, each to
# the end of its repaint. bench/librarian_timing.sh runs it.
add_executable(librarian_timing ${CMAKE_CURRENT_LIST_DIR}/librarian_timing.cpp
               ${PROJECT_SOURCE_DIR}/librarian/win32/librarian_wine_testutil.cpp
               ${PROJECT_SOURCE_DIR}/librarian/librarian_testutil.cpp)
target_link_libraries(librarian_timing PRIVATE vt_uidriver vt_librarian vt_common advapi32 gtest)
target_include_directories(librarian_timing PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(librarian_timing PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VT_TEST_BIN_DIR})
add_dependencies(librarian_timing VTMGR)
