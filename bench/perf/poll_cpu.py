#!/usr/bin/env python3
"""CPU cost of polling: the tool beside a program that only polls.

    xvfb-run -a python3 bench/perf/poll_cpu.py [BUILD_DIR] [--seconds N] [--trace-seconds N] [--together]

Runs, one after the other in the same run (with --together: all three at
once, measured over the same seconds, so that the load of the machine is
the same for each), each against a `bxl-unit-sim` of its own (private
XDG_DATA_HOME, port 1 alias):

  bare      bench/perf/bxl-bare-poller: a window, Qt Serial Port, the same
            100 ms cadence and quiet-line rule, nothing else;
  main      bxl-control-center, main window shown, polling;
  all       bxl-app-harness --overview --record: the overview and the log
            window open, the recorder sampling every 2 s.

For each: 5 s to settle, then the CPU time (user + system, /proc/PID/stat)
over --seconds (default 30), then `strace -c -f` attached for
--trace-seconds (default 10) for the system calls per second. Prints the
CPU share of one core, the ratio to the bare poller, and the calls.
Needs an X display (xvfb-run) and a build of the `default` preset.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CLK_TCK = os.sysconf("SC_CLK_TCK")
SETTLE = 5

args = sys.argv[1:]
build = os.path.join(ROOT, "build", "default")
seconds, trace_seconds = 30, 10
together = False
while args:
    a = args.pop(0)
    if a == "--together":
        together = True
    elif a == "--seconds" and args:
        seconds = int(args.pop(0))
    elif a == "--trace-seconds" and args:
        trace_seconds = int(args.pop(0))
    elif a.startswith("-"):
        sys.exit(__doc__)
    else:
        build = os.path.abspath(a)

SIM = os.path.join(build, "sim", "bxl-unit-sim")
BARE = os.path.join(build, "bench", "perf", "bxl-bare-poller")
APP = os.path.join(build, "app", "bxl-control-center")
HARNESS = os.path.join(build, "bench", "perf", "bxl-app-harness")
STRACE = shutil.which("strace")

# System calls shown by name; the rest are summed.
SHOWN = ["poll", "ppoll", "read", "write", "writev", "sendmsg", "recvmsg", "futex", "eventfd2",
         "stat", "newfstatat", "statx", "openat", "ioctl", "clock_gettime"]


class Unit:
    def __init__(self):
        self.dir = tempfile.TemporaryDirectory(prefix="bxl-pollcpu-")
        self.env = dict(os.environ, XDG_DATA_HOME=self.dir.name)
        self.trace = os.path.join(self.dir.name, "trace.txt")
        self.proc = subprocess.Popen([SIM, "--port", "1", "--trace", self.trace], env=self.env,
                                     stdout=subprocess.PIPE, text=True)
        if "serving" not in self.proc.stdout.readline():
            raise SystemExit("the simulated unit did not start")
        self.device = os.path.join(self.dir.name, "brisaval-xl", "ports", "com1")

    def requests(self):
        try:
            with open(self.trace) as f:
                return sum(1 for line in f if len(w := line.split()) > 3 and w[1] == "in" and w[3] == "0C")
        except FileNotFoundError:
            return 0

    def stop(self):
        self.proc.terminate()
        self.proc.communicate(timeout=5)
        self.dir.cleanup()


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def syscalls(pid):
    """Calls per second of the process and its threads, by name."""
    if STRACE is None:
        return None
    out = tempfile.NamedTemporaryFile(prefix="bxl-strace-", suffix=".txt", delete=False)
    out.close()
    tracer = subprocess.Popen([STRACE, "-c", "-f", "-p", str(pid), "-o", out.name],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(trace_seconds)
    tracer.send_signal(signal.SIGINT)
    tracer.wait(timeout=10)
    calls = {}
    with open(out.name) as f:
        for line in f:
            w = line.split()
            if len(w) >= 5 and w[0][0].isdigit() and w[-1] != "total":
                calls[w[-1]] = int(w[3])
    os.unlink(out.name)
    return {name: n / trace_seconds for name, n in calls.items()}


class Run:
    """One program polling a unit of its own."""

    def __init__(self, name, command):
        self.name = name
        self.unit = Unit()
        cmd = [part.replace("{device}", self.unit.device) for part in command]
        self.proc = subprocess.Popen(cmd, env=self.unit.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)

    def start_window(self):
        self.c0, self.t0, self.r0 = cpu_ticks(self.proc.pid), time.monotonic(), self.unit.requests()

    def end_window(self):
        self.c1, self.t1, self.r1 = cpu_ticks(self.proc.pid), time.monotonic(), self.unit.requests()
        self.share = (self.c1 - self.c0) / CLK_TCK / (self.t1 - self.t0)

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        self.unit.stop()

    def report(self):
        print(f"{self.name:5} CPU {100 * self.share:5.2f} % of one core ({(self.c1 - self.c0) / CLK_TCK:.2f} s "
              f"in {self.t1 - self.t0:.1f} s), {self.r1 - self.r0} requests", flush=True)


def measure_each(runs):
    """One after the other: each program alone for its seconds."""
    results = {}
    for name, command in runs:
        run = Run(name, command)
        time.sleep(SETTLE)
        run.start_window()
        time.sleep(seconds)
        run.end_window()
        calls = syscalls(run.proc.pid)
        run.stop()
        run.report()
        results[name] = (run.share, calls)
    return results


def measure_together(runs):
    """All at once, over the same seconds; the system calls one after the other."""
    started = [Run(name, command) for name, command in runs]
    time.sleep(SETTLE)
    for run in started:
        run.start_window()
    time.sleep(seconds)
    for run in started:
        run.end_window()
    results = {}
    for run in started:
        results[run.name] = (run.share, syscalls(run.proc.pid))
    for run in started:
        run.stop()
        run.report()
    return results


runs = [
    ("bare", [BARE, "{device}"]),
    ("main", [APP]),
    ("all", [HARNESS, "--overview", "--record", "--seconds", str(SETTLE + seconds + 3 * trace_seconds + 30)]),
]
how = "all at once" if together else "one after the other"
print(f"== CPU while polling, {how} ({seconds} s each after {SETTLE} s settling; "
      f"system calls over {trace_seconds} s)")
results = measure_together(runs) if together else measure_each(runs)
bare = results["bare"][0]
for name, goal in (("main", 1.5), ("all", 2.0)):
    ratio = results[name][0] / bare if bare > 0 else float("inf")
    print(f"ratio {name} / bare = {ratio:.2f} (goal <= {goal})")

if STRACE is None:
    print("strace not found: no system call counts")
else:
    print("\nsystem calls per second" + "".join(f"{n:>9}" for n in results))
    names = sorted({c for _, calls in results.values() for c in (calls or {})})
    for call in [c for c in SHOWN if c in names] + ["other"]:
        row = []
        for _, calls in results.values():
            calls = calls or {}
            row.append(sum(v for c, v in calls.items() if c not in SHOWN) if call == "other" else calls.get(call, 0))
        print(f"{call:23}" + "".join(f"{v:9.1f}" for v in row))
