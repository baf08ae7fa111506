"""Start-up benchmark: time from process start to the main window shown, for
Quillon on an empty folder and on a full store (32,767 records), against a
minimal Qt Widgets program, alternating runs; then the idle resident memory
of each. Run under Xvfb by bench/startup.sh."""

import os
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1]
quillon = os.path.join(build, "bench_startup_quillon")
minimal = os.path.join(build, "bench_startup_minimal")
RUNS = 15
RECORD = 10167


def launch(cmd):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = proc.stdout.readline()
    elapsed = (time.perf_counter() - start) * 1000
    if line.strip() != b"shown":
        raise SystemExit(f"{cmd[0]} did not show its window")
    return proc, elapsed


def time_once(cmd):
    proc, elapsed = launch(cmd)
    proc.kill()
    proc.wait()
    return elapsed


def idle_rss_kib(cmd):
    proc, _ = launch(cmd)
    time.sleep(1.0)
    with open(f"/proc/{proc.pid}/status") as f:
        rss = next(int(l.split()[1]) for l in f if l.startswith("VmRSS:"))
    proc.kill()
    proc.wait()
    return rss


def folder(records):
    d = tempfile.mkdtemp(prefix="quillon-bench-")
    with open(os.path.join(d, "qln.rss"), "w") as f:
        f.write("    ")
    blank = b"\0\0" + b" " * (RECORD - 2)
    with open(os.path.join(d, "faxes.db"), "wb") as f:
        for _ in range(records // 100):
            f.write(blank * 100)
        f.write(blank * (records % 100))
    return d


ok = True
base = [minimal]
time_once(base)  # warm the caches for both
for name, records in (("empty folder", 0), ("full store", 32767)):
    d = folder(records)
    ours_cmd = [quillon, d]
    time_once(ours_cmd)
    ours, theirs = [], []
    for _ in range(RUNS):
        ours.append(time_once(ours_cmd))
        theirs.append(time_once(base))
    ratio = statistics.median(ours) / statistics.median(theirs)
    ok = ok and ratio <= 1.3
    print(f"{name:13s} quillon {statistics.median(ours):6.1f} ms  minimal "
          f"{statistics.median(theirs):6.1f} ms  ratio {ratio:.2f} (target <= 1.3)")
    if records == 0:
        ours_rss, base_rss = idle_rss_kib(ours_cmd), idle_rss_kib(base)
        mem = ours_rss / base_rss
        ok = ok and mem <= 1.2
        print(f"idle memory   quillon {ours_rss} KiB  minimal {base_rss} KiB  "
              f"ratio {mem:.2f} (target <= 1.2)")
    subprocess.run(["rm", "-rf", d])
print("all targets met" if ok else "TARGET MISSED")
sys.exit(0 if ok else 2)
