"""The orvex program as a user starts it: options, the board it picks, traces, and how it ends."""
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

ORVEX = sys.argv.pop(1)


def wait_for(condition, what, seconds=60):
    """Polls until the condition holds; a first start may wait for the font cache to be built."""
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


def read(path):
    try:
        with open(path, errors="replace") as file:
            return file.read()
    except FileNotFoundError:
        return ""


class CommandLine(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.settings = os.path.join(self.folder.name, "ORVEX.ini")
        self.trace = os.path.join(self.folder.name, "ports.txt")
        self.errors = os.path.join(self.folder.name, "stderr.txt")

    def tearDown(self):
        self.folder.cleanup()

    def run_until(self, ready, what, *options):
        """Starts the program, waits until `ready()` holds, ends it with SIGTERM; its exit code."""
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        with open(self.errors, "w") as errors:
            program = subprocess.Popen([ORVEX, "--settings", self.settings, *options], env=env,
                                       stdout=subprocess.DEVNULL, stderr=errors)
            try:
                wait_for(ready, what)
            finally:
                program.send_signal(signal.SIGTERM)
                program.wait(timeout=30)
        return program.returncode

    def trace_has(self, text):
        return lambda: text in read(self.trace)

    def said(self, text):
        return lambda: text in read(self.errors)

    def test_help_lists_the_options_without_a_display(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
        result = subprocess.run([ORVEX, "--help"], env=env, capture_output=True, text=True)
        self.assertEqual(result.returncode, 0)
        for option in ("--settings", "--board", "--port", "--trace", "--version"):
            self.assertIn(option, result.stdout)

    def test_an_unknown_board_is_refused_in_plain_words(self):
        result = subprocess.run([ORVEX, "--board", "usb"], capture_output=True, text=True)
        self.assertEqual(result.returncode, 2)
        self.assertIn('unknown board "usb": use auto, sim or parport', result.stderr)

    def test_port_and_switch_on_reach_the_simulated_board_at_lpt2(self):
        code = self.run_until(self.trace_has(" R 633 "), "a measurement at LPT2", "--board", "sim",
                              "--port", "lpt2", "--switch-on", "--trace", self.trace)
        self.assertEqual(code, 0)
        lines = read(self.trace).splitlines()
        self.assertEqual(lines[0], "# orvex port trace 1")
        self.assertTrue(any(line.endswith(" W 634 11") for line in lines))
        self.assertTrue(any(line.endswith(" W 632 128") for line in lines))

    def test_a_termination_signal_flushes_the_trace_and_saves_nothing(self):
        code = self.run_until(self.trace_has(" R 889 "), "a measurement", "--board", "sim",
                              "--port", "lpt1", "--switch-on", "--trace", self.trace)
        self.assertEqual(code, 0)
        text = read(self.trace)
        self.assertTrue(text.endswith("\n"))
        self.assertRegex(text.splitlines()[-1], r"^\d+\.\d{6} [WRP] ")
        self.assertFalse(os.path.exists(self.settings))

    def test_without_a_parallel_port_auto_runs_on_the_simulated_board(self):
        if any(name.startswith("parport") for name in os.listdir("/dev")):
            self.skipTest("this machine has a parallel port")
        answered = lambda: any(" R 889 " in line and not line.endswith(" R 889 0")
                               for line in read(self.trace).splitlines())
        code = self.run_until(answered, "the simulated converter to answer",
                              "--port", "lpt1", "--switch-on", "--trace", self.trace)
        self.assertEqual(code, 0)

    def test_a_missing_parallel_port_is_told_and_the_program_runs_on(self):
        if any(name.startswith("parport") for name in os.listdir("/dev")):
            self.skipTest("this machine has a parallel port")
        code = self.run_until(self.said("/dev/parport0"), "the message about the port",
                              "--board", "parport", "--port", "lpt1")
        self.assertEqual(code, 0)

    def test_a_trace_that_cannot_be_created_is_told_and_the_program_runs_on(self):
        code = self.run_until(self.said("Cannot create the port trace"), "the message",
                              "--board", "sim",
                              "--trace", os.path.join(self.folder.name, "no", "such", "t.vcd"))
        self.assertEqual(code, 0)


if __name__ == "__main__":
    unittest.main()
