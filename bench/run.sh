#!/usr/bin/env bash
# Runs every benchmark and prints one table: each figure beside its baseline
# (where it has one) and its target.
#   bench/run.sh [BUILD_DIR] [IDLE_SECONDS] [SITE_SECONDS] [EXPORTER_SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}/bench
idle=${2:-60}
site=${3:-120}
exporter=${4:-120}

read -r -a small < <("$build/bench_framer" 10)
read -r -a large < <("$build/bench_framer" 100)
read -r state history big big_mb huge_ms huge_mb < <("$build/bench_runner")
read -r upload raw < <("$build/bench_upload")
read -r scan scan_found < <("$build/bench_scan")
read -r ctl16 ctl1 ctl16late ctl1late ctl200 ctlset < <("$build/bench_ctl")
read -r frame rss_start rss_conn rss_100 rss_1000 cpu < <("$build/bench_window" "$idle")
read -r bare_frame < <("$build/bench_window" --bare)
read -r site_fill site_cpu site_mb site_age site_marked site_hold < <("$build/bench_site" "$site")
read -r exp_fill exp_scrape exp_worst exp_cpu exp_mb < <(/usr/bin/python3 "$root/bench/bench_exporter.py" "$build/.." "$exporter")

ratio() { awk "BEGIN { printf \"%.0f%%\", 100 * $1 / $2 }"; }
printf '%-46s %14s %16s %s\n' "measure" "value" "baseline" "target"
printf '%-46s %14s %16s %s\n' "framer, 100 MB of 100-byte lines (MB/s)" "${large[1]}" "memchr ${large[2]}" ">= 50% of memchr: $(ratio "${large[1]}" "${large[2]}")"
printf '%-46s %14s %16s %s\n' "framer time, 100 MB / 10 MB" "$(awk "BEGIN { printf \"%.1fx\", ${large[3]} / ${small[3]} }")" "data 10x" "<= 12x"
printf '%-46s %14s %16s %s\n' "state reply handled end to end (us)" "$state" "" "< 50"
printf '%-46s %14s %16s %s\n' "history update, 10,000 samples x 2 (ms)" "$history" "" "< 20"
printf '%-46s %14s %16s %s\n' "history reply, 1,000,000 samples x 2 (ms)" "$big" "" "< 1000"
printf '%-46s %14s %16s %s\n' "memory it adds (MB)" "$big_mb" "" "< 100"
printf '%-46s %14s %16s %s\n' "state reply of 7 MB, longest hold (ms)" "$huge_ms" "" "< 50"
printf '%-46s %14s %16s %s\n' "memory it leaves after the next reply (MB)" "$huge_mb" "" "< 20"
printf '%-46s %14s %16s %s\n' "10 MiB upload to the simulator (ms)" "$upload" "raw $raw" ">= 50% of raw: $(ratio "$raw" "$upload")"
printf '%-46s %14s %16s %s\n' "search of a /24, 8 devices + 8 silent (ms)" "$scan" "found $scan_found" "< 3000, all 8 found"
printf '%-46s %14s %16s %s\n' "veltra2ctl config get, 100 devices, jobs 16 (ms)" "$ctl16" "jobs 1 $ctl1" "(prompt loopback: CPU-bound)"
printf '%-46s %14s %16s %s\n' "the same, each reply 20 ms late (ms)" "$ctl16late" "jobs 1 $ctl1late" ">= 10x faster: $(awk "BEGIN { printf \"%.1fx\", $ctl1late / $ctl16late }")"
printf '%-46s %14s %16s %s\n' "veltra2ctl info, 200 devices answering in 1 s (ms)" "$ctl200" "--jobs 64" "(4 rounds of 1 s)"
printf '%-46s %14s %16s %s\n' "config set, 100 devices answering in 2 s (ms)" "$ctlset" "--jobs 100" "every line ok"
printf '%-46s %14s %16s %s\n' "process start to first frame (ms)" "$frame" "bare $bare_frame" "<= 1.5x bare: $(awk "BEGIN { printf \"%.1fx\", $frame / $bare_frame }")"
printf '%-46s %14s %16s %s\n' "idle CPU, connected, ${idle} s (% of a core)" "$cpu" "" "< 0.5"
printf '%-46s %14s %16s %s\n' "resident memory after start (MB)" "$rss_start" "" "< 120"
printf '%-46s %14s %16s %s\n' "resident memory connected (MB)" "$rss_conn" "" "< 120"
printf '%-46s %14s %16s %s\n' "resident memory, 100 / 1000 replies (MB)" "$rss_100 / $rss_1000" "" "flat within 2"
printf '%-46s %14s %16s %s\n' "site of 200 devices: every row read (s)" "$site_fill" "" ""
printf '%-46s %14s %16s %s\n' "site watched ${site} s: CPU (% of a core)" "$site_cpu" "" "< 5"
printf '%-46s %14s %16s %s\n' "site watched: most resident memory (MB)" "$site_mb" "" "< 150"
printf '%-46s %14s %16s %s\n' "site watched: worst age of a row (s)" "$site_age" "period 5" "< 7.5 (fresh)"
printf '%-46s %14s %16s %s\n' "50 devices silent at once: all marked (s)" "$site_marked" "" "< 10 (two periods)"
printf '%-46s %14s %16s %s\n' "site: longest the window did not answer (ms)" "$site_hold" "" "< 500"
printf '%-46s %14s %16s %s\n' "exporter, 1,000 devices: all up (s)" "$exp_fill" "" ""
printf '%-46s %14s %16s %s\n' "exporter: scrape of /metrics, median (ms)" "$exp_scrape" "worst $exp_worst" "< 100"
printf '%-46s %14s %16s %s\n' "exporter watching ${exporter} s at 15 s: CPU (%)" "$exp_cpu" "1 scrape/s, 20 s" ""
printf '%-46s %14s %16s %s\n' "exporter watching: most resident memory (MB)" "$exp_mb" "" ""
