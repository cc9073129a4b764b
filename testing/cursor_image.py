#!/usr/bin/python3
"""Prints the size and hot spot of the mouse cursor the X server shows now,
read back through XFixes, as "width height x y": what a program under test
asked the server to show, whatever toolkit it used.

    cursor_image.py      # DISPLAY names the server
"""
from Xlib import display
from Xlib.ext import xfixes  # noqa: F401  (registers the extension)


def main():
    screen = display.Display()
    screen.xfixes_query_version()
    image = screen.xfixes_get_cursor_image(screen.screen().root)
    print(image.width, image.height, image.xhot, image.yhot)


if __name__ == "__main__":
    main()
