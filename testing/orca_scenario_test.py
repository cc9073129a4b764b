"""orca_scenario.py: the scenario's steps for each front-end, and its checks
of what Orca said, against Orca's words as the two tests have recorded them."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import orca_scenario  # noqa: E402

SCENARIO = orca_scenario.load()
FRONT_ENDS = sorted(SCENARIO["roles"])

# What Orca 43 said in each front-end's test, cut to what the checks read.
HEARD = {
    "qt": {
        "open": "Tarnwick by Velmor. | DS Margin, dB text.",
        "flat-review-line": "Velmor.example",
        "tab-to-minimum": "tab | 6 | selected | Minimum margin, dB text. | selected.",
        "tab-to-current-speed": "tab | Text unselected. | Current speed:, in Mbps text.",
        "alt-c": "left alt | notification 16 in Mbps, higher than the current speed.",
        "to-result": "tab | 16 | selected | Max New Speed:, in Mbps text. | higher than the current speed.",
        "tab-to-calculate": "tab | Calculate push button.",
        "to-current-speed": "left shift | left shift | 8 | selected | Current speed:, in Mbps text.",
        "report": "left alt | alert Tarnwick. | Invalid argument: the speed cannot be estimated. | OK push button.",
    },
    "chromium": {
        "open": "Chromium frame. | main content Tarnwick by Velmor | DS Margin, dB entry. | Focus mode",
        "tab-to-minimum": "tab | Minimum margin, dB entry 6 selected.",
        "tab-to-current-speed": "tab | Current speed:, in Mbps entry.",
        "alt-c": "left alt | c | Calculate push button. | 16 in Mbps, higher than the current speed",
        "to-result": "left shift | Max New Speed:, in Mbps entry 16 selected. | higher than the current speed.",
        "tab-to-calculate": "tab | Calculate push button. | Browse mode",
        "link": "left shift | K | Velmor.example link. | Go to Velmor.example.",
        "to-current-speed": "tab | tab | tab | Current speed:, in Mbps entry 8 selected.",
        "report": "left alt | c | Invalid argument: the speed cannot be estimated.",
    },
}


def failures(front_end, heard, orca=43):
    return [(what, outcome) for what, outcome in orca_scenario.verdicts(SCENARIO, front_end, heard, orca)
            if outcome is not True and not isinstance(outcome, tuple)]


def changed(front_end, step, text):
    return {**HEARD[front_end], step: text}


class Checks(unittest.TestCase):
    def test_what_orca_said_passes(self):
        for front_end in FRONT_ENDS:
            with self.subTest(front_end=front_end):
                self.assertEqual(failures(front_end, HEARD[front_end]), [])

    def test_each_fault_is_found(self):
        qt, page = HEARD["qt"], HEARD["chromium"]
        cases = [
            ("a caption said twice", "qt", changed("qt", "open", qt["open"] + " | DS Margin, dB text."),
             "open: says 'DS Margin, dB text.' once"),
            ("Qt's role word where Chromium's is", "chromium", changed("chromium", "open", qt["open"]),
             "open: says 'DS Margin, dB entry.' once"),
            ("a value said only inside another number", "qt",
             changed("qt", "to-result", qt["to-result"].replace("| 16 |", "| 160 |")), "to-result: says the value 16"),
            ("an utterance of the report said twice", "chromium",
             changed("chromium", "report", page["report"] + " | Invalid argument: the speed cannot be estimated."),
             "report: says nothing twice"),
            ("a step not heard at all", "chromium", {k: v for k, v in page.items() if k != "link"},
             "link: says 'Velmor.example link' once"),
        ]
        for fault, front_end, heard, expected in cases:
            with self.subTest(fault=fault):
                self.assertIn(expected, [what for what, _ in failures(front_end, heard)])

    def test_a_check_of_a_later_orca_is_made_there(self):
        self.assertEqual(failures("chromium", HEARD["chromium"], orca=48), [("report: says 'OK button' once",
                                                                               "said 0 times")])


class Scenario(unittest.TestCase):
    def test_every_step_a_front_end_takes_has_its_keys(self):
        for front_end in FRONT_ENDS:
            for step in SCENARIO["steps"][1:]:
                if orca_scenario.takes(step, front_end):
                    with self.subTest(front_end=front_end, step=step["name"]):
                        self.assertTrue(orca_scenario.keys_of(step, front_end))

    def test_whatever_a_front_end_goes_without_says_why(self):
        for step in SCENARIO["steps"]:
            for item in [step] + step.get("expect", []):
                with self.subTest(step=step["name"], item=item):
                    self.assertLessEqual(set(item.get("on", FRONT_ENDS)), set(FRONT_ENDS))
                    self.assertEqual("on" in item, "why_not" in item)
            for expectation in step.get("expect", []):
                with self.subTest(step=step["name"], expectation=expectation):
                    self.assertEqual(len({"said", "value", "once"} & set(expectation)), 1)


if __name__ == "__main__":
    unittest.main()
