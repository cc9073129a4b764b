# Sourced by the packaging tests: checks the files an install lays out.
#
#   expect_layout <prefix> <application id>   counts what is missing in $failures

expect_layout() {
    local prefix=$1 id=$2 file
    for file in \
        bin/tarnwick \
        "share/applications/$id.desktop" \
        "share/metainfo/$id.metainfo.xml" \
        "share/icons/hicolor/16x16/apps/$id.png" \
        "share/icons/hicolor/32x32/apps/$id.png" \
        "share/icons/hicolor/48x48/apps/$id.png" \
        "share/icons/hicolor/scalable/apps/$id.svg" \
        share/man/man1/tarnwick.1.gz \
        share/doc/tarnwick/user-guide.md; do
        # Debian's tools compress the documents they install.
        if [ -f "$prefix/$file" ] || [ -f "$prefix/$file.gz" ]; then
            echo "ok: $file"
        else
            echo "FAILED: $file missing"
            failures=$((failures + 1))
        fi
    done
    if [ ! -x "$prefix/bin/tarnwick" ]; then
        echo "FAILED: bin/tarnwick is not executable"
        failures=$((failures + 1))
    fi
}
