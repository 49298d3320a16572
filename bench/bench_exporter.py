#!/usr/bin/python3
"""veltra2-exporter watching 1,000 simulated devices at a 15 s period: how long
until every device is up, how long a scrape of /metrics takes (median and
worst of 20, as a client sees it), and the exporter's CPU (% of a core) and
most resident memory (MB) over the watch.

Prints: FILL_S SCRAPE_MEDIAN_MS SCRAPE_WORST_MS CPU_PERCENT MOST_MB
Usage: bench_exporter.py BUILD_DIR [WATCH_SECONDS]"""

import os
import re
import socket
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.request

build = sys.argv[1]
watch = float(sys.argv[2]) if len(sys.argv) > 2 else 120
opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))
ticks = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / ticks


def most_mb(pid):
    found = re.search(r"VmHWM:\s+(\d+) kB", open("/proc/%d/status" % pid).read())
    return int(found.group(1)) / 1024


def scrape(url):
    began = time.perf_counter()
    with opener.open(url, timeout=30) as reply:
        body = reply.read().decode()
    return (time.perf_counter() - began) * 1000, body


with tempfile.TemporaryDirectory() as work:
    addresses = ["127.0.%d.%d" % (10 + i // 250, 1 + i % 250) for i in range(1000)]
    log = open(os.path.join(work, "sim.log"), "w")
    sim = subprocess.Popen([os.path.join(build, "tools/devsim/veltra2-devsim"), "--port", "0"]
                           + sum((["--address", a] for a in addresses), []), stdout=log, stderr=log)
    port = None
    while port is None:
        time.sleep(0.2)
        found = re.search(r"listening on \S+:(\d+)", open(log.name).read())
        port = found and int(found.group(1))
    with open(os.path.join(work, "hosts"), "w") as f:
        f.writelines("%s:%d Room %d\n" % (a, port, i) for i, a in enumerate(addresses))
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        listen = "127.0.0.1:%d" % s.getsockname()[1]
    exporter = subprocess.Popen([os.path.join(build, "veltra2-exporter"), "--hosts",
                                 os.path.join(work, "hosts"), "--listen", listen, "--period", "15"],
                                stderr=subprocess.DEVNULL)
    url = "http://%s/metrics" % listen
    began = time.time()
    while True:
        time.sleep(0.1)
        try:
            body = scrape(url)[1]
        except OSError:
            continue
        if body.count("} 1\n", 0, body.find("# HELP veltra2_temperature")) == 1000:
            break
    fill = time.time() - began
    cpu_start, wall_start = cpu_seconds(exporter.pid), time.time()
    times = []
    while time.time() - wall_start < watch:
        if len(times) < 20:
            times.append(scrape(url)[0])
        time.sleep(1)
    cpu = 100 * (cpu_seconds(exporter.pid) - cpu_start) / (time.time() - wall_start)
    mb = most_mb(exporter.pid)
    exporter.terminate()
    exporter.wait()
    sim.terminate()
    sim.wait()
    print("%.1f %.1f %.1f %.2f %.0f" % (fill, statistics.median(times), max(times), cpu, mb))
