#!/usr/bin/env bash
# Builds VELTRA2, starts the device simulator on loopback and opens the program
# with the simulator's address filled in. The program gets a throw-away settings
# store, so your own settings stay untouched. Extra arguments go to the simulator
# (for example --model 2u, or --verbose to watch the traffic).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELTRA2_BUILD_DIR:-$root/build}
"$root/tools/setup.sh"

scratch=$(mktemp -d)
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$scratch"' EXIT

"$build/tools/devsim/veltra2-devsim" --port 0 "$@" > "$scratch/devsim.log" 2>&1 &
sim=$!
port=""
for _ in $(seq 50); do
    port=$(sed -n 's/.*listening on [^ ]*:\([0-9]*\).*/\1/p' "$scratch/devsim.log")
    [ -n "$port" ] && break
    sleep 0.1
done
if [ -z "$port" ]; then
    cat "$scratch/devsim.log" >&2
    exit 1
fi
echo "Device simulator listening on 127.0.0.1:$port"
tail -f "$scratch/devsim.log" --pid="$sim" 2>/dev/null | sed -n '/^[<>-]/p' &

org=$(sed -n 's/^VELTRA2_ORGANISATION:STRING=//p' "$build/CMakeCache.txt")
mkdir -p "$scratch/config/$org"
# The update check reads a local sample feed instead of the maker's server.
printf '[General]\nhost=127.0.0.1\nport=%s\n\n[Update]\nURL=file://%s\n' "$port" \
    "$build/appcast-sample.xml" > "$scratch/config/$org/VELTRA2.conf"
XDG_CONFIG_HOME="$scratch/config" "$build/veltra2"
