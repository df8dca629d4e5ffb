#!/bin/sh
# The real mirovale binary under a virtual X server: it starts, replays a script and writes the
# --grab picture of its client area.
# usage: window_binary_test.sh MIROVALE SCRIPT OUTPUT.png
set -eu
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: xvfb-run is not installed (scripts/setup installs the xvfb package)"
  exit 77
fi
rm -f "$3"
xvfb-run -a "$1" "$2" --size 800x600 --grab "$3" >/dev/null
test -s "$3" || { echo "no picture written to $3"; exit 1; }
