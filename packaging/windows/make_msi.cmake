# Builds Tarnwick's MSI with wixl, the same bytes from the same inputs.
#
#   cmake -DWIXL=… -DMSIBUILD=… -DFAKETIME=… -DEXE=… -DLICENCE=… -DGUIDE=… -DICON=…
#         -DARCH=x86|x64 -DVERSION=1.0.0.1 -DOUTPUT=….msi -P make_msi.cmake
#
# wixl makes up a package code on every run and stamps the package with the
# time it ran. Here the product code names one version for one architecture
# (a major upgrade needs a new one for every version), the package code these
# exact bytes (so it follows the program's), and the time is SOURCE_DATE_EPOCH
# where that is set (a release sets it to the commit's time).

foreach(variable WIXL MSIBUILD FAKETIME EXE LICENCE GUIDE ICON ARCH VERSION OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "make_msi.cmake needs -D${variable}=…")
    endif()
endforeach()

# The upgrade code in tarnwick.wxs, as the namespace of the codes made here.
set(upgrade_code 7524746C-366E-4FA9-81CE-4DAD2CFCF222)
file(SHA256 "${EXE}" exe_digest)
string(UUID product_code NAMESPACE ${upgrade_code} NAME "product ${VERSION} ${ARCH}" TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${upgrade_code} NAME "package ${VERSION} ${ARCH} ${exe_digest}" TYPE SHA1 UPPER)


# wixl takes the files it packs by paths relative to where it runs.
set(partial "${OUTPUT}.partial")
set(inputs "${OUTPUT}.inputs")
file(REMOVE_RECURSE "${partial}" "${inputs}")
file(MAKE_DIRECTORY "${inputs}")
file(COPY_FILE "${EXE}" "${inputs}/tarnwick.exe")
file(COPY_FILE "${LICENCE}" "${inputs}/LICENSE.txt")
file(COPY_FILE "${GUIDE}" "${inputs}/user-guide.txt")
file(COPY_FILE "${ICON}" "${inputs}/tarnwick.ico")

# The cabinet inside keeps each file's time, the package its own. The clock is
# faked and stands still (-f, a time without "@"): a clock that ran on from
# the build's time would stamp the package a second later on a machine that
# took a second longer to get there. The files' times must not be faked:
# Debian 13's faketime would move them by as much as the clock, which depends
# on when it runs (NO_FAKE_STAT).
set(at_fixed_time "")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND touch -d "@$ENV{SOURCE_DATE_EPOCH}" tarnwick.exe LICENSE.txt user-guide.txt tarnwick.ico
        WORKING_DIRECTORY "${inputs}" COMMAND_ERROR_IS_FATAL ANY)
    string(TIMESTAMP build_time "%Y-%m-%d %H:%M:%S" UTC)  # from SOURCE_DATE_EPOCH
    set(at_fixed_time "${CMAKE_COMMAND}" -E env TZ=UTC NO_FAKE_STAT=1 "${FAKETIME}" -f "${build_time}")
endif()
execute_process(
    COMMAND ${at_fixed_time} "${WIXL}" --arch ${ARCH} --output "${partial}"
        -D "Version=${VERSION}" -D "ProductCode={${product_code}}"
        -D "Exe=tarnwick.exe" -D "Licence=LICENSE.txt" -D "Guide=user-guide.txt" -D "Icon=tarnwick.ico"
        "${CMAKE_CURRENT_LIST_DIR}/tarnwick.wxs"
    WORKING_DIRECTORY "${inputs}"
    COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${inputs}")

# The package code (msibuild sets it with the subject, author and template,
# which names 32-bit x86 "Intel"), and an upgrade that takes in the same
# first three numbers of a version (its upper bound inclusive: 512), as
# tarnwick.wxs explains. The row is a key of its table, so it is replaced,
# not updated.
set(platform ${ARCH})
if(ARCH STREQUAL "x86")
    set(platform Intel)
endif()
execute_process(
    COMMAND ${at_fixed_time} "${MSIBUILD}" "${partial}"
        -s "Tarnwick ${VERSION}, ADSL speed estimator" Velmor "${platform};1033" "{${package_code}}"
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(
    COMMAND ${at_fixed_time} "${MSIBUILD}" "${partial}"
        -q "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
        -q "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`)
            VALUES ('{${upgrade_code}}', '${VERSION}', 513, 'WIX_UPGRADE_DETECTED')"
    COMMAND_ERROR_IS_FATAL ANY)
file(RENAME "${partial}" "${OUTPUT}")
