#!/usr/bin/python3
"""The exporter as Prometheus sees it: Prometheus itself scrapes veltra2-exporter
watching 100 simulated devices (one of which falls silent, one of which names
itself with text that must not break the format) and probes 10 more through
the shipped multi-target job; its HTTP API is asked what it holds.

Usage: tst_prometheus.py BUILD_DIR SOURCE_DIR"""

import json
import os
import re
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.parse
import urllib.request

import yaml

build, source = sys.argv[1], sys.argv[2]
devsim = os.path.join(build, "tools/devsim/veltra2-devsim")
exporter = os.path.join(build, "veltra2-exporter")
failures = []
processes = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL: " + what, flush=True)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start(args, log):
    process = subprocess.Popen(args, stdout=open(log, "w"), stderr=subprocess.STDOUT)
    processes.append(process)
    return process


def simulator(work, name, args):
    log = os.path.join(work, name + ".log")
    start([devsim, "--port", "0"] + args, log)
    deadline = time.time() + 10
    while time.time() < deadline:
        found = re.search(r"listening on \S+:(\d+)", open(log).read())
        if found:
            return int(found.group(1))
        time.sleep(0.1)
    raise SystemExit("the simulator did not start: " + name)


# Straight to loopback, whatever proxy the environment names.
opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))


def get(url, headers=None):
    try:
        with opener.open(urllib.request.Request(url, headers=headers or {}), timeout=15) as reply:
            return reply.status, reply.read().decode()
    except urllib.error.HTTPError as error:
        return error.code, error.read().decode()
    except urllib.error.URLError:
        return 0, ""


def query(prometheus, expression):
    _, body = get("http://%s/api/v1/query?query=%s" % (prometheus, urllib.parse.quote(expression)))
    return json.loads(body)["data"]["result"]


def value(prometheus, expression):
    result = query(prometheus, expression)
    return float(result[0]["value"][1]) if result else None


