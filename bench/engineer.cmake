# The icon quality check over a hostile directory: many entries over one large blank image.
add_executable(icon_quality_bench ${CMAKE_CURRENT_LIST_DIR}/icon_quality_bench.cpp
               ${PROJECT_SOURCE_DIR}/engineer/engineer_testutil.cpp
               ${PROJECT_SOURCE_DIR}/librarian/librarian_testutil.cpp)
target_link_libraries(icon_quality_bench PRIVATE vt_engineer benchmark::benchmark benchmark::benchmark_main)
