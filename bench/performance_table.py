#!/usr/bin/env python3
"""Writes the one performance table of docs/performance.md from the figures bench/run-all.sh
collected, between the table's markers, leaving the prose around it as it is.

    bench/performance_table.py RESULTS_FOLDER docs/performance.md

RESULTS_FOLDER holds figures.txt ("name value" lines from the measurement scripts), machine.txt
("what: description" lines) and the JSON output of the Google Benchmark programs.
"""
import json
import pathlib
import sys

BEGIN = "<!-- bench/run-all.sh writes the table below; edit the prose, not the table -->"
END = "<!-- end of the table written by bench/run-all.sh -->"


def read_figures(folder):
    figures = {}
    path = folder / "figures.txt"
    if path.exists():
        for line in path.read_text().splitlines():
            name, value = line.split()
            figures[name] = float(value)
    return figures


def read_benchmarks(folder, figures):
    """Medians of the repetitions, in seconds of CPU time (wall time for runs that wait);
    per_access where a run counts it."""
    for path in sorted(folder.glob("*.json")):
        for run in json.loads(path.read_text())["benchmarks"]:
            if run.get("aggregate_name") != "median":
                continue
            scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
            name = run["run_name"]
            # Runs that wait (on a disk, on a lock) are timed on the wall clock.
            time = run["real_time"] if name.endswith("/real_time") else run["cpu_time"]
            figures[f"bench.{name}"] = time * scale
            if "per_access" in run:
                figures[f"bench.{name}.per_access"] = run["per_access"]


def seconds(value):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6), ("ns", 1e-9)):
        if value >= scale:
            break
    shown = value / scale
    return f"{shown:.3g} {unit}" if shown < 100 else f"{shown:.0f} {unit}"


def milliseconds(value):
    return f"{value:.0f} ms"


def kibibytes(value):
    return f"{value / 1024:.1f} MiB"


def percent(value):
    return f"{value:.2f} %"


def per_second(value):
    return f"{value:,.0f} /s"


def microseconds(value):
    return f"{value:.0f} µs"


def instructions(value):
    return f"{value:,.0f} instructions"


def from_milliseconds(value):
    return seconds(value / 1e3)


def per_second_exact(value):
    return f"{value:.1f} /s"


