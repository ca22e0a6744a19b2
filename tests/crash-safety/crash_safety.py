#!/usr/bin/env python3
"""Kills the program without a window at random moments, inside the settings save too, and checks
that the settings file always survives whole.

Each cycle switches the receiver on, tunes a frequency it did not have before and switches it off,
which saves, all over rigctl; so every save differs from the one before. After every SIGKILL the
file must parse and hold exactly the last save the program acknowledged (the RPRT 0 of
\\set_powerstat 0) or the one in flight, never a mixture or a truncation, and the next start must
neither complain nor be blocked by what the killed program left behind.

    PYTHONPATH=tests/support crash_safety.py PROGRAM [--kills 1000] [--seed N] [--folder DIR]
"""
import argparse
import os
import random
import re
import sys
import tempfile
import time

from orvex_testing import LISTENING, Client, read, start_headless, stop

SETTINGS = "ORVEX.ini"
# The settings store writes the new file under a name that begins so, then renames it.
TEMPORARY_PREFIX = "." + SETTINGS + ".tmp-"
FREQUENCY_LINE = re.compile(r"^OFF_FREQUENCY=(.*)$", re.M)
# Where a kill lands: after the command has been sent, a random moment later.
MOMENTS = ("switching on", "tuning", "saving")
MOMENT_WEIGHTS = (1, 1, 6)


class Failure(AssertionError):
    pass


def read_text(path):
    """The file's text, or None while it does not exist."""
    return read(path) if os.path.exists(path) else None


def saved_frequency(text):
    """The frequency in Hz a whole settings file holds; a Failure for anything else."""
    if not text.startswith("[CONTROL]\n") or not text.endswith("\n"):
        raise Failure("the settings file is not whole:\n" + text)
    keys = dict(line.split("=", 1) for line in text.splitlines()[1:])
    if set(keys) != {"AUDIO", "SQL", "OFF_FREQUENCY", "STEP_FREQ", "PORT"}:
        raise Failure("the settings file does not hold its five keys:\n" + text)
    return round(float(keys["OFF_FREQUENCY"]) * 1000)


