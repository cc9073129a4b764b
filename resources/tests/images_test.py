#!/usr/bin/python3
"""Every image in resources/ is what make_images makes of its source now: run
in a copy of the folder, it must give the same pictures, so that a source
changed without its images made again fails here. Each picture is compared
by its pixels, allowing what another release's librsvg and ImageMagick draw
otherwise at the edges (a root mean square of the colour channels of 0.02,
0 to 1; a changed colour or shape differs far more), and the 16 x 16 icon in
256 colours more (0.1: each ImageMagick picks its own palette for it); the
icon image by image, the outlined SVG as librsvg draws it, and the cursor,
which a script sets pixel by pixel, byte for byte.

    images_test.py path/to/resources path/to/form1-layout
"""
import filecmp
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../testing"))
import checks  # noqa: E402
from checks import check  # noqa: E402

PALETTE = 0.1  # the 16 x 16 icon's
resources, layout = os.path.realpath(sys.argv[1]), os.path.realpath(sys.argv[2])


def alike(first, second, most=0.02):
    """"same", or how far apart two pictures are."""
    said = subprocess.run(["compare", "-metric", "RMSE", first, second, "null:"], capture_output=True, text=True,
                          check=False).stderr
    found = re.search(r"\(([\d.e-]+)\)$", said.strip())
    if not found:
        return "different (size)"
    return "same" if float(found.group(1)) <= most else f"different ({found.group(1)})"


with tempfile.TemporaryDirectory() as work:
    made = os.path.join(work, "made")
    shutil.copytree(resources, made)
    if subprocess.run(["./make_images", layout], cwd=made, check=False).returncode:
        sys.exit("make_images failed")
    for picture in sorted(glob.glob(f"{made}/*.png") + glob.glob(f"{made}/*.bmp")):
        name = os.path.basename(picture)
        check(name, alike(os.path.join(resources, name), picture, PALETTE if name == "icon-16.png" else 0.02), "same")
    subprocess.run(["convert", f"{resources}/tarnwick.ico", f"{work}/committed-icon-%d.png"], check=False)
    subprocess.run(["convert", f"{made}/tarnwick.ico", f"{work}/made-icon-%d.png"], check=False)
    for frame in sorted(glob.glob(f"{work}/committed-icon-*.png")):
        image = frame.rpartition("-")[2].removesuffix(".png")
        check(f"tarnwick.ico, image {image}",
              alike(frame, frame.replace("committed-icon", "made-icon"), PALETTE if image == "0" else 0.02), "same")
    for name, folder in (("committed", resources), ("made", made)):
        subprocess.run(["rsvg-convert", "--zoom", "3", f"{folder}/logo-outlined.svg", "--output",
                        f"{work}/{name}-outlined.png"], check=False)
    check("logo-outlined.svg", alike(f"{work}/committed-outlined.png", f"{work}/made-outlined.png"), "same")
    check("link-cursor.cur", filecmp.cmp(f"{resources}/link-cursor.cur", f"{made}/link-cursor.cur", shallow=False),
          True)

if checks.failures:
    sys.exit(f"{checks.failures} image(s) not as their sources make them: run resources/make_images")
print("every image is as its source makes it")
