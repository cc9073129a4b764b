# tarnwick.exe as it is handed out, in the zip and in the installer alike:
# stripped of its debugging information and, where the releaser gives a
# code-signing key (scripts/release does, from TARNWICK_CODESIGN_PKCS12 and
# TARNWICK_CODESIGN_PASSWORD_FILE), signed with Authenticode. Signing comes
# last: stripping a signed file would break its signature. Defines
# TARNWICK_HANDED_OUT_EXE and tarnwick_sign_command().

set(TARNWICK_CODESIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 file with the code-signing key and its certificates (releases)")
set(TARNWICK_CODESIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of TARNWICK_CODESIGN_PKCS12")
set(TARNWICK_TIMESTAMP_URL "" CACHE STRING "Time-stamping server for the signatures (optional)")

set(TARNWICK_HANDED_OUT_EXE "${CMAKE_CURRENT_BINARY_DIR}/handed-out/tarnwick.exe")

if(TARNWICK_CODESIGN_PKCS12)
    if(NOT TARNWICK_CODESIGN_PASSWORD_FILE)
        message(FATAL_ERROR "TARNWICK_CODESIGN_PKCS12 needs TARNWICK_CODESIGN_PASSWORD_FILE")
    endif()
    find_program(TARNWICK_OSSLSIGNCODE osslsigncode REQUIRED)
endif()

# tarnwick_sign_command(<variable> <file>): sets <variable> to COMMAND and the
# command that signs <file> in place, or to nothing where no key is given.
function(tarnwick_sign_command variable file)
    set(command "")
    if(TARNWICK_CODESIGN_PKCS12)
        set(command COMMAND "${CMAKE_COMMAND}"
            "-DOSSLSIGNCODE=${TARNWICK_OSSLSIGNCODE}" "-DPKCS12=${TARNWICK_CODESIGN_PKCS12}"
            "-DPASSWORD_FILE=${TARNWICK_CODESIGN_PASSWORD_FILE}" "-DTIMESTAMP_URL=${TARNWICK_TIMESTAMP_URL}"
            "-DDESCRIPTION=Tarnwick" "-DURL=${PROJECT_HOMEPAGE_URL}" "-DFILE=${file}"
            -P "${PROJECT_SOURCE_DIR}/packaging/windows/sign.cmake")
    endif()
    set(${variable} ${command} PARENT_SCOPE)
endfunction()

# mingw-w64's exe ends with the names of its longer sections, anywhere in
# the last eight bytes: it is padded, as a signature would pad it
# (align_exe.py), so that the signature comes off again to the byte.
if(CMAKE_STRIP)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(make_handed_out_exe "${CMAKE_STRIP}" -o "${TARNWICK_HANDED_OUT_EXE}" "$<TARGET_FILE:tarnwick>"
        COMMAND Python3::Interpreter "${CMAKE_CURRENT_LIST_DIR}/align_exe.py" "${TARNWICK_HANDED_OUT_EXE}")
else()  # MSVC keeps its debugging information apart from the exe, which ends aligned
    set(make_handed_out_exe "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:tarnwick>" "${TARNWICK_HANDED_OUT_EXE}")
endif()
tarnwick_sign_command(sign_handed_out_exe "${TARNWICK_HANDED_OUT_EXE}")
add_custom_command(
    OUTPUT "${TARNWICK_HANDED_OUT_EXE}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/handed-out"
    COMMAND ${make_handed_out_exe}
    ${sign_handed_out_exe}
    DEPENDS tarnwick "${CMAKE_CURRENT_LIST_DIR}/align_exe.py" "${CMAKE_CURRENT_LIST_DIR}/sign.cmake"
    VERBATIM)
add_custom_target(handed-out-exe ALL DEPENDS "${TARNWICK_HANDED_OUT_EXE}")
