"""screen.py: the places it reads from a layout, and what it reads from a screenshot; and the
window scenario as x_scenario.py replays it, in an X server or in weston."""
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


class Rule(unittest.TestCase):
    def test_only_the_rules_colour_is_found(self):
        from PIL import Image

        blank = Image.new("RGB", (64, 48), "white")
        drawn = blank.copy()
        drawn.paste(screen.RULE, (8, 30, 48, 32))
        drawn.paste((0, 0, 191), (2, 2, 60, 4))  # a shade off: another colour
        drawn.paste((0, 0, 0), (0, 40, 64, 48))
        cases = [(blank, None), (drawn, (8, 30, 40, 2))]
        for image, expected in cases:
            with self.subTest(expected=expected):
                self.assertEqual(screen.rule(image), expected)


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

    def test_windows_up_read_from_a_compositor_log(self):
        from weston_log import fixed_size, standing_titles

        opened = ("[proto] client 0x1 rq xdg_surface@16.get_toplevel(new id xdg_toplevel@17)\n"
                  '[proto] client 0x1 rq xdg_toplevel@17.set_title("Tarnwick by Velmor")\n')
        report = ("[proto] client 0x1 rq xdg_surface#30.get_toplevel(new id xdg_toplevel#31)\n"
                  '[proto] client 0x1 rq xdg_toplevel#31.set_title("Tarnwick")\n')
        closed = "[proto] client 0x1 rq xdg_toplevel@31.destroy()\n"
        cases = [
            ("", []),
            (opened, ["Tarnwick by Velmor"]),
            (opened + report, ["Tarnwick by Velmor", "Tarnwick"]),
            (opened + report + closed, ["Tarnwick by Velmor"]),
            (opened + report + closed + report, ["Tarnwick by Velmor", "Tarnwick"]),
            # What weston sends back to the program changes nothing.
            (opened + '[proto] client 0x1 ev xdg_toplevel@17.configure(0, 0, array[0])\n', ["Tarnwick by Velmor"]),
        ]
        for log, titles in cases:
            with self.subTest(log=log):
                self.assertEqual(standing_titles(log), titles)

        sized = ("[proto] client 0x1 rq xdg_toplevel@17.set_min_size(279, 206)\n"
                 "[proto] client 0x1 rq xdg_toplevel@17.set_max_size(279, 206)\n")
        resized = "[proto] client 0x1 rq xdg_toplevel@17.set_max_size(285, 239)\n"
        cases = [(opened, ""), (opened + sized, "279x206"), (opened + sized + resized, ""),
                 (opened + resized + sized, "279x206"), (sized + opened, "")]
        for log, size in cases:
            with self.subTest(log=log):
                self.assertEqual(fixed_size(log), size)

    def test_keyboard_read_from_a_compositor_log(self):
        from weston_log import keyboard

        enter = "[proto] client 0x1 ev wl_keyboard@7.enter(2, wl_surface@14, array)\n"
        leave = "[proto] client 0x1 ev wl_keyboard@7.leave(5, wl_surface@14)\n"
        key = "[proto] client 0x1 ev wl_keyboard@7.key(8, 1655828188, 2, 1)\n"
        cases = [("", "out"), (enter, "in"), (enter + leave, "out"), (enter + leave + enter + key, "in"),
                 (enter + key + leave + key, "out")]
        for log, state in cases:
            with self.subTest(log=log):
                self.assertEqual(keyboard(log), state)

    def test_button_presses_read_from_a_compositor_log(self):
        from weston_log import button_presses

        press = "[proto] client 0x1 ev wl_pointer@3.button(8, 1709710350, 272, 1)\n"
        release = "[proto] client 0x1 ev wl_pointer#3.button(11, 1709710350, 272, 0)\n"
        asked = "[proto] client 0x1 rq wl_pointer@3.set_cursor(6, wl_surface@27, 4, 4)\n"
        cases = [("", 0), (press, 1), (press + release, 1), (press + release + press.replace("@", "#"), 2),
                 (release + asked, 0)]
        for log, presses in cases:
            with self.subTest(log=log):
                self.assertEqual(button_presses(log), presses)

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
