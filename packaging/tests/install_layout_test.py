#!/usr/bin/python3
"""cmake --install into a temporary prefix lays out the desktop's files.

    install_layout_test.py <build folder> <application id>
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../testing"))
from checks import finish  # noqa: E402
from install_layout import check_layout  # noqa: E402

with tempfile.TemporaryDirectory() as prefix:
    subprocess.run(["cmake", "--install", sys.argv[1], "--prefix", prefix], stdout=subprocess.DEVNULL, check=True)
    check_layout(prefix, sys.argv[2])
    finish()
