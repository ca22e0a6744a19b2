"""The channel bank from the command line: checking, importing and exporting CHIRP files, and the
activity scanner without a window."""
import os
import signal
import subprocess
import sys
import tempfile
import unittest

from orvex_testing import Client, no_display, read, start_headless, stop, wait_for

ORVEX = os.path.abspath(sys.argv.pop(1))

MIXED = ("Location,Name,Frequency,TStep\r\n"
         "1,NOAA 15,137.620000,10.00\r\n"
         "2,between,136.7083,5.00\r\n"
         "3,Beacon,137.500000,12.50\r\n")


class ChannelCommands(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.settings = self.path("ORVEX.ini")
        self.bank = self.path("channels.csv")

    def tearDown(self):
        self.folder.cleanup()

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def write(self, name, text):
        with open(self.path(name), "w", newline="") as file:
            file.write(text)
        return self.path(name)

    def orvex(self, *options):
        return subprocess.run([ORVEX, "--settings", self.settings, *options], env=no_display(),
                              capture_output=True, text=True, timeout=60)

    def test_check_says_what_would_load_and_every_row_left_out(self):
        result = self.orvex("--check-channels", self.write("mixed.csv", MIXED))
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertIn("2 channels read from", result.stdout)
        self.assertIn("Line 3 (Location 2): 136.7083 MHz is not on the board's 5 kHz grid: the "
                      "grid points beside it are 136.705 MHz and 136.710 MHz - left out.",
                      result.stdout)
        self.assertIn("Line 4 (Location 3): TStep 12.50 kHz is not a step of this receiver",
                      result.stdout)
        self.assertIn("Location 3: Beacon, 137.500 MHz, step 10 kHz", result.stdout)
        self.assertFalse(os.path.exists(self.bank), "a check writes nothing")

        good = self.write("good.csv", "Location,Frequency\n1,137.620\n")
        self.assertEqual(self.orvex("--check-channels", good).returncode, 0)
        self.assertEqual(self.orvex("--check-channels", self.path("none.csv")).returncode, 1)

    def test_import_merges_into_the_bank_and_export_writes_it_as_chirp_does(self):
        result = self.orvex("--import-channels", self.write("mixed.csv", MIXED))
        self.assertEqual(result.returncode, 1, result.stderr)  # a row was left out
        bank = read(self.bank)
        self.assertTrue(bank.startswith("Location,Name,Frequency,Duplex,Offset,Tone,"), bank)
        self.assertIn("\r\n3,Beacon,137.500000,off,", bank)

        result = self.orvex("--import-channels", self.write("more.csv",
                                                            "Location,Frequency\n1,140.250\n"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("1 of them in place of channels of the bank", result.stdout)

        exported = self.path("export.csv")
        result = self.orvex("--export-channels", exported)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(read(exported), read(self.bank))
        self.assertIn("\r\n1,,140.250000,", read(exported))

        self.write("ORVEX.ini", "[CONTROL]\nAUDIO=3\n")
        self.assertEqual(self.orvex("--export-channels", self.settings).returncode, 1)
        self.assertEqual(read(self.settings), "[CONTROL]\nAUDIO=3\n")

    def test_a_damaged_bank_is_told_and_left_as_it_was(self):
        damaged = bytes(range(256)) * 4096
        with open(self.bank, "wb") as file:
            file.write(damaged)
        result = self.orvex("--import-channels", self.write("good.csv",
                                                            "Location,Frequency\n1,137.620\n"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("binary data", result.stderr)
        with open(self.bank, "rb") as file:
            self.assertEqual(file.read(), damaged)

    def test_the_bank_scan_without_a_window_logs_the_activity_it_stays_on_up_to_the_end(self):
        self.write("channels.csv", "Location,Name,Frequency\n1,quiet,133.000\n2,Beacon,137.500\n")
        hits = self.path("hits.csv")
        errors = self.path("stderr.txt")
        process, port = start_headless(ORVEX, errors, "--settings", self.settings, "--board",
                                       "sim", "--scan-bank", "--hit-log", hits)
        try:
            with Client(port) as client:
                wait_for(lambda: client.ask("f") == "137500000\n" and
                         client.ask("\\get_dcd") == "1\n", "the scan to stay on the beacon")
            # Ending at once, the hit under way still reaches the log.
            process.send_signal(signal.SIGTERM)
            self.assertEqual(process.wait(timeout=30), 0)
            header, hit = read(hits).splitlines()
            self.assertEqual(header, "Frequency_Hz,Signal_dB,Start_Timestamp,End_Timestamp,"
                                     "Duration_Seconds,Frequency_MHz,Name")
            self.assertRegex(hit, r"^137500000,-?\d+,\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z,"
                                  r"\S+Z,\d+\.\d{3},137\.500,Beacon$")
        finally:
            stop(process)
        self.assertNotIn("did not start", read(errors))


if __name__ == "__main__":
    unittest.main()
