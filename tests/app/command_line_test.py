"""The orvex program as a user starts it: options, the board it picks, traces, and how it ends."""
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

ORVEX = sys.argv.pop(1)


def start(*options, settings):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.Popen([ORVEX, "--settings", settings, *options], env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


class CommandLine(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.settings = os.path.join(self.folder.name, "ORVEX.ini")
        self.trace = os.path.join(self.folder.name, "ports.txt")

    def tearDown(self):
        self.folder.cleanup()

    def run_until_terminated(self, *options, seconds=1.5):
        program = start(*options, settings=self.settings)
        time.sleep(seconds)
        program.send_signal(signal.SIGTERM)
        _, errors = program.communicate(timeout=10)
        return program.returncode, errors

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
        code, _ = self.run_until_terminated("--board", "sim", "--port", "lpt2", "--switch-on",
                                            "--trace", self.trace)
        self.assertEqual(code, 0)
        with open(self.trace) as trace:
            lines = trace.read().splitlines()
        self.assertEqual(lines[0], "# orvex port trace 1")
        self.assertIn("W 634 11", " ".join(lines))
        self.assertTrue(any(line.endswith(" W 632 128") for line in lines))
        self.assertTrue(any(" R 633 " in line for line in lines), "no measurement ran")

    def test_a_termination_signal_flushes_the_trace_and_saves_nothing(self):
        code, _ = self.run_until_terminated("--board", "sim", "--port", "lpt1", "--switch-on",
                                            "--trace", self.trace)
        self.assertEqual(code, 0)
        with open(self.trace) as trace:
            text = trace.read()
        self.assertTrue(text.endswith("\n"))
        self.assertRegex(text.splitlines()[-1], r"^\d+\.\d{6} [WRP] ")
        self.assertFalse(os.path.exists(self.settings))

    def test_a_missing_parallel_port_is_told_and_the_program_runs_on(self):
        if any(name.startswith("parport") for name in os.listdir("/dev")):
            self.skipTest("this machine has a parallel port")
        code, errors = self.run_until_terminated("--board", "parport", "--port", "lpt1")
        self.assertEqual(code, 0)
        self.assertIn("/dev/parport0", errors)

    def test_without_a_parallel_port_auto_runs_on_the_simulated_board(self):
        if any(name.startswith("parport") for name in os.listdir("/dev")):
            self.skipTest("this machine has a parallel port")
        code, _ = self.run_until_terminated("--port", "lpt1", "--switch-on", "--trace", self.trace)
        self.assertEqual(code, 0)
        with open(self.trace) as trace:
            reads = [line for line in trace if " R 889 " in line]
        self.assertTrue(any(not line.endswith(" R 889 0\n") for line in reads),
                        "the converter never answered: no simulated board")

    def test_a_trace_that_cannot_be_created_is_told_and_the_program_runs_on(self):
        code, errors = self.run_until_terminated(
            "--board", "sim", "--trace", os.path.join(self.folder.name, "no", "such", "t.vcd"))
        self.assertEqual(code, 0)
        self.assertIn("Cannot create the port trace", errors)


if __name__ == "__main__":
    unittest.main()
