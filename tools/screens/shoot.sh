#!/usr/bin/env bash
# Screenshots of the window's pages, menus and dialogs against the simulator,
# walked with the mouse and the keyboard under a virtual display.
#   tools/screens/shoot.sh BUILD OUT_DIR LANG WIDTH HEIGHT [SCALE]
# The window fills a WIDTHxHEIGHT screen (in pixels of the screen; at SCALE 2
# the window's own units are half as many). Needs xvfb, xdotool, imagemagick.
set -euo pipefail
build=$1; out=$2; lang=$3; width=$4; height=$5; scale=${6:-1}
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'kill $sim 2>/dev/null || true; rm -rf "$scratch"' EXIT
"$build/tools/devsim/veltra2-devsim" --port 0 --address 127.0.0.31 --model 2w > "$scratch/sim.log" 2>&1 &
sim=$!
sleep 0.5
port=$(sed -n 's/.*listening on [^ ]*:\([0-9]*\).*/\1/p' "$scratch/sim.log")
w=$((width / scale)); h=$((height / scale))
mkdir -p "$scratch/config/Kestrel"
cat > "$scratch/config/Kestrel/VELTRA2.conf" <<CONF
[General]
host=127.0.0.31
port=$port
language=$lang

[Update]
URL=file:///nonexistent

[Window]
geometry=@Rect(0 0 $w $h)
CONF
cat > "$scratch/walk.sh" <<'WALK'
set -u
prefix=$1; scale=$2; w=$3; h=$4
shot() { sleep 0.7; import -window root "$prefix-$1.png"; }
at() { xdotool mousemove $(($1 * scale)) $(($2 * scale)) click 1; sleep 0.8; }
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.25; done; }
device() { at 70 24; keys $(for i in $(seq "$1"); do echo Down; done) Return; sleep 1.5; }
mainmenu() { at 22 24; keys $(for i in $(seq "$1"); do echo Down; done) Return; sleep 1.5; }
back() { at 22 24; }
sleep 3
shot 01-connection
keys Return; sleep 4
shot 02-sensors
keys Right; sleep 1; shot 03-sensor-humidity
at 70 24; shot 04-device-menu; keys Escape
at 22 24; shot 05-main-menu; keys Escape
device 1; shot 06-device-info; keys Escape
device 2; sleep 5; shot 07-status; back
device 3; sleep 3; shot 08-history; back
device 4; sleep 2; shot 09-config
keys Tab Tab Tab Tab Tab Tab Tab Tab; shot 10-config-focus-factory
keys space; shot 11-factory-question; keys Escape
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab; xdotool type --delay 50 " edited"; keys Tab Tab Tab
shot 12-config-edited; keys space; shot 13-unapplied-question; keys Escape; back
device 5; sleep 2; shot 14-cloud
at $((w - 32)) $((h - 32)); sleep 1; shot 15-cloud-registration
at $((w - 32)) $((h - 32)); sleep 1; shot 16-cloud-upload; back
device 6; shot 17-alarm-limits; keys Escape
device 7; shot 18-reboot-question; keys Escape
mainmenu 2; shot 19-save-connection; keys Escape
mainmenu 4; shot 20-language; keys space; sleep 0.5; shot 21-language-list; keys Escape Escape
mainmenu 5; shot 22-about; keys Escape
kill -STOP "$SIM"; sleep 25; xdotool mousemove 1 $((h * scale - 1)); shot 23-link-lost; kill -CONT "$SIM"; sleep 8; shot 24-link-back
mainmenu 3; sleep 2; shot 25-disconnected
keys Tab Tab Tab; keys space; sleep 1; shot 26-find-devices; keys Escape
mainmenu 1; sleep 6; shot 27-site
WALK
cat > "$scratch/inner.sh" <<INNER
XDG_CONFIG_HOME=$scratch/config QT_SCALE_FACTOR=$scale "$build/veltra2" & pid=\$!
SIM=$sim bash "$scratch/walk.sh" "$out/$lang-${width}x$height-s$scale" $scale $w $h
kill \$pid; wait \$pid 2>/dev/null || true
INNER
QT_QUICK_BACKEND=software xvfb-run -a -s "-screen 0 ${width}x${height}x24" bash "$scratch/inner.sh" 2>/dev/null
