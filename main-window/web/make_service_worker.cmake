# Writes the site's service worker from its template: the list of the site's
# files, and a cache named after the version and the files' contents, so that
# any change to any file makes a new cache (and a new service worker, which
# the browser notices by its bytes).
#
#   cmake -DSITE=<site folder> -DTEMPLATE=<service-worker.js.in> -DVERSION=<version> -P make_service_worker.cmake

file(GLOB files RELATIVE "${SITE}" "${SITE}/*")
list(REMOVE_ITEM files service-worker.js)
list(FILTER files EXCLUDE REGEX "\\.(wasm\\.map|js\\.map)$")
list(SORT files)

set(contents "")
set(quoted "\"./\"")
foreach(name IN LISTS files)
    file(SHA256 "${SITE}/${name}" hash)
    string(APPEND contents "${name} ${hash}\n")
    string(APPEND quoted ", \"${name}\"")
endforeach()
string(SHA256 site_hash "${contents}")
string(SUBSTRING "${site_hash}" 0 16 site_hash)

set(TARNWICK_CACHE_NAME "tarnwick-${VERSION}-${site_hash}")
set(TARNWICK_SITE_FILES "${quoted}")
configure_file("${TEMPLATE}" "${SITE}/service-worker.js" @ONLY)
