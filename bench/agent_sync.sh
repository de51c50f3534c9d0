#!/usr/bin/env bash
# Benchmark of whole agent runs against a local chronyd on an emulated device:
# the wall time of a successful run, split into the designed wait before the set (the
# WaitForSingleObject time-out from the journal) and the rest, and the device clock's error
# after the set (device time minus host UTC from the clock file; about -200 ms by design).
# Usage: bench/agent_sync.sh [BUILD_DIR] [RUNS]   (defaults: build, 20)
# An "ActiveSync" window is kept open during the runs, so that no run spends its ~5 s poll for
# one: the figures are those of the synchronisation itself. One extra run without the window
# shows the poll's share.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-20}
agent=$build/bin/Horvane
[ -x "$agent" ] || { echo "no $agent: build first (bash scripts/build.sh)" >&2; exit 1; }
source scripts/local_chronyd.sh

work=$(mktemp -d /tmp/horvane-bench-XXXXXX)
window_pid=""
cleanup() {
  [ -n "$window_pid" ] && { kill "$window_pid" 2>/dev/null; wait "$window_pid" 2>/dev/null; }
  stop_local_chronyd
  rm -rf "$work"
}
trap cleanup EXIT
start_local_chronyd "$work"
export CE_DEVICE_DIR="$work/device" TZ=JST-9
mkdir -p "$CE_DEVICE_DIR"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# One run with the device clock an hour fast; prints "wall wait offset" in milliseconds.
one_run() {
  export CE_JOURNAL="$work/journal-$1.jsonl"
  echo 3600000 >"$CE_DEVICE_DIR/clock"
  local start end wait
  start=$(now_ms)
  "$agent" -h127.0.0.1 "-p$CHRONYD_PORT" -s </dev/null || { echo "run $1 failed" >&2; exit 1; }
  end=$(now_ms)
  wait=$(sed -n 's/.*"api":"WaitForSingleObject".*"timeout":\([0-9]*\).*/\1/p' "$CE_JOURNAL")
  echo "$((end - start)) $wait $(cat "$CE_DEVICE_DIR/clock")"
}

# min / median / max of the numbers on standard input.
summary() {
  sort -n | awk '{ v[NR] = $1 } END { printf "min %d  median %d  max %d", v[1], v[int((NR + 1) / 2)], v[NR] }'
}

"$build/bin/cewindow" ActiveSync &
window_pid=$!
sleep 0.5
for i in $(seq "$runs"); do one_run "$i"; done >"$work/results"
echo "$runs successful runs against chronyd on 127.0.0.1:$CHRONYD_PORT (ms):"
echo "  wall time        $(awk '{ print $1 }' "$work/results" | summary)"
echo "  designed wait    $(awk '{ print $2 }' "$work/results" | summary)"
echo "  rest of the run  $(awk '{ print $1 - $2 }' "$work/results" | summary)"
echo "  device clock error after the set  $(awk '{ print $3 }' "$work/results" | summary)"

kill "$window_pid" && wait "$window_pid" 2>/dev/null || true
window_pid=""
read -r wall wait offset < <(one_run poll)
echo "one run without a sync window (adds the ~5 s poll for one): wall $wall, wait $wait, error $offset"
