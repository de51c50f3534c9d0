#!/usr/bin/env bash
# The main job: one whole synchronisation of an emulated Japanese device whose clock runs an
# hour fast, against a local chronyd on a loopback port. The host's clock is never touched:
# chronyd runs with -x and without the capability to set it, and the agent sets only the
# device clock file. Run as root on a fresh machine (it installs what it needs).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" chrony
bash scripts/build.sh

source scripts/local_chronyd.sh

work=$(mktemp -d /tmp/horvane-demo-XXXXXX)
trap 'stop_local_chronyd; rm -rf "$work"' EXIT
start_local_chronyd "$work"
port=$CHRONYD_PORT
echo "chronyd serves NTP on 127.0.0.1:$port (it never steers the host's clock)"

export CE_DEVICE_DIR="$work/device" CE_JOURNAL="$work/journal.jsonl" TZ=JST-9
mkdir -p "$CE_DEVICE_DIR"
echo 3600000 >"$CE_DEVICE_DIR/clock"
echo "device clock before: $(cat "$CE_DEVICE_DIR/clock") ms ahead of the host's UTC clock (TZ=JST-9)"
echo "running: build/bin/Horvane -h127.0.0.1 -p$port"

status=0
if [ -t 0 ] && [ -t 1 ]; then
  build/bin/Horvane -h127.0.0.1 "-p$port" || status=$?    # the box waits for a key
else
  build/bin/Horvane -h127.0.0.1 "-p$port" </dev/null || status=$?    # the box takes its default button
  # The message box as the journal recorded it (JSON string: \n and \" escaped).
  text=$(sed -n 's/.*"api":"MessageBoxW".*"text":"\(\([^"\\]\|\\.\)*\)".*/\1/p' "$CE_JOURNAL" | tail -n 1)
  printf 'message box "Horvane 1.1.0.0":\n%b\n' "$text"
fi
echo "agent exit status: $status"
echo "wait before the set: $(sed -n 's/.*"api":"WaitForSingleObject".*"timeout":\([0-9]*\).*/\1/p' "$CE_JOURNAL") ms"
echo "device clock after: $(cat "$CE_DEVICE_DIR/clock") ms (device time minus host UTC; about -200 ms by design)"
exit "$status"
