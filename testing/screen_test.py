"""screen.py: the places it reads from a layout, and what it reads from a screenshot; and the
window scenario as x_scenario.py replays it."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import screen  # noqa: E402

LAYOUT = screen.read_layout("""window 279 206
txtSpeed TextBox 104 152 193 171
Line1 Line 8 144 272 144
Label1 Caption 8 64 73 81
""")


class Places(unittest.TestCase):
    def test_places_and_spots(self):
        cases = [
            (screen.place, ("txtSpeed", 0, 0), (104, 152, 89, 19)),
            (screen.place, ("txtSpeed", 10, 30, 2), (116, 184, 85, 15)),
            (screen.place, ("Line1", 0, 0), (8, 144, 264, 0)),
            (screen.spot, ("txtSpeed", 0, 0, "centre"), (148, 161)),
            (screen.spot, ("txtSpeed", 5, 7, "end"), (190, 168)),
        ]
        for function, arguments, expected in cases:
            with self.subTest(function=function.__name__, arguments=arguments):
                self.assertEqual(function(LAYOUT, *arguments), expected)

    def test_only_controls_are_read(self):
        self.assertEqual(sorted(LAYOUT), ["Label1", "Line1", "txtSpeed"])
        with self.assertRaises(ValueError):
            screen.spot(LAYOUT, "txtSpeed", 0, 0, "middle")


class Contrast(unittest.TestCase):
    def test_wcag_ratios(self):
        cases = [
            ([(0, 0, 0), (255, 255, 255)], 21.0),
            ([(255, 255, 255)] * 3, 1.0),
            ([(118, 118, 118), (255, 255, 255)], 4.54),  # the lightest grey WCAG AA passes on white
            ([(119, 119, 119), (255, 255, 255)], 4.48),  # one step lighter, which fails it
        ]
        for pixels, ratio in cases:
            with self.subTest(pixels=pixels):
                self.assertAlmostEqual(screen.contrast(pixels), ratio, places=2)


class CaptionsCut(unittest.TestCase):
    def image(self, ink_at):
        from PIL import Image

        image = Image.new("RGB", (100, 100), "white")
        for y in range(70, 75):
            image.putpixel((ink_at, y), (0, 0, 0))
        return image

    def test_ink_in_the_last_two_columns_is_a_cut(self):
        cases = [(40, []), (70, []), (71, ["Label1 at 8,64"]), (72, ["Label1 at 8,64"]), (73, [])]
        for ink_at, cut in cases:
            with self.subTest(ink_at=ink_at):
                self.assertEqual(screen.captions_cut(self.image(ink_at), LAYOUT, 0, 0), cut)


class Scenario(unittest.TestCase):
    def test_every_expectation_is_checked_or_said_unread(self):
        import json

        import x_scenario

        with open(os.path.join(os.path.dirname(__file__), "window_scenario.json"), encoding="utf-8") as file:
            scenario = json.load(file)
        for step in scenario["steps"]:
            for name, expected in step["expect"].items():
                with self.subTest(step=step["what"], expectation=name):
                    self.assertIn(name, x_scenario.CHECKED | set(x_scenario.UNREAD))
                    if name == "colour":
                        self.assertIn(expected, scenario["colours"])
            self.assertLessEqual(set(step) - {"what", "expect"}, {"keys", "calculate", "click"})

    def test_addresses_compared_as_a_browser_takes_them(self):
        from x_scenario import same_address

        cases = [("http://www.velmor.example", "http://www.velmor.example/"),
                 ("http://www.velmor.example/\n", "http://www.velmor.example/"),
                 ("http://www.velmor.example/a", "http://www.velmor.example/a")]
        for url, taken in cases:
            with self.subTest(url=url):
                self.assertEqual(same_address(url), taken)


if __name__ == "__main__":
    unittest.main()
