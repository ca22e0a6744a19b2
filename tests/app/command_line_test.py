"""The orvex program as a user starts it: options, the board it picks, traces, and how it ends."""
import os
import signal
import subprocess
import sys
import tempfile
import unittest

from orvex_testing import LISTENING, Client, no_display, read, wait_for

ORVEX = os.path.abspath(sys.argv.pop(1))


class CommandLine(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.settings = os.path.join(self.folder.name, "ORVEX.ini")
        self.trace = os.path.join(self.folder.name, "ports.txt")
        self.errors = os.path.join(self.folder.name, "stderr.txt")

    def tearDown(self):
        self.folder.cleanup()

    def run_until(self, ready, what, *options, ending=signal.SIGTERM, env=None, stderr=None):
        """Starts the program, waits until `ready()` holds, ends it with a signal; its exit code."""
        env = env or dict(os.environ, QT_QPA_PLATFORM="offscreen")
        with open(self.errors, "w") as errors:
            program = subprocess.Popen([ORVEX, "--settings", self.settings, *options], env=env,
                                       stdout=subprocess.DEVNULL, stderr=stderr or errors)
            try:
                wait_for(ready, what)
                self.assertIsNone(program.poll(), "the program ended by itself")
            finally:
                program.send_signal(ending)
                program.wait(timeout=30)
        return program.returncode

    def refused(self, *arguments, env=None):
        """Runs the program, which must refuse at once; what it said."""
        result = subprocess.run([ORVEX, *arguments], capture_output=True, env=env,
                                cwd=self.folder.name, timeout=60)
        self.assertEqual(result.returncode, 2, result.stderr)
        return result.stderr.decode(errors="replace")

    def assert_complete(self, trace):
        text = read(trace)
        self.assertTrue(text.endswith("\n"), text[-80:])
        self.assertRegex(text.splitlines()[-1], r"^\d+\.\d{6} [WRP] ")

    def trace_has(self, text):
        return lambda: text in read(self.trace)

    def said(self, text):
        return lambda: text in read(self.errors)

    def test_help_lists_the_options_without_a_display(self):
        result = subprocess.run([ORVEX, "--help"], env=no_display(), capture_output=True, text=True)
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

    def test_a_trace_file_it_cannot_take_is_told_and_the_program_runs_on(self):
        fifo = os.path.join(self.folder.name, "fifo")
        os.mkfifo(fifo)  # nobody reads it: opening it must not wait for a reader
        cases = [(os.path.join(self.folder.name, "no", "such", "t.vcd"), "Cannot create"),
                 (fifo, "is not a regular file"),
                 (self.settings, "is the settings file")]
        for path, told in cases:
            with self.subTest(path=path):
                code = self.run_until(self.said(told), "the message", "--board", "sim",
                                      "--trace", path)
                self.assertEqual(code, 0)
        self.assertFalse(os.path.exists(self.settings))

    def test_every_ending_signal_ends_it_like_term_with_a_complete_trace(self):
        for ending in (signal.SIGQUIT, signal.SIGUSR1, signal.SIGUSR2, signal.SIGALRM,
                       signal.SIGPWR, signal.SIGXCPU, signal.SIGVTALRM, signal.SIGPROF):
            with self.subTest(signal=ending.name):
                if os.path.exists(self.trace):
                    os.remove(self.trace)
                # The file is opened after the signals are handled, and filled when they end
                # the program: until then the power-on's accesses wait in the trace's buffer.
                code = self.run_until(lambda: os.path.exists(self.trace), "the trace file",
                                      "--board", "sim", "--port", "lpt1", "--switch-on",
                                      "--trace", self.trace, ending=ending)
                self.assertEqual(code, 0)
                self.assert_complete(self.trace)

    def test_a_file_size_limit_fails_writes_as_a_full_disk_does(self):
        padding = "; " + "x" * 30000 + "\n"  # the save is larger than the limit
        with open(self.settings, "w") as file:
            file.write(padding + "[CONTROL]\nAUDIO=3\n")
        before = read(self.settings)
        with open(self.errors, "w") as errors:
            program = subprocess.Popen(
                ["prlimit", "--fsize=20000", ORVEX, "--headless", "--rigctl", "0", "--settings",
                 self.settings, "--board", "sim", "--port", "lpt1", "--switch-on", "--trace",
                 self.trace], env=no_display(), stdout=subprocess.DEVNULL, stderr=errors)
        try:
            port = int(wait_for(lambda: LISTENING.findall(read(self.errors)), "listening")[0])
            wait_for(self.said("could not be written"), "the trace to meet the limit")
            with Client(port) as client:
                client.ask("\\set_powerstat 0")  # power-off saves
            wait_for(self.said("larger than the system allows"), "the save to meet the limit")
            self.assertIsNone(program.poll(), "the limit ended the program")
        finally:
            program.send_signal(signal.SIGTERM)
            program.wait(timeout=30)
        self.assertEqual(program.returncode, 0)
        self.assertIn("Could not save the settings", read(self.errors))
        self.assert_complete(self.trace)
        self.assertEqual(read(self.settings), before)
        self.assertEqual(sorted(os.listdir(self.folder.name)),
                         ["ORVEX.ini", "ORVEX.ini.lock", "ports.txt", "stderr.txt"])

    def test_a_root_run_starts_no_session_bus_that_leaves_roots_files_in_the_users_home(self):
        if os.geteuid() != 0:
            self.skipTest("needs root, as sudo gives it")
        home = os.path.join(self.folder.name, "home")
        os.mkdir(home)
        os.chown(home, 65534, 65534)
        env = {"PATH": "/usr/bin:/bin", "HOME": home, "SUDO_UID": "65534", "SUDO_GID": "65534",
               "ORVEX_EXIT_AFTER_FIRST_FRAME": "1"}  # as `sudo -E` over ssh, without a bus
        result = subprocess.run(["xvfb-run", "-a", ORVEX, "--board", "sim"], env=env,
                                capture_output=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)
        roots = [os.path.join(folder, name) for folder, folders, files in os.walk(home)
                 for name in folders + files
                 if os.lstat(os.path.join(folder, name)).st_uid == 0]
        self.assertEqual(roots, [])

    def test_a_closed_standard_error_does_not_end_the_program(self):
        with open(self.settings, "wb") as file:
            file.write(b"\x00\x01binary")  # told about at start, to the closed pipe
        reader, writer = os.pipe()
        os.close(reader)
        try:
            code = self.run_until(self.trace_has(" R 889 "), "a measurement after the message",
                                  "--board", "sim", "--port", "lpt1", "--switch-on",
                                  "--trace", self.trace, stderr=writer)
        finally:
            os.close(writer)
        self.assertEqual(code, 0)
        self.assert_complete(self.trace)

    def test_a_trace_ends_at_its_limit_on_a_complete_line_and_the_program_runs_on(self):
        code = self.run_until(self.said("reached its limit of 4 KiB"), "the message at the limit",
                              "--board", "sim", "--port", "lpt1", "--switch-on",
                              "--trace", self.trace, "--trace-limit", "4K")
        self.assertEqual(code, 0)
        self.assertLessEqual(os.path.getsize(self.trace), 4096)
        self.assertGreater(os.path.getsize(self.trace), 4000)
        self.assert_complete(self.trace)

    def test_a_command_line_that_means_nothing_is_refused_with_a_hint(self):
        cases = [(["--settings", ""], "--settings needs a file name"),
                 (["--trace-limit", "1.5G"], 'trace limit "1.5G"'),
                 (["sim"], 'unexpected argument "sim"')]
        for arguments, told in cases:
            with self.subTest(arguments=arguments):
                said = self.refused(*arguments)
                self.assertIn(told, said)
                self.assertIn("orvex --help", said)

    def test_qt_takes_its_own_options(self):
        env = {k: v for k, v in os.environ.items() if k != "QT_QPA_PLATFORM"}
        code = self.run_until(self.trace_has(" W 888 128"), "the power-on", "-platform",
                              "offscreen", "--board", "sim", "--port", "lpt1", "--switch-on",
                              "--trace", self.trace, env=env)
        self.assertEqual(code, 0)

    def test_paths_that_are_not_utf8_are_used_byte_for_byte(self):
        folder = os.fsencode(self.folder.name)
        settings = os.path.join(folder, b"caf\xe9.ini")  # Latin-1, as an old system wrote it
        trace = os.path.join(folder, b"trace-\xff.txt")
        with open(settings, "wb") as file:
            file.write(b"[CONTROL]\nSTEP_FREQ=7\n")  # named in a message when this file is read
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        with open(self.errors, "w") as errors:
            program = subprocess.Popen([os.fsencode(ORVEX), b"--settings", settings, b"--board",
                                        b"sim", b"--trace", trace], env=env,
                                       stdout=subprocess.DEVNULL, stderr=errors)
            try:
                wait_for(self.said("STEP_FREQ=7"), "the message about the file's key")
            finally:
                program.send_signal(signal.SIGTERM)
                program.wait(timeout=30)
        self.assertTrue(os.path.exists(trace))
        self.assertEqual(sorted(os.listdir(folder)),
                         sorted([b"caf\xe9.ini", b"stderr.txt", b"trace-\xff.txt"]))

    def test_without_a_home_folder_it_refuses_instead_of_using_the_current_folder(self):
        if os.geteuid() != 0:
            self.skipTest("needs root to run as a user the user database does not know")
        os.chmod(self.folder.name, 0o777)
        env = {"PATH": "/usr/bin:/bin", "QT_QPA_PLATFORM": "offscreen"}
        said = self.refused_as(65533, env)
        self.assertIn("no home folder", said)
        self.assertIn("--settings", said)
        self.assertEqual(os.listdir(self.folder.name), [])

    def refused_as(self, user, env):
        result = subprocess.run(["setpriv", f"--reuid={user}", f"--regid={user}",
                                 "--clear-groups", ORVEX], capture_output=True, env=env,
                                cwd=self.folder.name, timeout=60)
        self.assertEqual(result.returncode, 2, result.stderr)
        return result.stderr.decode(errors="replace")


if __name__ == "__main__":
    unittest.main()
