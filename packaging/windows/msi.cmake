# tarnwick-<version>-windows-<arch>.msi in the build folder, built with the
# program where msitools (wixl, msibuild) and faketime are installed: the
# tarnwick.exe that the zip holds, the licence and the user guide. Where a release gives a
# code-signing key, the installer is signed too, as its last step.

find_program(TARNWICK_WIXL wixl)
find_program(TARNWICK_MSIBUILD msibuild)
find_program(TARNWICK_FAKETIME faketime)
if(NOT TARNWICK_WIXL OR NOT TARNWICK_MSIBUILD OR NOT TARNWICK_FAKETIME)
    message(STATUS "No wixl, msibuild or faketime: no Windows installer")
    return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(msi_arch x86)
else()
    set(msi_arch x64)
endif()
set(TARNWICK_MSI "${PROJECT_BINARY_DIR}/tarnwick-${PROJECT_VERSION}-windows-${msi_arch}.msi")

# Everything but the version and the output, which the installer's test
# changes to build a newer one.
set(TARNWICK_MSI_ARGUMENTS
    "-DWIXL=${TARNWICK_WIXL}" "-DMSIBUILD=${TARNWICK_MSIBUILD}" "-DFAKETIME=${TARNWICK_FAKETIME}"
    "-DEXE=${TARNWICK_HANDED_OUT_EXE}" "-DLICENCE=${PROJECT_SOURCE_DIR}/LICENSE"
    "-DGUIDE=${PROJECT_SOURCE_DIR}/docs/user-guide.md"
    "-DICON=${PROJECT_SOURCE_DIR}/resources/tarnwick.ico" "-DARCH=${msi_arch}"
    -P "${CMAKE_CURRENT_SOURCE_DIR}/windows/make_msi.cmake")

tarnwick_sign_command(sign_msi "${TARNWICK_MSI}")
add_custom_command(
    OUTPUT "${TARNWICK_MSI}"
    COMMAND "${CMAKE_COMMAND}" "-DVERSION=${PROJECT_VERSION}" "-DOUTPUT=${TARNWICK_MSI}" ${TARNWICK_MSI_ARGUMENTS}
    ${sign_msi}
    DEPENDS "${TARNWICK_HANDED_OUT_EXE}" windows/tarnwick.wxs windows/make_msi.cmake
        "${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_SOURCE_DIR}/docs/user-guide.md"
        "${PROJECT_SOURCE_DIR}/resources/tarnwick.ico"
    VERBATIM)
add_custom_target(msi ALL DEPENDS "${TARNWICK_MSI}")
