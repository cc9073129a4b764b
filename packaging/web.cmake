# Tarnwick in the browser, handed out as tarnwick-<version>-web.zip: the site
# (index.html and everything it loads) and the licence, for any static host.
# cpack --preset web.

install(DIRECTORY "${TARNWICK_SITE}/" DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)
set(CPACK_SYSTEM_NAME web)
set(CPACK_GENERATOR ZIP)
include(CPack)
