# tarnwick-<version>-windows-<arch>.msi in the build folder, built with the
# program where msitools (wixl, msibuild) and faketime are installed: the
# stripped tarnwick.exe, as the zip holds it, and the licence.

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
set(stripped_exe "${CMAKE_CURRENT_BINARY_DIR}/msi/tarnwick.exe")

# Everything but the version and the output, which the installer's test
# changes to build a newer one.
set(TARNWICK_MSI_ARGUMENTS
    "-DWIXL=${TARNWICK_WIXL}" "-DMSIBUILD=${TARNWICK_MSIBUILD}" "-DFAKETIME=${TARNWICK_FAKETIME}"
    "-DEXE=${stripped_exe}" "-DLICENCE=${PROJECT_SOURCE_DIR}/LICENSE"
    "-DICON=${PROJECT_SOURCE_DIR}/resources/tarnwick.ico" "-DARCH=${msi_arch}"
    -P "${CMAKE_CURRENT_SOURCE_DIR}/windows/make_msi.cmake")

add_custom_command(
    OUTPUT "${stripped_exe}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/msi"
    COMMAND "${CMAKE_STRIP}" -o "${stripped_exe}" "$<TARGET_FILE:tarnwick>"
    DEPENDS tarnwick
    VERBATIM)
add_custom_command(
    OUTPUT "${TARNWICK_MSI}"
    COMMAND "${CMAKE_COMMAND}" "-DVERSION=${PROJECT_VERSION}" "-DOUTPUT=${TARNWICK_MSI}" ${TARNWICK_MSI_ARGUMENTS}
    DEPENDS "${stripped_exe}" windows/tarnwick.wxs windows/make_msi.cmake
        "${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_SOURCE_DIR}/resources/tarnwick.ico"
    VERBATIM)
add_custom_target(msi ALL DEPENDS "${TARNWICK_MSI}")