# (what, our figure, shown as, the anchor, its figure, the goal). Ratios are ours / anchor's.
ROWS = [
    ("port access, software cost through a null port (`LoadDivider`)",
     "bench.LoadDivider/null_port.per_access", seconds,
     "one `ioctl` system call, the least a ppdev access costs", "bench.ioctl_system_call",
     "≤ 50 ns"),
    ("port access through the simulated board", "bench.LoadDivider/simulated_board.per_access",
     seconds, "one `ioctl` system call", "bench.ioctl_system_call", ""),
    ("port access through the tap with nobody listening", "bench.LoadDivider/idle_tap.per_access",
     seconds, "one `ioctl` system call", "bench.ioctl_system_call", ""),
    ("port access with a text trace", "bench.LoadDivider/text_trace.per_access", seconds,
     "one `ioctl` system call", "bench.ioctl_system_call", ""),
    ("dial repaint, both needles move over the cached face, 100 %",
     "bench.BM_DialNeedlesMoveOverCachedFace/100", seconds,
     "full repaint with the face redrawn, 100 %", "bench.BM_DialFullRepaint/100", ""),
    ("dial repaint, both needles move over the cached face, 200 %",
     "bench.BM_DialNeedlesMoveOverCachedFace/200", seconds,
     "full repaint with the face redrawn, 200 %", "bench.BM_DialFullRepaint/200", ""),
    ("start-up to the first frame, X display (Xvfb)", "startup.x11.orvex.ms", milliseconds,
     "bare Qt 6 window", "startup.x11.bare.ms", "ratio ≤ 1.1"),
    ("start-up to the first frame, offscreen", "startup.offscreen.orvex.ms", milliseconds,
     "bare Qt 6 window", "startup.offscreen.bare.ms", "ratio ≤ 1.1"),
    ("peak RSS to the first frame, X display (Xvfb)", "rss.x11.orvex.kib", kibibytes,
     "bare Qt 6 window", "rss.x11.bare.kib", "ratio ≤ 1.1"),
    ("peak RSS to the first frame, offscreen", "rss.offscreen.orvex.kib", kibibytes,
     "bare Qt 6 window", "rss.offscreen.bare.kib", "ratio ≤ 1.1"),
    ("idle CPU (user + system), receiver on, measuring 10 times a second, X display (Xvfb)",
     "idle.x11.orvex.percent", percent, "bare Qt 6 window with a 100 ms timer",
     "idle.x11.bare.percent", "ratio ≤ 1.5"),
    ("measurement tick, the monitor's decoder listening (monitor closed, as the program runs)",
     "tick.decoder.instructions", instructions,
     "the same tick through the port tap, nobody listening", "tick.tap.instructions",
     "ratio ≤ 1.1"),
    ("measurement tick, the decoder watching (monitor open)", "tick.watching.instructions",
     instructions, "the same tick through the port tap, nobody listening",
     "tick.tap.instructions", ""),
    ("settings save against a lock another user holds: time until it gives up",
     "bench.settings_save/held_lock/iterations:2/real_time", seconds,
     "a save that gets the lock (two flushes to disk)", "bench.settings_save/free/real_time",
     "< 1 s"),
    ("remote `f`: requests per second", "remote.f.ours.rate", per_second,
     "Hamlib's `rigctld -m 1` (dummy rig)", "remote.f.rigctld.rate", "ratio ≥ 1.5"),
    ("remote `f`: p99 latency", "remote.f.ours.p99_us", microseconds,
     "Hamlib's `rigctld -m 1`", "remote.f.rigctld.p99_us", "ratio ≤ 1"),
    ("remote `F`, two frequencies in turn, real port work: p99 latency", "remote.F.ours.p99_us",
     microseconds, "none: the dummy rig sleeps in every set (its p99 in the prose)", None,
     "< 1000 µs"),
    ("remote server under load and abuse: RSS growth", "load.rss_growth.kib", kibibytes,
     "the program's RSS before the load", "load.rss_before.kib", "bounded"),
    ("measurement tick interval under load: p99", "load.tick.p99_us", microseconds,
     "the nominal interval", "load.tick.nominal_us", ""),
    ("remote `f` every 50 ms while another client sends 10 KB of power off/on: worst answer",
     "fair.power.f_worst_ms", from_milliseconds,
     "one power-on's settling pause, the longest command", "fair.power.settling_ms", "< 300 ms"),
    ("measurement ticks during that power loop: longest gap", "fair.power.tick_gap_max_ms",
     from_milliseconds, "the nominal interval", "fair.tick.nominal_ms", ""),
    ("remote `f` of three clients while a fourth sends 2,000 stores: p99",
     "fair.store.others_p99_ms", from_milliseconds, "the same three with no stores",
     "fair.store.alone_p99_ms", "< 50 ms"),
    ("settings saves a second from that store loop", "fair.store.saves_per_s", per_second_exact,
     "one per pace interval (250 ms)", "fair.store.pace_per_s", "≤ 4 /s"),
]


def ratio_text(ratio):
    return f"{ratio:.2f}" if ratio >= 0.1 else f"{ratio:.2g}"


def table(figures):
    lines = ["| measurement | ours | anchor | anchor's figure | ratio | goal |",
             "|---|---|---|---|---|---|"]
    for what, ours_key, shown, anchor, anchor_key, goal in ROWS:
        if ours_key not in figures:
            continue
        ours = figures[ours_key]
        anchor_figure = figures.get(anchor_key) if anchor_key else None
        if anchor_figure is None:
            anchor_text, ratio = "—", "—"
        else:
            anchor_text = shown(anchor_figure)
            ratio = ratio_text(ours / anchor_figure) if anchor_figure > 0 else "— (anchor is 0)"
        lines.append(f"| {what} | {shown(ours)} | {anchor} | {anchor_text} | {ratio} | {goal} |")
    return lines


def main():
    folder = pathlib.Path(sys.argv[1])
    document = pathlib.Path(sys.argv[2])
    figures = read_figures(folder)
    read_benchmarks(folder, figures)
    machine = (folder / "machine.txt").read_text().strip().splitlines()
    block = [BEGIN, "", *table(figures), "", "Measured " + "; ".join(machine) + ".", "", END]

    text = document.read_text()
    if BEGIN not in text or END not in text:
        sys.exit(f"{document} has no table markers; put these two lines where the table goes:\n"
                 f"{BEGIN}\n{END}")
    before = text[:text.index(BEGIN)]
    after = text[text.index(END) + len(END):]
    document.write_text(before + "\n".join(block) + after)
    print("\n".join(block[2:-2]))


if __name__ == "__main__":
    main()
