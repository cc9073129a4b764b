"""What Orca, the screen reader of GNOME and most Linux desktops, says of a
program, step by step: Orca's own words, read from its debug log (its
"SPEECH OUTPUT:" lines), not the accessibility tree. For the tests that
replay the screen-reader scenario (orca_scenario.json), in an X server on a
session bus of their own (x_window.with_private_bus).

    hear_scenario(session, front_end, open_window)
        starts Orca, runs open_window() (which starts the program and waits
        for its window), presses the keys of each step the front-end takes,
        ends Orca, and checks what it said at each step; once more if Orca
        never came up or stopped answering on the way

Needs orca, speech-dispatcher, at-spi2-core, python3-pyatspi and xdotool.
"""
import datetime
import os
import signal
import subprocess
import time

import orca_scenario
import orca_speech
from x_window import run

# Orca answers a key within a fraction of a second; the wait is long enough
# for a busy machine.
STEP_SECONDS = float(os.environ.get("ORCA_STEP_SECONDS", "2.5"))


class Orca:
    def __init__(self, session, folder):
        self.session, self.folder = session, folder
        self.steps = os.path.join(folder, "steps")
        self.spoken = os.path.join(folder, "spoken")

    def start(self):
        """The accessibility bus and Orca, with a home and run-time folder of
        their own; False if Orca never comes onto the bus."""
        home, runtime = os.path.join(self.folder, "home"), os.path.join(self.folder, "run")
        os.makedirs(os.path.join(home, ".config", "speech-dispatcher"))
        os.makedirs(runtime, mode=0o700)
        os.environ.update(HOME=home, XDG_RUNTIME_DIR=runtime)
        # What Orca says is its log's; a speech server of the machine's, with
        # a synthesizer and no sound card, can stall it.
        with open(os.path.join(home, ".config", "speech-dispatcher", "speechd.conf"), "w", encoding="utf-8") as conf:
            conf.write("DisableAutoSpawn\n")
        self.bus = self.session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        # No braille: looking for a display stalls Orca's speech now and then.
        said = os.path.join(self.folder, "orca.out")
        self.orca = self.session.start(["orca", "--replace", "--disable", "braille", "--disable", "braille-monitor",
                                        f"--debug-file={self.folder}/orca.log"], log=said, output=said)
        open(self.steps, "w", encoding="utf-8").close()
        # Orca is listening once it is on the accessibility bus itself (the
        # log comes out only as Orca ends, in some releases). Its first start
        # in a fresh home takes a few seconds more.
        try:
            orca_speech.wait_on_bus(lambda apps: any(app.name == "orca" for app in apps), 60, "")
        except SystemExit:
            with open(said, encoding="utf-8", errors="replace") as out:
                print(f"Orca printed:\n{out.read()}")
            for process in (self.orca, self.bus):
                process.kill()
                self.session.stop(process)
            return False
        time.sleep(1)
        return True

    def mark(self, name):
        """What Orca says from now on is this step's."""
        with open(self.steps, "a", encoding="utf-8") as steps:
            steps.write(f"{datetime.datetime.now():%H:%M:%S.%f} {name}\n")

    def step(self, name, command):
        """Marks it, does it (an xdotool command) and waits for Orca to speak."""
        self.mark(name)
        run("xdotool", *command.split())
        time.sleep(STEP_SECONDS)

    def stop(self):
        """Ends Orca, with all its log written. Orca 43 writes its log through
        a buffer, and when asked to end it may not: presses of Shift, which it
        only logs, push out all that comes before them."""
        self.mark("end")
        for _ in range(12):
            run("xdotool", "key", "shift")
            time.sleep(0.2)
        time.sleep(1)
        self.orca.send_signal(signal.SIGINT)
        try:
            self.orca.wait(3)
        except subprocess.TimeoutExpired:
            self.orca.kill()
        for process in (self.orca, self.bus):
            self.session.stop(process)
        with open(self.spoken, "w", encoding="utf-8") as spoken:
            spoken.write(orca_speech.split_text(os.path.join(self.folder, "orca.log"), self.steps))

    def answered_to_the_end(self):
        """Whether Orca still echoed the keys pressed as it was ended."""
        with open(self.spoken, encoding="utf-8") as spoken:
            return any(line.startswith("end\t") and "shift" in line for line in spoken)


def hear_scenario(session, front_end, open_window):
    """Orca 48, in a run of many, now and then never comes onto the bus, or
    stops answering midway: it no longer even echoes the keys pressed. Such a
    run says nothing of the program, so it is made once more, after what it
    started (but the X server) has ended."""
    scenario = orca_scenario.load()
    started_before = len(session.processes)
    for attempt in (1, 2):
        orca = Orca(session, session.file(f"orca/{attempt}"))
        if orca.start():
            orca.mark("open")
            if open_window():
                for name, command in orca_scenario.steps(scenario, front_end):
                    orca.step(name, command)
            orca.stop()
            if orca.answered_to_the_end():
                version = int(run("dpkg-query", "-W", "-f=${Version}", "orca").split(".")[0])
                return orca_scenario.check(scenario, front_end, orca.spoken, version)
            with open(orca.spoken, encoding="utf-8") as spoken:
                print(f"Orca stopped answering (run {attempt} of 2); it said:\n{spoken.read()}")
        else:
            print(f"Orca did not come onto the accessibility bus (run {attempt} of 2)")
        for process in session.processes[started_before:]:
            session.stop(process)
        time.sleep(1)
    print("FAILED: Orca did not answer to the end in either run")
    return 1
