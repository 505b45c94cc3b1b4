# The programs' artwork (program icons, cursors, marks, tool bar and tool box images) is drawn by
# our own generator at build time, compiled for the build machine.
# vt_draw_artwork(<target> <program> FILES <names>...): draws the program's files ("" for the
# Studio, "librarian", "engineer") into the calling folder's build folder "art", which the
# program's resource script includes; <target>_FILES names them for OBJECT_DEPENDS.
find_program(VT_HOST_CXX NAMES g++ c++ REQUIRED)
set(VT_ARTWORK_SOURCES
    ${PROJECT_SOURCE_DIR}/tools/artwork/vt_artwork.cpp ${PROJECT_SOURCE_DIR}/tools/artwork/glyphs.cpp
    ${PROJECT_SOURCE_DIR}/tools/artwork/engineer_glyphs.cpp ${PROJECT_SOURCE_DIR}/tools/artwork/raster.cpp
    ${PROJECT_SOURCE_DIR}/image/icon_image.cpp ${PROJECT_SOURCE_DIR}/image/ico_writer.cpp
    ${PROJECT_SOURCE_DIR}/common/byte_writer.cpp ${PROJECT_SOURCE_DIR}/common/byte_reader.cpp
    ${PROJECT_SOURCE_DIR}/common/file_io.cpp ${PROJECT_SOURCE_DIR}/common/file_io_posix.cpp)
set(VT_ARTWORK_HEADERS
    ${PROJECT_SOURCE_DIR}/tools/artwork/glyphs.h ${PROJECT_SOURCE_DIR}/tools/artwork/raster.h
    ${PROJECT_SOURCE_DIR}/tools/artwork/engineer_glyphs.h)

function(vt_draw_artwork target program)
    cmake_parse_arguments(A "" "" "FILES" ${ARGN})
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/art)
    set(files)
    foreach(name ${A_FILES})
        list(APPEND files ${dir}/${name})
    endforeach()
    add_custom_command(
        OUTPUT ${files}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${VT_HOST_CXX} -std=c++20 -O1 -I${PROJECT_SOURCE_DIR} ${VT_ARTWORK_SOURCES} -o ${dir}/vt_artwork
        COMMAND ${dir}/vt_artwork ${dir} ${program}
        DEPENDS ${VT_ARTWORK_SOURCES} ${VT_ARTWORK_HEADERS}
        COMMENT "Drawing the artwork of ${target}")
    add_custom_target(${target} DEPENDS ${files})
    set(${target}_FILES ${files} PARENT_SCOPE)
endfunction()
