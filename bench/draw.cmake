# Drawing engine: a 64 x 64 flood, a brush dragged over the whole image, 1,000 undo/redo steps.
add_executable(draw_bench ${CMAKE_CURRENT_LIST_DIR}/draw_bench.cpp)
target_link_libraries(draw_bench PRIVATE vt_draw benchmark::benchmark benchmark::benchmark_main)
