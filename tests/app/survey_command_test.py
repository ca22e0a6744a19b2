"""The band survey and the level log as a user runs them from the command line."""
import os
import re
import signal
import subprocess
import sys
import tempfile
import unittest

from orvex_testing import STEADY_BAND, no_display, read, start_headless, stop, wait_for

ORVEX = os.path.abspath(sys.argv.pop(1))

# 2026-12-09T03:41:07.123Z,137500000,166,13.98,30,12,1
LEVEL_LINE = re.compile(r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z,\d+,\d+,-?[\d.]+,-?\d+,[\d.]+,[01]$")


class SurveyCommand(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.settings = os.path.join(self.folder.name, "ORVEX.ini")
        self.csv = os.path.join(self.folder.name, "band.csv")
        self.errors = os.path.join(self.folder.name, "stderr.txt")

    def tearDown(self):
        self.folder.cleanup()

    def survey(self, *options, timeout=60):
        return subprocess.run([ORVEX, "--headless", "--settings", self.settings, "--board", "sim",
                               *STEADY_BAND, *options], env=no_display(), capture_output=True,
                              text=True, timeout=timeout)

    def test_what_cannot_be_surveyed_is_refused_in_plain_words(self):
        csv = ["--survey-csv", self.csv]
        cases = [(["--survey", "130M:144M:10k", *csv], "within 132 MHz - 144 MHz"),
                 (["--survey", "132M:144M:10k", "--survey-sweeps", "2", "--survey-time", "1m",
                   *csv], "not both"),
                 (["--survey", "132M:144M:10k"], "needs --survey-csv"),
                 (["--survey", "132M:144M:10k", "--survey-csv",
                   os.path.join(self.folder.name, "missing", "band.csv")],
                  "Cannot create the survey file"),
                 (["--survey", "132M:144M:10k", "--scan-bank", *csv], "one of them at a time")]
        for arguments, told in cases:
            with self.subTest(arguments=arguments):
                result = self.survey(*arguments)
                self.assertEqual(result.returncode, 2, result.stderr)
                self.assertIn(told, result.stderr)
        self.assertEqual(sorted(os.listdir(self.folder.name)), [])

    def test_sweeps_go_to_standard_output_as_rtl_power_writes_them(self):
        result = self.survey("--survey", "137M:137.6M:10k", "--survey-sweeps", "2",
                             "--survey-csv", "-")
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.splitlines()
        self.assertEqual(len(lines), 2)
        for line in lines:
            fields = line.split(", ")
            self.assertRegex(fields[0] + " " + fields[1], r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")
            self.assertEqual(fields[2:6], ["137000000", "137610000", "10000.00", "1"])
            self.assertEqual(len(fields), 6 + 61)
        self.assertIn("Sweep 2 of 2: 61 channels", result.stderr)
        self.assertIn("The band survey is complete", result.stderr)

    def test_sigterm_leaves_the_file_on_a_whole_line(self):
        with open(self.errors, "w") as errors:
            program = subprocess.Popen(
                [ORVEX, "--headless", "--settings", self.settings, "--board", "sim", *STEADY_BAND,
                 "--survey", "137M:137.3M:10k", "--dwell", "1ms", "--survey-csv", self.csv],
                env=no_display(), stderr=errors)
        try:
            wait_for(lambda: read(self.csv).count("\n") >= 2, "two sweeps")
            program.send_signal(signal.SIGTERM)
            self.assertEqual(program.wait(timeout=30), 0)
        finally:
            stop(program)
        text = read(self.csv)
        self.assertTrue(text.endswith("\n"))
        self.assertEqual({len(line.split(", ")) for line in text.splitlines()}, {6 + 31})

    def test_the_level_log_holds_a_line_for_every_measurement(self):
        log = os.path.join(self.folder.name, "levels.csv")
        program, _ = start_headless(ORVEX, self.errors, "--settings", self.settings,
                                    "--board", "sim", "--port", "lpt1", "--switch-on",
                                    "--level-log", log)
        try:
            wait_for(lambda: read(log).count("\n") >= 4, "measurements in the log")
        finally:
            stop(program)
        lines = read(log).splitlines()
        self.assertEqual(lines[0], "time_utc,frequency_hz,converter_byte,level,db_over_s9,"
                                   "supply_volts,squelch_open")
        for line in lines[1:]:
            self.assertRegex(line, LEVEL_LINE)
            self.assertIn(",132000000,", line)  # the frequency of a first power-on
            self.assertTrue(line.endswith(",12,1") or line.endswith(",12,0"), line)


if __name__ == "__main__":
    unittest.main()
