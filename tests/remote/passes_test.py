"""Satellite trackers and Hamlib's clients in VFO mode against the program without a window."""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

from orvex_testing import Client, read, start_headless, stop, wait_for

ORVEX = sys.argv.pop(1)


def measured_bytes_and_markers(trace):
    """Walks a text trace at LPT1: for every control-register write (the volume), the signal
    bytes of the measurements completed before it, and how many status reads came between it and
    the write before."""
    status_reads, signal_bytes, markers, reads_since = [], [], [], 0
    for match in re.finditer(r"^\S+ ([WR]) (889|890) (\d+)$", trace, re.M):
        kind, address, value = match.group(1), match.group(2), int(match.group(3))
        if kind == "R" and address == "889":
            status_reads.append(value)
            reads_since += 1
            if len(status_reads) == 32:  # a measurement: four transfers, the signal in the second
                signal_bytes.append(sum(1 << (7 - i) for i, read_value
                                        in enumerate(status_reads[8:16]) if read_value & 64))
                status_reads = []
        elif kind == "W" and address == "890":
            markers.append((value, list(signal_bytes), reads_since))
            reads_since = 0
    return markers


class Passes(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.path = lambda name: os.path.join(self.folder.name, name)
        self.program = None

    def tearDown(self):
        if self.program is not None:
            stop(self.program)
        self.folder.cleanup()

    def start(self, *options):
        self.program, port = start_headless(
            ORVEX, self.path("stderr.txt"), "--settings", self.path("ORVEX.ini"), "--board", "sim",
            "--port", "lpt1", "--switch-on", "--pass-folder", self.path("passes"),
            "--pass-choices", self.path("passes.ini"), *options)
        return port

    def test_hamlibs_client_in_vfo_mode_tunes_and_reads_the_converters_last_signal_byte(self):
        if not shutil.which("rigctl"):
            self.skipTest("Hamlib's rigctl is not installed (Debian: libhamlib-utils)")
        port = self.start("--rigctl-vfo", "--trace", self.path("ports.txt"))
        with Client(port) as client:
            self.assertEqual(client.ask(b"\\chk_vfo\n"), "1\n")
            # Nothing measured yet reads 0; the noise floor alone gives about 10.
            wait_for(lambda: client.ask(b"l VFOA RAWSTR\n") != "0\n", "a first measurement")
        # Each raw read sits between two volume writes, whose codes (9 and 8) mark it in the trace.
        bracket = ["L", "VFOA", "AF", "0.3", "l", "VFOA", "RAWSTR", "L", "VFOA", "AF", "0.9"]
        result = subprocess.run(["rigctl", "-m", "2", "--vfo", "-r", "127.0.0.1:%d" % port,
                                 "F", "VFOA", "137620000", "f", "VFOA", *bracket * 3],
                                capture_output=True, text=True, timeout=60)
        answers = result.stdout.split()
        self.assertEqual(answers[0], "137620000", result.stderr)
        raw = [int(answer) for answer in answers[1:]]
        self.assertEqual(len(raw), 3)
        self.assertTrue(all(0 <= byte <= 255 for byte in raw))
        self.program.send_signal(signal.SIGTERM)  # flushes the trace
        self.program.wait(timeout=30)

        markers = measured_bytes_and_markers(read(self.path("ports.txt")))
        brackets = [(before, after) for before, after in zip(markers, markers[1:])
                    if before[0] == 9 and after[0] == 8]
        self.assertEqual(len(brackets), 3)
        # A measurement may fall between the read and a mark; the others tell.
        checked = 0
        for answer, (before, after) in zip(raw, brackets):
            if after[2] == 0:
                self.assertEqual(answer, before[1][-1])
                checked += 1
        self.assertGreater(checked, 0)

    def test_a_pass_is_logged_from_aos_to_los_and_one_without_los_ends_by_the_timeout(self):
        port = self.start("--pass-margins", "0,0", "--pass-timeout", "1")
        passes = self.path("passes")
        with Client(port) as client:
            self.assertEqual(client.ask(b"AOS\n"), "RPRT 0\n")
            self.assertEqual(client.ask(b"F  137100000\n"), "RPRT 0\n")
            logs = wait_for(lambda: os.listdir(passes), "the pass log")
            log = os.path.join(passes, logs[0])
            wait_for(lambda: read(log).count("\n") >= 4, "three measurements in the log")
            self.assertEqual(client.ask(b"LOS\n"), "RPRT 0\n")
            wait_for(lambda: "is complete" in read(self.path("stderr.txt")), "the end of the log")
            lines = read(log).splitlines()
            self.assertEqual(lines[0], "time_utc,frequency_hz,converter_byte,level,db_over_s9,"
                                       "supply_volts,squelch_open")
            self.assertRegex(lines[-1], r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z,137100000,"
                                        r"\d+,-?[\d.]+,-?\d+,[\d.]+,[01]$")

            self.assertEqual(client.ask(b"AOS\n"), "RPRT 0\n")
            wait_for(lambda: "sent no frequency for 1 s" in read(self.path("stderr.txt")),
                     "the pass without LOS to end")
        self.assertEqual(len(os.listdir(passes)), 2)


if __name__ == "__main__":
    unittest.main()
