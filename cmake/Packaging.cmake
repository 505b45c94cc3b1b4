# Packages in the ecosystem's own way: `cmake --install` and CPack. The native preset packages the
# command line as a Debian package whose dependencies dpkg-shlibdeps computes; the Windows preset
# packages the binaries it built, with the default palette and a short read-me, as a ZIP. A CTest
# test of each preset builds its package and checks what is inside.
include_guard(GLOBAL)

set(CPACK_PACKAGE_NAME "vantoro")
set(CPACK_PACKAGE_VENDOR "Vantoro 98")
set(CPACK_PACKAGE_VERSION "1.0.0")
set(CPACK_PACKAGE_CONTACT "Vantoro 98 maintainers <maintainers@vantoro.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vantoro 98 icon toolkit")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads, extracts (losslessly), collects and makes icons and cursors: icon and cursor files, icon libraries, program files and animated cursors.")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(vt_generator ZIP)
    set(CPACK_PACKAGE_FILE_NAME "vantoro98-${CPACK_PACKAGE_VERSION}-win64")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(vt_packaged)
    foreach(binary VTEDIT VTANI VTMGR VTENGNR VTINST skyhook VTAPP)
        if(TARGET ${binary})
            # Import libraries serve nobody who runs the programs.
            install(TARGETS ${binary} RUNTIME DESTINATION . COMPONENT programs
                    LIBRARY DESTINATION . COMPONENT programs
                    ARCHIVE DESTINATION lib COMPONENT implib EXCLUDE_FROM_ALL)
            list(APPEND vt_packaged $<TARGET_FILE_NAME:${binary}>)
        endif()
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/image/data/default.pal DESTINATION . COMPONENT programs)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/README.txt DESTINATION . COMPONENT programs)
    set(CPACK_COMPONENTS_ALL programs)
    set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
    set(vt_expected ${vt_packaged} default.pal README.txt)
else()
    set(CPACK_GENERATOR DEB)
    set(vt_generator DEB)
    set(CPACK_PACKAGE_FILE_NAME "vantoro_${CPACK_PACKAGE_VERSION}_amd64")
    set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vantoro 98 icon toolkit: the command line")
    set(CPACK_COMPONENTS_ALL vantoro)
    set(vt_expected vantoro)
endif()
include(CPack)

# The package check: sanitizer builds package nothing.
if(NOT VT_SANITIZE AND NOT VT_FUZZ)
    add_test(NAME packages
             COMMAND ${PROJECT_SOURCE_DIR}/tools/check-package.sh ${PROJECT_BINARY_DIR}
                     ${vt_generator} ${vt_expected})
    set_tests_properties(packages PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()
