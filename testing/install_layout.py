"""The files an install of Tarnwick lays out where the desktop looks for
them, for the install-layout test and the installed-package test."""
import os

from checks import check


def check_layout(prefix, application_id):
    """Checks each file under the prefix; Debian's tools compress the
    documents they install."""
    for file in ["bin/tarnwick",
                 f"share/applications/{application_id}.desktop",
                 f"share/metainfo/{application_id}.metainfo.xml",
                 *(f"share/icons/hicolor/{size}x{size}/apps/{application_id}.png" for size in (16, 32, 48)),
                 f"share/icons/hicolor/scalable/apps/{application_id}.svg",
                 "share/man/man1/tarnwick.1.gz",
                 "share/doc/tarnwick/user-guide.md"]:
        path = os.path.join(prefix, file)
        check(file, os.path.isfile(path) or os.path.isfile(path + ".gz"), True)
    check("bin/tarnwick is executable", os.access(os.path.join(prefix, "bin/tarnwick"), os.X_OK), True)
