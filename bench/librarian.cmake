# The Librarian core on a 10,000-icon workspace (sorts, cells and layout per view, one page's paint
# query, Select All and Delete) and on a crafted program file of 65,535 images.
add_executable(librarian_bench ${CMAKE_CURRENT_LIST_DIR}/librarian_bench.cpp
               ${PROJECT_SOURCE_DIR}/librarian/librarian_testutil.cpp)
target_link_libraries(librarian_bench PRIVATE vt_librarian benchmark::benchmark benchmark::benchmark_main)
