# The version, as written in the Windows version record's text fields:
# 1.0.0.1 is "1.00.0001" (major, minor in two digits, the fourth number in four).
# project() is the one place the version is written; everything else takes it from there.

function(tarnwick_zero_pad out value width)
    string(LENGTH "${value}" length)
    while(length LESS width)
        string(PREPEND value "0")
        math(EXPR length "${length} + 1")
    endwhile()
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

tarnwick_zero_pad(tarnwick_minor "${PROJECT_VERSION_MINOR}" 2)
tarnwick_zero_pad(tarnwick_tweak "${PROJECT_VERSION_TWEAK}" 4)
set(TARNWICK_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${tarnwick_minor}.${tarnwick_tweak}")

# The year the company and legal-notice fields name.
set(TARNWICK_COPYRIGHT_YEAR 2026)
# The date of this version, for the AppStream release entry.
set(TARNWICK_RELEASE_DATE 2026-12-08)
