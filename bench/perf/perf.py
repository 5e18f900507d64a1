#!/usr/bin/env python3
"""Prints every performance figure of the tool.

    python3 bench/perf/perf.py [BUILD_DIR] [--seconds N]

Needs an X display for the visible-window figures (scripts/perf starts one
with xvfb-run) and a build of the `default` preset. Every run against the
simulated unit uses a private XDG_DATA_HOME, so no real port alias is
touched.

Figures:
  - poll cycle against the simulated unit next to the tick model;
  - CPU share of one core while polling, main window visible;
  - start of the process to the first request on the wire;
  - peak RSS with a full log (15 x 10001 points) loaded;
  - the log window and graph redraw figures (their own benchmarks).
"""
import os
import re
import statistics
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def usage():
    sys.exit(__doc__)


args = sys.argv[1:]
build = os.path.join(ROOT, "build", "default")
seconds = 30
while args:
    a = args.pop(0)
    if a == "--seconds" and args:
        seconds = int(args.pop(0))
    elif a.startswith("-"):
        usage()
    else:
        build = os.path.abspath(a)

SIM = os.path.join(build, "sim", "bxl-unit-sim")
APP = os.path.join(build, "app", "bxl-control-center")
HARNESS = os.path.join(build, "bench", "perf", "bxl-app-harness")
POLL_BENCH = os.path.join(build, "bench", "link", "link_poll_cycle_bench")
LOG_BENCH = os.path.join(build, "bench", "log", "log_bench")
GRAPHS_BENCH = os.path.join(build, "bench", "graphs", "graphs_bench")
CLK_TCK = os.sysconf("SC_CLK_TCK")


def heading(text):
    print(f"\n== {text}", flush=True)


class Unit:
    """bxl-unit-sim on port 1 of a private data directory, with a trace."""

    def __init__(self, extra=()):
        self.dir = tempfile.TemporaryDirectory(prefix="bxl-perf-")
        self.env = dict(os.environ, XDG_DATA_HOME=self.dir.name)
        self.trace = os.path.join(self.dir.name, "trace.txt")
        self.proc = subprocess.Popen([SIM, "--port", "1", "--trace", self.trace, *extra], env=self.env,
                                     stdout=subprocess.PIPE, text=True)
        line = self.proc.stdout.readline()
        if "serving" not in line:
            raise SystemExit(f"the simulated unit did not start: {line!r}")

    def requests(self):
        """Times (s since the unit started) of the read-process requests received."""
        out = []
        try:
            with open(self.trace) as f:
                for line in f:
                    w = line.split()
                    if len(w) > 3 and w[1] == "in" and w[3] == "0C":
                        out.append(float(w[0]))
        except FileNotFoundError:
            pass
        return out

    def stop(self):
        self.proc.terminate()
        summary = self.proc.communicate(timeout=5)[0].strip()
        self.dir.cleanup()
        return summary


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def stop(proc):
    proc.terminate()
    try:
        proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def poll_cycle():
    heading(f"Poll cycle against the simulated unit ({seconds} s)")
    out = subprocess.run([POLL_BENCH, str(seconds), SIM], capture_output=True, text=True, check=True).stdout
    print(out.rstrip())
    median = float(re.search(r"median ([0-9.]+) ms", out).group(1))
    model = float(re.search(r"tick model cycle ([0-9.]+) ms", out).group(1))
    print(f"ratio median / model = {median / model:.3f} (goal 1.00 +- 0.05)")


def start_and_cpu():
    heading("Start to the first request on the wire (real program, window shown)")
    times = []
    for _ in range(5):
        unit = Unit()
        t0 = time.monotonic()
        app = subprocess.Popen([APP], env=unit.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        first = None
        while time.monotonic() - t0 < 10:
            if unit.requests():
                first = time.monotonic()
                break
            time.sleep(0.001)
        stop(app)
        unit.stop()
        if first is None:
            raise SystemExit("no request reached the unit within 10 s")
        times.append(first - t0)
    print("runs: " + ", ".join(f"{1000 * t:.0f} ms" for t in times))
    print(f"start to first request: median {1000 * statistics.median(times):.0f} ms, "
          f"max {1000 * max(times):.0f} ms (goal < 500 ms)")

    heading(f"CPU share while polling, main window visible ({seconds} s after 5 s settling)")
    unit = Unit()
    app = subprocess.Popen([APP], env=unit.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(5)
    c0, t0, r0 = cpu_ticks(app.pid), time.monotonic(), len(unit.requests())
    time.sleep(seconds)
    c1, t1, r1 = cpu_ticks(app.pid), time.monotonic(), len(unit.requests())
    stop(app)
    unit.stop()
    share = (c1 - c0) / CLK_TCK / (t1 - t0)
    print(f"{r1 - r0} requests polled; CPU {100 * share:.2f} % of one core (goal < 1 %)")


def write_full_log(path, records=10001):
    with open(path, "wb") as f:
        f.write(struct.pack("<Iii", 0xEFFE7007, records, 15))
        t0 = 46000.0
        for i in range(records):
            f.write(struct.pack("<16d", t0 + i * 2 / 86400, *[(i % 500) * 0.1 + k for k in range(15)]))
    return os.path.getsize(path)


def peak_rss():
    heading("Peak RSS (VmHWM), the whole tool polling, log window shown")
    results = {}
    with tempfile.TemporaryDirectory(prefix="bxl-perf-log-") as d:
        path = os.path.join(d, "full.log")
        size = write_full_log(path)
        for label, extra in (("no log loaded", []), ("full log loaded (15 x 10001 points)", ["--load-log", path])):
            unit = Unit()
            out = subprocess.run([HARNESS, "--seconds", "6", *extra], env=unit.env, capture_output=True,
                                 text=True, timeout=60).stdout
            unit.stop()
            points = int(re.search(r"points (\d+)", out).group(1))
            kb = int(re.search(r"peak_rss_kb (\d+)", out).group(1))
            results[label] = kb
            print(f"{label}: peak RSS {kb / 1024:.1f} MiB, {points} points per series"
                  + (f" (file {size} bytes)" if extra else ""))
    print("goal with the full log: < 150 MB")


def other_benches():
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for title, exe in (("Log window (bench/log)", LOG_BENCH), ("Graph redraws (bench/graphs)", GRAPHS_BENCH)):
        heading(title)
        if not os.path.exists(exe):
            print(f"not built: {exe}")
            continue
        print(subprocess.run([exe], env=env, capture_output=True, text=True, check=True).stdout.rstrip())


def machine():
    heading("Machine")
    model = "?"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    print(f"{os.cpu_count()} cores, {model}; {os.uname().sysname} {os.uname().release}; build {build}")


if __name__ == "__main__":
    for exe in (SIM, APP, HARNESS, POLL_BENCH):
        if not os.path.exists(exe):
            raise SystemExit(f"missing {exe}: build the default preset first")
    if not os.environ.get("DISPLAY"):
        raise SystemExit("needs an X display: run scripts/perf, which starts one")
    machine()
    poll_cycle()
    start_and_cpu()
    peak_rss()
    other_benches()
