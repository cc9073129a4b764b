# Signs a Windows file (an exe or an MSI) with Authenticode, SHA-256, in
# place: the signer is the certificate's; the description and the URL that
# Windows shows beside it are Tarnwick's.
#
#   cmake -DOSSLSIGNCODE=… -DPKCS12=… -DPASSWORD_FILE=… [-DTIMESTAMP_URL=…]
#         -DDESCRIPTION=… -DURL=… -DFILE=… -P sign.cmake
#
# The password is read from its file by osslsigncode itself: it is never on
# a command line, where any user could read it.

foreach(variable OSSLSIGNCODE PKCS12 PASSWORD_FILE DESCRIPTION URL FILE)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "sign.cmake needs -D${variable}=…")
    endif()
endforeach()

# Without a time stamp the signature is trusted only while the certificate
# is valid; a time-stamping server is on the network, which a build machine
# may not have.
set(timestamp "")
if(TIMESTAMP_URL)
    set(timestamp -ts "${TIMESTAMP_URL}")
endif()

set(signed "${FILE}.signed")
file(REMOVE "${signed}")
execute_process(
    COMMAND "${OSSLSIGNCODE}" sign -pkcs12 "${PKCS12}" -readpass "${PASSWORD_FILE}" -h sha256
        -n "${DESCRIPTION}" -i "${URL}" ${timestamp} -in "${FILE}" -out "${signed}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE "${signed}")
    message(FATAL_ERROR "Signing ${FILE} failed:\n${output}")
endif()
file(RENAME "${signed}" "${FILE}")
