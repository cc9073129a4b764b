#!/usr/bin/python3
"""The screen-reader scenario (orca_scenario.json) for one front-end, as
orca.py replays it: steps(), the keys of each step the front-end takes, and
check(), which checks what Orca said at each step (orca.py's spoken file,
"<step><TAB><utterance> | ..." lines).

Orca 43 says "push button" where Orca 48 says "button": both are read as
"button".
"""
import json
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import checks  # noqa: E402

SCENARIO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "orca_scenario.json")


def load(path=SCENARIO):
    with open(path, encoding="utf-8") as file:
        return json.load(file)


def takes(item, front_end):
    return front_end in item.get("on", [front_end])


def keys_of(step, front_end):
    keys = step.get("keys")
    return keys.get(front_end) if isinstance(keys, dict) else keys


def steps(scenario, front_end):
    """(name, xdotool command) of each step the front-end presses keys in."""
    return [(step["name"], keys_of(step, front_end)) for step in scenario["steps"]
            if takes(step, front_end) and keys_of(step, front_end)]


def named(expectation):
    """How an expectation is named in what the test prints."""
    if "said" in expectation:
        return expectation["said"]
    return f"the value {expectation['value']}" if "value" in expectation else "nothing said twice"


def heard(text):
    return text.replace("push button", "button")


def verdicts(scenario, front_end, spoken, orca):
    """(what, outcome) for each expectation: outcome is True, a failure's
    words, or ("without", why) for one the front-end goes without."""
    role = scenario["roles"][front_end]
    for step in scenario["steps"]:
        name = step["name"]
        if not takes(step, front_end):
            yield name, ("without", step["why_not"])
            continue
        said = heard(spoken.get(name, ""))
        for expectation in step.get("expect", []):
            if not takes(expectation, front_end):
                yield f"{name}: {named(expectation)}", ("without", expectation["why_not"])
                continue
            if orca < expectation.get("orca_from", {}).get(front_end, 0):
                yield (f"{name}: {named(expectation)}",
                       ("without", f"Orca {orca} does not say it; Orca {expectation['orca_from'][front_end]} does"))
                continue
            if "said" in expectation:
                words = expectation["said"].replace("{role}", role)
                times = said.count(words)
                yield f"{name}: says {words!r} once", True if times == 1 else f"said {times} times"
            elif "value" in expectation:
                value = expectation["value"]
                found = re.search(rf"(^|[\s|]){re.escape(value)}([\s.|]|$)", said)
                yield f"{name}: says the value {value}", True if found else "not said"
            elif expectation.get("once"):
                utterances = [text for text in said.split(" | ") if text]
                twice = sorted({text for text in utterances if utterances.count(text) > 1})
                yield f"{name}: says nothing twice", True if not twice else f"said twice: {twice}"


def read_spoken(path):
    spoken = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            name, _, text = line.rstrip("\n").partition("\t")
            spoken[name] = text
    return spoken


def check(scenario, front_end, spoken_file, orca):
    """Checks what Orca said at each step, prints a line for each check and
    for each one the front-end goes without, then what Orca said; the number
    of checks that failed."""
    for what, outcome in verdicts(scenario, front_end, read_spoken(spoken_file), orca):
        if outcome is True:
            checks.check(what, True, True)
        elif isinstance(outcome, tuple):
            print(f"not checked here: {what}: {outcome[1]}")
        else:
            print(f"FAILED: {what}: {outcome}")
            checks.failures += 1
    print("What Orca said, step by step:")
    with open(spoken_file, encoding="utf-8") as lines:
        sys.stdout.write(lines.read())
    return checks.failures