def with_frequency(text, hertz):
    """The file `text` as a save at `hertz` writes it: the same but for the frequency."""
    return FREQUENCY_LINE.sub("OFF_FREQUENCY=%d" % (hertz // 1000), text, count=1)


class Program:
    """One run of the program without a window, reached over one rigctl connection."""

    def __init__(self, executable, folder):
        self.errors_path = os.path.join(folder, "stderr.txt")
        self.process, port = start_headless(executable, self.errors_path, "--board", "sim",
                                            "--port", "lpt1", "--settings",
                                            os.path.join(folder, SETTINGS))
        self.port = port
        # The commands sent whose answer has not been read, each with its own connection: the
        # server paces a client after a save, and the kills are to land in saves, not in pauses.
        self.waiting = []

    def complaints(self):
        """What the program said other than where it listens."""
        return [line for line in read(self.errors_path).splitlines()
                if not LISTENING.search(line)]

    def send(self, command):
        client = Client(self.port)
        client.send(command)
        self.waiting.append((command, client))

    def answer(self):
        """The answer to the oldest command waiting."""
        command, client = self.waiting.pop(0)
        try:
            return command, client.line()
        except ConnectionError as closed:
            raise Failure(str(closed)) from closed
        finally:
            client.close()

    def ask(self, command):
        self.send(command)
        return self.answer()[1]

    def kill(self):
        """SIGKILL; then the answers the program wrote before it died, with their commands."""
        stop(self.process)
        answers = []
        for command, client in self.waiting:
            client.drain()
            if b"\n" in client.received:
                answers.append((command, client.line()))
            client.close()
        self.waiting = []
        return answers

    def end(self):
        """Ends the program as its service manager does."""
        self.process.terminate()
        self.process.wait(timeout=20)


class Run:
    def __init__(self, executable, folder, rng):
        self.executable, self.folder, self.rng = executable, folder, rng
        self.path = os.path.join(folder, SETTINGS)
        self.acknowledged = None  # the file as the last acknowledged save left it
        self.frequency = None     # the frequency it holds
        self.save_seconds = []    # how long acknowledged saves took, to aim kills into them
        self.kills = {moment: 0 for moment in MOMENTS}
        self.with_temporary = 0
        self.held_in_flight = 0
        self.program = None  # the one running, to end it if a check fails

    def next_frequency(self):
        while True:
            hertz = self.rng.randrange(13200, 14400) * 10000  # the 10 kHz grid, 132-144 MHz
            if hertz != self.frequency:
                return hertz

    def start(self):
        program = self.program = Program(self.executable, self.folder)
        if program.complaints():
            raise Failure("the program complained at start: %s" % program.complaints())
        if self.frequency is not None:
            shown = program.ask("f")
            if shown != str(self.frequency):
                raise Failure("started at %s Hz, but the file holds %d" % (shown, self.frequency))
        return program

    def cycle(self, program, kill_at=None):
        """On, tune, off. With kill_at, kills at that moment and returns the frequency in flight."""
        hertz = self.next_frequency()
        for moment, command in zip(MOMENTS, ("\\set_powerstat 1", "F %d" % hertz,
                                             "\\set_powerstat 0")):
            sent = time.monotonic()
            program.send(command)
            if moment == kill_at:
                self.kill_soon(program, moment, hertz)
                return
            answer = program.answer()[1]
            if answer != "RPRT 0":
                raise Failure("%r answered %r" % (command, answer))
            if moment == "saving":
                self.save_seconds.append(time.monotonic() - sent)
        self.saved(hertz)

    def saved(self, hertz):
        text = read_text(self.path)
        if self.acknowledged is not None and text != with_frequency(self.acknowledged, hertz):
            raise Failure("an acknowledged save left:\n%s" % text)
        if saved_frequency(text) != hertz:
            raise Failure("an acknowledged save at %d Hz left:\n%s" % (hertz, text))
        self.acknowledged, self.frequency = text, hertz

    def kill_soon(self, program, moment, hertz):
        # Up to one and a half saves' time after the command: inside the save often, at its
        # beginning and end too.
        typical = sorted(self.save_seconds)[len(self.save_seconds) // 2]
        time.sleep(self.rng.uniform(0, 1.5 * typical))
        answers = program.kill()
        self.kills[moment] += 1
        if any(name.startswith(TEMPORARY_PREFIX) for name in os.listdir(self.folder)):
            self.with_temporary += 1
        if ("\\set_powerstat 0", "RPRT 0") in answers:
            self.saved(hertz)  # acknowledged just before the kill
            return
        text = read_text(self.path)
        if text == self.acknowledged:
            return
        if moment == "saving" and text == with_frequency(self.acknowledged, hertz):
            self.held_in_flight += 1
            self.acknowledged, self.frequency = text, hertz
            return
        raise Failure("killed while %s at %d Hz, the file holds neither the last acknowledged "
                      "save nor the one in flight:\n%s" % (moment, hertz, text))

    def go(self, kills):
        # A first save, not killed, gives the file every later one is compared with.
        program = self.start()
        for _ in range(3):
            self.cycle(program)
        program.end()
        for _ in range(kills):
            program = self.start()
            for _ in range(self.rng.randrange(3)):
                self.cycle(program)
            self.cycle(program, kill_at=self.rng.choices(MOMENTS, MOMENT_WEIGHTS)[0])
        self.start().end()  # and what the last kill left starts the program too


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program")
    parser.add_argument("--kills", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--folder", help="where the temporary folder goes (default: TMPDIR); "
                        "a disk, not tmpfs, makes the save take long enough to be hit often")
    arguments = parser.parse_args()
    seed = arguments.seed if arguments.seed is not None else random.randrange(1 << 32)

    began = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="orvex-crash-", dir=arguments.folder) as folder:
        run = Run(arguments.program, folder, random.Random(seed))
        try:
            run.go(arguments.kills)
        except AssertionError as failure:
            print("FAILED (seed %d): %s" % (seed, failure), file=sys.stderr)
            return 1
        finally:
            if run.program is not None:
                stop(run.program.process)
    saves = sorted(run.save_seconds)
    print("%d kills in %.1f s (seed %d): %s; %d while the temporary file existed; %d left the "
          "save in flight whole, the rest the one before; every file whole, every start clean; "
          "median save %.2f ms" % (
              arguments.kills, time.monotonic() - began, seed,
              ", ".join("%d %s" % (count, moment) for moment, count in run.kills.items()),
              run.with_temporary, run.held_in_flight, 1000 * saves[len(saves) // 2]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
