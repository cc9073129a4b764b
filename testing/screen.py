#!/usr/bin/python3
"""Where to look in a running Tarnwick window, and what its screen shows
there, for the tests that drive the window as a person would.

Places come from the window's own layout, as form1-layout prints it at the
DPI the window is shown at ("<name> <kind> <left> <top> <right> <bottom>" a
control, client pixels), moved by where the client area starts in the
screenshot or X window (x, y):

    screen.py place <layout> <name> <x> <y> [<inset>]   "left top width height",
                                                         less <inset> pixels each side
    screen.py spot <layout> <name> <x> <y> centre|end   a point of the control: its
                                                         centre, or in its last tenth,
                                                         past a box's short text
    screen.py contrast <png> <left> <top> <width> <height>
        WCAG's contrast ratio (1 to 21) between the lightest and the darkest
        pixel of the region: for a region of text, the text against its
        background
    screen.py captions-cut <png> <layout> <x> <y>
        "yes" if every caption reads whole (the last two pixel columns of each
        caption's box hold no ink, so no glyph was cut there), or else the
        captions cut
    screen.py rule <png>
        "left top width height" of the window's blue rule (Line1), the one
        thing of its colour, from which a test finds where the client area is
        and at what scale, whatever frame a window manager or compositor
        draws around it, or none
"""
import sys

# Ink against the window's white makes at least this contrast; anti-aliasing
# at a box's edge and the background alone stay below it.
INK_CONTRAST = 1.5


def read_layout(text):
    """{name: (kind, left, top, right, bottom)} from form1-layout's lines."""
    controls = {}
    for line in text.splitlines():
        words = line.split()
        if len(words) == 6:
            controls[words[0]] = (words[1], *map(int, words[2:]))
    return controls


def place(controls, name, x, y, inset=0):
    _, left, top, right, bottom = controls[name]
    return (x + left + inset, y + top + inset, right - left - 2 * inset, bottom - top - 2 * inset)


def spot(controls, name, x, y, where):
    _, left, top, right, bottom = controls[name]
    middle = y + (top + bottom) // 2
    if where == "centre":
        return (x + (left + right) // 2, middle)
    if where == "end":  # in the box's last tenth: past a short text, inside its frame
        return (x + right - (right - left) // 10, middle)
    raise ValueError(f"no spot {where!r}: centre or end")


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = (linear(c) for c in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(pixels):
    """WCAG's ratio between the lightest and the darkest of these (r, g, b) pixels."""
    levels = [luminance(pixel) for pixel in pixels]
    return (max(levels) + 0.05) / (min(levels) + 0.05)


def region(image, left, top, width, height):
    return list(image.convert("RGB").crop((left, top, left + width, top + height)).getdata())


def captions_cut(image, controls, x, y):
    cut = []
    for name, (kind, left, top, right, bottom) in controls.items():
        if kind == "Caption" and contrast(region(image, x + right - 2, y + top, 2, bottom - top)) >= INK_CONTRAST:
            cut.append(f"{name} at {left},{top}")
    return cut


# The colour of the window's rule, and of nothing else in it.
RULE = (0, 0, 192)


def rule(image):
    """(left, top, width, height) of the pixels of the rule's colour, or None."""
    from PIL import Image, ImageChops

    rgb = image.convert("RGB")
    # Each pixel's largest difference from the rule's colour in any channel.
    red, green, blue = ImageChops.difference(rgb, Image.new("RGB", rgb.size, RULE)).split()
    difference = ImageChops.lighter(ImageChops.lighter(red, green), blue)
    box = difference.point(lambda level: 255 if level == 0 else 0).getbbox()
    return box and (box[0], box[1], box[2] - box[0], box[3] - box[1])


def main(argv):
    command, arguments = argv[1], argv[2:]
    if command in ("place", "spot"):
        with open(arguments[0], encoding="utf-8") as file:
            controls = read_layout(file.read())
        name, x, y = arguments[1], int(arguments[2]), int(arguments[3])
        if command == "place":
            found = place(controls, name, x, y, int(arguments[4]) if len(arguments) > 4 else 0)
        else:
            found = spot(controls, name, x, y, arguments[4])
        print(*found)
        return 0
    from PIL import Image  # only the image checks need it

    image = Image.open(arguments[0])
    if command == "contrast":
        print(f"{contrast(region(image, *map(int, arguments[1:5]))):.1f}")
    elif command == "captions-cut":
        with open(arguments[1], encoding="utf-8") as file:
            cut = captions_cut(image, read_layout(file.read()), int(arguments[2]), int(arguments[3]))
        print("; ".join(cut) or "yes")
    elif command == "rule":
        print(*(rule(image) or (0, 0, 0, 0)))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
