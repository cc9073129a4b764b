# Tarnwick in the browser, handed out as tarnwick-<version>-web.zip: the site
# (index.html and everything it loads), the licence and the user guide, for
# any static host.
# cpack --preset web.

install(DIRECTORY "${TARNWICK_SITE}/" DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/docs/user-guide.md" DESTINATION . RENAME user-guide.txt)
set(CPACK_SYSTEM_NAME web)
set(CPACK_GENERATOR ZIP)
include(CPack)
