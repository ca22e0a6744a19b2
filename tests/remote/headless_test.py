"""The program without a window, as a small box next to the board runs it: reached over rigctl."""
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

ORVEX = sys.argv.pop(1)


def wait_for(condition, what, seconds=30):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.02)


def read(path):
    try:
        with open(path, errors="replace") as file:
            return file.read()
    except FileNotFoundError:
        return ""


def no_display():
    """The environment of a machine with no display and no window-system choice."""
    return {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY",
                                                             "QT_QPA_PLATFORM")}


def latched_words(trace, base):
    """The synthesizer words the data register shifted at `base`: (bits, value) for each latch."""
    words, previous, bits, value = [], 0, 0, 0
    for match in re.finditer(r"^\S+ W %d (\d+)$" % base, trace, re.M):
        lines = int(match.group(1))
        if lines & 16 and not previous & 16:
            bits, value = bits + 1, (value << 1) | (1 if lines & 64 else 0)
        if lines & 32 and not previous & 32:
            words.append((bits, value))
            bits, value = 0, 0
        previous = lines
    return words


class Client:
    """One rigctl connection over loopback."""

    def __init__(self, port):
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=10)
        self.received = b""

    def ask(self, line, lines=1):
        self.socket.sendall(line)
        while self.received.count(b"\n") < lines:
            data = self.socket.recv(4096)
            if not data:
                break
            self.received += data
        answer, self.received = self.received, b""
        return answer.decode()

    def close(self):
        self.socket.close()


class Headless(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.settings = os.path.join(self.folder.name, "ORVEX.ini")
        self.trace = os.path.join(self.folder.name, "ports.txt")
        self.errors = os.path.join(self.folder.name, "stderr.txt")
        self.program = None

    def tearDown(self):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        self.folder.cleanup()

    def start(self, *options, listen="0"):
        """Starts the headless program on a free port; the port it listens on."""
        with open(self.errors, "w") as errors:
            self.program = subprocess.Popen(
                [ORVEX, "--headless", "--rigctl", listen, "--settings", self.settings, "--board",
                 "sim", "--trace", self.trace, *options],
                env=no_display(), stdout=subprocess.DEVNULL, stderr=errors)
        found = []

        def listening():
            found[:] = re.findall(r"Listening for rigctl clients on 127\.0\.0\.1:(\d+)",
                                  read(self.errors))
            return found or self.program.poll() is not None
        wait_for(listening, "the server to listen")
        self.assertTrue(found, read(self.errors))
        return int(found[0])

    def end(self):
        self.program.send_signal(signal.SIGTERM)
        return self.program.wait(timeout=30)

    def test_headless_without_rigctl_is_refused(self):
        result = subprocess.run([ORVEX, "--headless"], env=no_display(), capture_output=True,
                                text=True)
        self.assertEqual(result.returncode, 2)
        self.assertIn("--headless needs --rigctl [HOST:]PORT", result.stderr)

    def test_a_malformed_listening_address_is_refused_in_plain_words(self):
        for address, words in (("4532x", "is not a port number"),
                               ("example:4532", "is not an IP address"),
                               ("::1:4532", "in brackets")):
            result = subprocess.run([ORVEX, "--headless", "--rigctl", address], env=no_display(),
                                    capture_output=True, text=True)
            self.assertEqual(result.returncode, 2, address)
            self.assertIn(words, result.stderr)

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
