"""The program without a window, as a small box next to the board runs it: reached over rigctl."""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

from orvex_testing import Client, latched_words, no_display, read, start_headless, stop, wait_for

ORVEX = sys.argv.pop(1)


def cpu_seconds(pid):
    """The processor time the process has used, user and system."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Headless(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.settings = os.path.join(self.folder.name, "ORVEX.ini")
        self.trace = os.path.join(self.folder.name, "ports.txt")
        self.errors = os.path.join(self.folder.name, "stderr.txt")
        self.program = None

    def tearDown(self):
        if self.program is not None:
            stop(self.program)
        self.folder.cleanup()

    def start(self, *options, listen="0", prefix=()):
        """Starts the headless program on a free port; the port it listens on."""
        self.program, port = start_headless(ORVEX, self.errors, "--settings", self.settings,
                                            "--board", "sim", "--trace", self.trace, *options,
                                            listen=listen, prefix=prefix)
        return port

    def end(self):
        self.program.send_signal(signal.SIGTERM)
        return self.program.wait(timeout=30)

    def test_headless_without_rigctl_is_refused(self):
        result = subprocess.run([ORVEX, "--headless"], env=no_display(), capture_output=True,
                                text=True)
        self.assertEqual(result.returncode, 2)
        self.assertIn("--headless needs --rigctl [HOST:]PORT", result.stderr)

    def test_a_malformed_rigctl_option_is_refused_in_plain_words(self):
        for arguments, words in ((["--rigctl", "4532x"], "is not a port number"),
                                 (["--rigctl", "example:4532"], "is not an IP address"),
                                 (["--rigctl", "::1:4532"], "in brackets"),
                                 (["--rigctl", "0:4532"], "write it in full"),
                                 (["--rigctl", "224.0.0.1:4532"], "a multicast address"),
                                 (["--rigctl", "4532", "--rigctl-idle", "5d"],
                                  'unusable idle time "5d"'),
                                 (["--rigctl", "4532", "--rigctl-allow", "10.1/8"],
                                  "--rigctl-allow: \"10.1\" is not an IP address"),
                                 (["--rigctl-idle", "5m"], "--rigctl-idle needs --rigctl")):
            result = subprocess.run([ORVEX, "--headless", *arguments], env=no_display(),
                                    capture_output=True, text=True)
            self.assertEqual(result.returncode, 2, arguments)
            self.assertIn(words, result.stderr)

    def test_under_a_small_descriptor_limit_clients_beyond_it_are_refused_and_saves_work(self):
        if not shutil.which("prlimit"):
            self.skipTest("prlimit is missing (util-linux)")
        port = self.start(prefix=("prlimit", "--nofile=24", "--"))
        clients = [Client(port) for _ in range(40)]
        answers = [client.ask("v") for client in clients]
        self.assertEqual(sorted(set(answers)), ["RPRT -9\n", "VFOA\n"])
        # With connections waiting to be refused, the program sleeps.
        before = cpu_seconds(self.program.pid)
        time.sleep(1)
        self.assertLess(cpu_seconds(self.program.pid) - before, 0.3)
        # Its own files still open: switching off saves the settings.
        served = clients[answers.index("VFOA\n")]
        self.assertEqual(served.ask("\\set_powerstat 1\n\\set_powerstat 0", 2),
                         "RPRT 0\nRPRT 0\n")
        self.assertIn("OFF_FREQUENCY=132000", read(self.settings))
        for client in clients:
            client.close()

        def served_again():
            with Client(port) as client:
                return client.ask("v") == "VFOA\n"
        wait_for(served_again, "a client served after the others left")
        self.assertEqual(read(self.errors).count("files open at once"), 1, read(self.errors))

    def test_serves_rigctl_without_a_display_and_ends_at_once_on_sigterm(self):
        port = self.start()
        client = Client(port)
        self.assertEqual(client.ask(b"\\get_powerstat\n"), "0\n")
        self.assertEqual(client.ask(b"\\set_powerstat 1\n"), "RPRT 0\n")
        if shutil.which("rigctl"):
            result = subprocess.run(["rigctl", "-m", "2", "-r", "127.0.0.1:%d" % port,
                                     "F", "137620000", "f"], capture_output=True, text=True,
                                    timeout=30)
            self.assertEqual(result.stdout, "137620000\n")
        else:
            self.assertEqual(client.ask(b"F 137620000\nf\n", 2), "RPRT 0\n137620000\n")
        wait_for(lambda: (16, (137620 + 10700) // 10) in latched_words(read(self.trace), 888),
                 "the divider word of 137.620 MHz in the trace")
        client.close()
        self.assertEqual(self.end(), 0)
        self.assertFalse(os.path.exists(self.settings))  # nothing saved on the way out

    def test_the_saved_port_is_chosen_at_start_and_the_command_line_overrides_it(self):
        for options, base in (((), 632), (("--port", "lpt1"), 888)):
            with open(self.settings, "w") as file:
                file.write("[CONTROL]\nPORT=632\n")
            client = Client(self.start(*options))
            self.assertEqual(client.ask(b"\\set_powerstat 1\n"), "RPRT 0\n")
            wait_for(lambda: " W %d 128" % base in read(self.trace), "power at base %d" % base)
            client.close()
            self.assertEqual(self.end(), 0)

    def test_an_address_in_use_is_told_and_the_program_ends(self):
        taken = socket.socket()
        taken.bind(("127.0.0.1", 0))
        taken.listen()
        port = taken.getsockname()[1]
        result = subprocess.run([ORVEX, "--headless", "--rigctl", str(port), "--settings",
                                 self.settings, "--board", "sim"], env=no_display(),
                                capture_output=True, text=True, timeout=30)
        taken.close()
        self.assertEqual(result.returncode, 1)
        self.assertIn("Cannot listen for rigctl clients on 127.0.0.1:%d" % port, result.stderr)


if __name__ == "__main__":
    unittest.main()
