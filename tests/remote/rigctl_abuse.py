#!/usr/bin/env python3
"""The rigctl server under load and abuse, all at once, over loopback: 100 well-formed clients,
slow clients sending a byte a second, a client sending 1 MiB with no line end, clients dropping
their connection in the middle of a command, and a client that never reads its answers.

Every well-formed client must get exactly the right answers; the 1 MiB line and the client that
never reads must be closed by the server; and the program's resident memory is sampled throughout.
The figures (RSS before, peak growth, and the spread of the measurement cycle's ticks, read from
the port trace) are printed, and recorded for the performance table when
ORVEX_BENCH_RESULTS names a file.

    rigctl_abuse.py PROGRAM
"""
import os
import re
import socket
import sys
import tempfile
import threading
import time

from orvex_testing import read, record, start_headless, stop, tick_intervals_us

WELL_FORMED_CLIENTS = 100
ROUNDS = 20
SLOW_CLIENTS = 4
NOMINAL_TICK_US = 100000  # the measurement cycle runs ten times a second
DROPPING_CLIENTS = 20  # with the rest, fewer than the 128 clients the server takes at once


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        return int(re.search(r"^VmRSS:\s+(\d+) kB", status.read(), re.M).group(1))


def connect(port):
    return socket.create_connection(("127.0.0.1", port), timeout=20)


def read_until(sock, count):
    """What arrives until `count` line ends have, or the server closes."""
    received = b""
    while received.count(b"\n") < count:
        chunk = sock.recv(65536)
        if not chunk:
            break
        received += chunk
    return received


def closed_by_server(sock):
    """True once the server has closed: EOF or a reset, whatever answers came first."""
    try:
        while sock.recv(65536):
            pass
    except ConnectionResetError:
        pass
    return True


def well_formed(port, number):
    """One client's exchange; the memory it selects is its own, so it checks its session too."""
    memory = 1 + number % 3
    request = ("\\chk_vfo\nv\nm\nt\nE %d\ne\n+\\get_powerstat\n;f\nM FM 15000\nV VFOA\n"
               % memory).encode()
    with connect(port) as sock:
        for _ in range(ROUNDS):
            sock.sendall(request)
            answer = read_until(sock, 13).decode()
            lines = answer.split("\n")
            frequency = re.fullmatch(r"get_freq:;Frequency: (\d+);RPRT 0", lines[10])
            expected = ["0", "VFOA", "FM", "15000", "0", "RPRT 0", str(memory), "get_powerstat:",
                        "Power Status: 1", "RPRT 0"]
            if lines[:10] != expected or not frequency or lines[11:] != ["RPRT 0", "RPRT 0", ""]:
                raise AssertionError("client %d was answered %r" % (number, answer))


def slow(port):
    """A byte a second, for a few seconds."""
    with connect(port) as sock:
        for byte in b"t\nv\n":
            sock.sendall(bytes([byte]))
            time.sleep(1)
        answer = read_until(sock, 2)
        if answer != b"0\nVFOA\n":
            raise AssertionError("a slow client was answered %r" % answer)


def endless_line(port):
    """1 MiB with no line end: no command of this protocol, so the server closes."""
    with connect(port) as sock:
        try:
            sock.sendall(b"F" * (1 << 20))
        except (BrokenPipeError, ConnectionResetError):
            pass
        closed_by_server(sock)


def dropping(port, number):
    """Half a command, then gone: some with a plain close, some with a reset."""
    sock = connect(port)
    sock.sendall(b"\\set_freq 1375"[: 3 + number % 10])
    if number % 2:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\x01\x00\x00\x00\x00\x00\x00\x00")
    sock.close()


def never_reads(port):
    """Asks and asks for the long capability list and reads nothing: the server must give up."""
    with connect(port) as sock:
        deadline = time.monotonic() + 20
        try:
            while time.monotonic() < deadline:
                sock.sendall(b"\\dump_state\n" * 100)
        except (BrokenPipeError, ConnectionResetError):
            return
        raise AssertionError("the server kept a client that never reads")


class Worker(threading.Thread):
    def __init__(self, function, *arguments):
        super().__init__(daemon=True)
        self.function, self.arguments, self.failure = function, arguments, None

    def run(self):
        try:
            self.function(*self.arguments)
        except Exception as failure:  # reported by the main thread
            self.failure = "%s%r: %s" % (self.function.__name__, self.arguments[1:], failure)


def main():
    executable = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="orvex-abuse-") as folder:
        errors_path = os.path.join(folder, "stderr.txt")
        program, port = start_headless(
            executable, errors_path, "--board", "sim", "--switch-on", "--trace",
            os.path.join(folder, "ports.txt"), "--settings", os.path.join(folder, "ORVEX.ini"))
        try:
            well_formed(port, 0)  # the server has served once before the baseline
            before = resident_kib(program.pid)

            peak = [before]
            done = threading.Event()

            def sample():
                while not done.wait(0.02):
                    peak[0] = max(peak[0], resident_kib(program.pid))
            sampler = threading.Thread(target=sample, daemon=True)
            sampler.start()

            began = time.monotonic()
            workers = ([Worker(well_formed, port, n) for n in range(WELL_FORMED_CLIENTS)] +
                       [Worker(slow, port) for _ in range(SLOW_CLIENTS)] +
                       [Worker(endless_line, port), Worker(never_reads, port)] +
                       [Worker(dropping, port, n) for n in range(DROPPING_CLIENTS)])
            for worker in workers:
                worker.start()
            for worker in workers:
                worker.join(60)
            elapsed = time.monotonic() - began
            well_formed(port, 1)  # and the server still answers afterwards
            done.set()
            sampler.join()
            after = resident_kib(program.pid)
            failures = [w.failure or "%s hangs" % w.function.__name__
                        for w in workers if w.failure or w.is_alive()]
            if program.poll() is not None:
                failures.append("the program ended:\n" + read(errors_path))
            program.terminate()  # which flushes the trace
            program.wait(20)
            with open(os.path.join(folder, "ports.txt")) as trace:
                ticks = tick_intervals_us(trace.read())
        finally:
            stop(program)
    if failures:
        print("FAILED:\n" + "\n".join(failures), file=sys.stderr)
        return 1
    print("%d well-formed clients x %d rounds, %d slow, 1 MiB line, %d dropping, 1 never reading: "
          "all answered right in %.1f s; RSS %d KiB before, peak %d KiB (+%d), %d KiB after; "
          "%d measurement ticks %d us apart at the median, p99 %d us, at most %d us"
          % (WELL_FORMED_CLIENTS, ROUNDS, SLOW_CLIENTS, DROPPING_CLIENTS, elapsed, before,
             peak[0], peak[0] - before, after, len(ticks) + 1, ticks[len(ticks) // 2],
             ticks[len(ticks) * 99 // 100], ticks[-1]))
    record("load.rss_before.kib", before)
    record("load.rss_growth.kib", peak[0] - before)
    record("load.tick.p99_us", ticks[len(ticks) * 99 // 100])
    record("load.tick.nominal_us", NOMINAL_TICK_US)
    return 0


if __name__ == "__main__":
    sys.exit(main())
