# GIF coding: the hashed string table against a linear search of it.
add_executable(gif_bench ${CMAKE_CURRENT_LIST_DIR}/gif_bench.cpp)
target_link_libraries(gif_bench PRIVATE vt_studio benchmark::benchmark benchmark::benchmark_main)