def wait_for(what, test, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if test():
            return True
        time.sleep(0.5)
    check(False, what)
    return False


def main(work):
    # 98 devices on one simulator, one that falls silent, one whose board and
    # firmware hold quotes, a line break and an escape sequence.
    many = simulator(work, "many", sum((["--address", "127.0.9.%d" % h] for h in range(10, 108)), []))
    muted = simulator(work, "muted", ["--address", "127.0.9.108", "--mute-at", "12"])
    hostile = simulator(work, "hostile", ["--address", "127.0.9.109", "--reply",
                        'info={"board":"veltra-2w","version":"2.3.1\\"}\\n\\u001b[2J evil"}'])
    probed = simulator(work, "probed", sum((["--address", "127.0.9.%d" % h] for h in range(200, 210)), []))
    hosts = os.path.join(work, "hosts.txt")
    with open(hosts, "w") as f:
        for h in range(10, 108):
            f.write("127.0.9.%d:%d Room %d\n" % (h, many, h))
        f.write("127.0.9.108:%d Muted\n127.0.9.109:%d\n" % (muted, hostile))

    listen = "127.0.0.1:%d" % free_port()
    start([exporter, "--hosts", hosts, "--listen", listen, "--period", "1"],
          os.path.join(work, "exporter.log"))
    wait_for("the exporter serves", lambda: get("http://%s/" % listen)[0] == 200, 10)
    status, page = get("http://%s/" % listen)
    check("/metrics" in page and "/probe" in page, "the / page says what is served")
    check(get("http://%s/favicon.ico" % listen)[0] == 404, "anything else is not found")
    check(get("http://%s/probe?target=no%%20such" % listen)[0] == 400, "a bad target is refused")
    # A device that takes the connection and never answers: the probe ends
    # within the scrape's own timeout, as failed.
    silent = simulator(work, "silent", ["--address", "127.0.9.210", "--mute-at", "0"])
    began = time.time()
    status, text = get("http://%s/probe?target=127.0.9.210:%d" % (listen, silent),
                       {"X-Prometheus-Scrape-Timeout-Seconds": "2"})
    took = time.time() - began
    check(status == 200 and "veltra2_probe_success 0" in text and 1 < took < 2.2,
          "a silent device's probe ends within the scrape's timeout (%.1f s)" % took)
    # Something else on the port is told as what it is, not as a device down.
    web = simulator(work, "web", ["--address", "127.0.9.211", "--reply", "info=HTTP/1.1 400 Bad Request"])
    status, text = get("http://%s/probe?target=127.0.9.211:%d" % (listen, web))
    check('state="not_a_device"} 1' in text and "veltra2_probe_success 0" in text,
          "a probe of something that is no device says so: " + text[-300:])
    # Sixteen such probes under way do not hold up a scrape of /metrics.
    waiting = [threading.Thread(target=get, args=(
        "http://%s/probe?target=127.0.9.210:%d" % (listen, silent),
        {"X-Prometheus-Scrape-Timeout-Seconds": "4"})) for _ in range(16)]
    for thread in waiting:
        thread.start()
    time.sleep(0.5)
    began = time.time()
    status, _ = get("http://%s/metrics" % listen)
    took = time.time() - began
    check(status == 200 and took < 1, "a scrape beside slow probes (%.1f s)" % took)
    for thread in waiting:
        thread.join()

    # The shipped configuration, pointed at this exporter and these devices.
    config = yaml.safe_load(open(os.path.join(source, "exporter/prometheus/prometheus.yml")))
    config["global"] = {"scrape_interval": "2s", "scrape_timeout": "2s", "evaluation_interval": "2s"}
    config["rule_files"] = [os.path.join(source, "exporter/prometheus/veltra2-rules.yml")]
    for job in config["scrape_configs"]:
        if job["job_name"] == "veltra2":
            job["static_configs"] = [{"targets": [listen]}]
        else:
            job["static_configs"] = [{"targets": ["127.0.9.%d:%d" % (h, probed) for h in range(200, 210)]}]
            job["relabel_configs"][-1]["replacement"] = listen
    with open(os.path.join(work, "prometheus.yml"), "w") as f:
        yaml.safe_dump(config, f)
    prometheus = "127.0.0.1:%d" % free_port()
    start(["prometheus", "--config.file=" + os.path.join(work, "prometheus.yml"),
           "--storage.tsdb.path=" + os.path.join(work, "data"), "--web.listen-address=" + prometheus],
          os.path.join(work, "prometheus.log"))
    wait_for("Prometheus is ready", lambda: get("http://%s/-/ready" % prometheus)[0] == 200, 30)

    # Two scrapes, then every device up with its temperature.
    wait_for("two scrapes", lambda: (value(prometheus, "count_over_time(up{job=\"veltra2\"}[1m])") or 0) >= 2, 30)
    wait_for("sum(veltra2_up) is 100",
             lambda: value(prometheus, 'sum(veltra2_up{job="veltra2"})') == 100, 20)
    check(value(prometheus, 'count(veltra2_temperature_celsius{job="veltra2"})') == 100,
          "100 temperature series")
    check(value(prometheus, 'count(veltra2_humidity_ratio{job="veltra2"} > 0 < 1)') == 100,
          "100 humidity ratios between 0 and 1")
    info = query(prometheus, 'veltra2_device_info{address="127.0.9.109:%d"}' % hostile)
    check(len(info) == 1 and "\n" not in info[0]["metric"]["firmware"]
          and "\x1b" not in info[0]["metric"]["firmware"]
          and info[0]["metric"]["firmware"].startswith('2.3.1"}'),
          "device text kept whole and harmless in a label: %s" % info)

    # The silent device: down, or its reading past two periods, at the next scrape.
    wait_for("the muted device is marked",
             lambda: value(prometheus, 'veltra2_up{name="Muted"} == 0 or '
                                       'veltra2_reading_age_seconds{name="Muted"} > 2') is not None, 30)
    check(value(prometheus, 'sum(veltra2_up{job="veltra2"})') >= 99, "the others stay up")

    # The ten probed devices, each asked at scrape time.
    wait_for("ten probes succeed",
             lambda: value(prometheus, 'count(veltra2_probe_success{job="veltra2-probe"} == 1)') == 10, 20)
    check(value(prometheus, 'count(veltra2_temperature_celsius{job="veltra2-probe"})') == 10,
          "10 probed temperature series")

    # What a scrape holds passes Prometheus's own linter.
    _, text = get("http://%s/metrics" % listen)
    lint = subprocess.run(["promtool", "check", "metrics"], input=text, capture_output=True, text=True)
    check(lint.returncode == 0 and not lint.stdout.strip() and not lint.stderr.strip(),
          "promtool check metrics: " + lint.stdout + lint.stderr)


try:
    with tempfile.TemporaryDirectory() as work:
        main(work)
        for process in processes:
            process.terminate()
            process.wait(10)
finally:
    for process in processes:
        if process.poll() is None:
            process.kill()
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
