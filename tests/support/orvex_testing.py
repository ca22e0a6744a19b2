"""What the Python tests of the program share: waiting, reading what the program wrote, starting it
without a window, and speaking rigctl to it over loopback.

The tests find this module through PYTHONPATH, which ctest sets to this folder.
"""
import os
import re
import socket
import subprocess
import time

LISTENING = re.compile(r"Listening for rigctl clients on 127\.0\.0\.1:(\d+)")


def wait_for(condition, what, seconds=60, interval=0.01):
    """Polls until `condition()` gives something true, and returns it. A first start may wait for
    the font cache to be built, hence the generous default."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


def read(path):
    """The file's text, undecodable bytes replaced; empty while it does not exist."""
    try:
        with open(path, "rb") as file:
            return file.read().decode("utf-8", errors="replace")
    except FileNotFoundError:
        return ""


def no_display():
    """The environment of a machine with no display and no window-system choice."""
    return {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}


def latched_words(trace, base):
    """The synthesizer words a text trace shifted at `base`: (bits, value) for each latch."""
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


def tick_intervals_us(trace):
    """The times between measurement ticks in a text trace: each tick starts with the first of its
    two converter pauses ("P 100"), the second following within a few milliseconds."""
    pauses = [float(line.split()[0]) for line in trace.splitlines() if line.endswith(" P 100")]
    starts = [t for previous, t in zip([-1.0] + pauses, pauses) if t - previous > 0.02]
    return sorted(round((b - a) * 1e6) for a, b in zip(starts, starts[1:]))


def record(name, value):
    """Keeps a figure for the performance table when ORVEX_BENCH_RESULTS names a file."""
    results = os.environ.get("ORVEX_BENCH_RESULTS")
    if results:
        with open(results, "a") as file:
            file.write("%s %s\n" % (name, value))


def start_headless(program, errors_path, *options, listen="0", env=None, prefix=()):
    """Starts the program without a window, serving rigctl on `listen` (0: a free port), its
    standard error into `errors_path`; `prefix` is a command that starts it (prlimit ...). The
    process and the port once it listens; an AssertionError with what it said when it ends
    first."""
    process = start_window(program, errors_path, "--headless", "--rigctl", listen, *options,
                           env=env or no_display(), prefix=prefix)

    def listening():
        found = LISTENING.findall(read(errors_path))
        return int(found[0]) if found else None
    try:
        return process, wait_while_running(process, errors_path, listening,
                                           "the program to listen")
    except BaseException:
        stop(process)
        raise


def start_window(program, errors_path, *options, env, prefix=()):
    """Starts the program with `options` in the environment `env` (which names the display for a
    window), its standard error into `errors_path`, through the command `prefix` if one is given.
    The process."""
    with open(errors_path, "w") as errors:
        return subprocess.Popen([*prefix, program, *options], env=env, stdout=subprocess.DEVNULL,
                                stderr=errors)


def wait_while_running(process, errors_path, condition, what, seconds=60):
    """wait_for(condition), but an AssertionError with what the program said on standard error
    (`errors_path`) as soon as it ends."""
    def met_while_running():
        result = condition()
        if not result and process.poll() is not None:
            raise AssertionError("the program ended before " + what + ":\n" + read(errors_path))
        return result
    return wait_for(met_while_running, what, seconds)


def stop(process):
    """Kills the process if it still runs, and waits for it."""
    if process.poll() is None:
        process.kill()
    process.wait()


class Client:
    """One rigctl connection over loopback."""

    def __init__(self, port, timeout=20):
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=timeout)
        self.received = b""

    def send(self, text):
        self.socket.sendall(text if isinstance(text, bytes) else text.encode() + b"\n")

    def line(self):
        """The next answer line, without its line end."""
        while b"\n" not in self.received:
            chunk = self.socket.recv(65536)
            if not chunk:
                raise ConnectionError("the program closed the connection")
            self.received += chunk
        line, self.received = self.received.split(b"\n", 1)
        return line.decode()

    def ask(self, text, lines=1):
        """Sends `text` (a str gets a line end, bytes go as they are) and returns the next `lines`
        answer lines, each with its line end, as one text; less when the program closes."""
        self.send(text)
        while self.received.count(b"\n") < lines:
            chunk = self.socket.recv(65536)
            if not chunk:
                break
            self.received += chunk
        answer, self.received = self.received, b""
        return answer.decode()

    def drain(self):
        """Whatever the program wrote before it closed or reset the connection."""
        while True:
            try:
                chunk = self.socket.recv(65536)
            except ConnectionResetError:
                return
            if not chunk:
                return
            self.received += chunk

    def close(self):
        self.socket.close()

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()
