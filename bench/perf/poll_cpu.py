#!/usr/bin/env python3
"""CPU cost of polling: the tool beside a program that only polls.

    xvfb-run -a python3 bench/perf/poll_cpu.py [BUILD_DIR] [--seconds N] [--trace-seconds N]

Runs, one after the other in the same run, each against a `bxl-unit-sim`
of its own (private XDG_DATA_HOME, port 1 alias):

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
while args:
    a = args.pop(0)
    if a == "--seconds" and args:
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


def measure(name, command):
    unit = Unit()
    cmd = [part.replace("{device}", unit.device) for part in command]
    proc = subprocess.Popen(cmd, env=unit.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(SETTLE)
    c0, t0, r0 = cpu_ticks(proc.pid), time.monotonic(), unit.requests()
    time.sleep(seconds)
    c1, t1, r1 = cpu_ticks(proc.pid), time.monotonic(), unit.requests()
    calls = syscalls(proc.pid)
    proc.terminate()
    try:
        proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    unit.stop()
    share = (c1 - c0) / CLK_TCK / (t1 - t0)
    print(f"{name:5} CPU {100 * share:5.2f} % of one core ({(c1 - c0) / CLK_TCK:.2f} s in {t1 - t0:.1f} s), "
          f"{r1 - r0} requests", flush=True)
    return share, calls


runs = [
    ("bare", [BARE, "{device}"]),
    ("main", [APP]),
    ("all", [HARNESS, "--overview", "--record", "--seconds", str(SETTLE + seconds + trace_seconds + 30)]),
]
print(f"== CPU while polling ({seconds} s each after {SETTLE} s settling; system calls over {trace_seconds} s)")
results = {name: measure(name, command) for name, command in runs}
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
