# A local chronyd for the demo and the benchmarks: NTP on a free loopback port, its config,
# pid and state in a folder of the caller's, never steering the host's clock (-x, and as
# root without the capability to set it). Sourced; start_local_chronyd DIR sets
# CHRONYD_PORT and CHRONYD_PID, stop_local_chronyd ends it.

# Whether a UDP port is bound on this host (IPv4 or IPv6), from the kernel's socket tables.
udp_port_bound() {
  grep -q ":$(printf '%04X' "$1") " /proc/net/udp /proc/net/udp6 2>/dev/null
}

start_local_chronyd() {
  local dir=$1
  CHRONYD_PORT=$((20000 + RANDOM % 30000))
  while udp_port_bound "$CHRONYD_PORT"; do CHRONYD_PORT=$((20000 + RANDOM % 30000)); done
  cat >"$dir/chrony.conf" <<CONF
port $CHRONYD_PORT
bindaddress 127.0.0.1
allow 127.0.0.1
local stratum 8
cmdport 0
bindcmdaddress /
pidfile $dir/chronyd.pid
driftfile $dir/chrony.drift
dumpdir $dir
ntsdumpdir $dir
CONF
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --bounding-set -sys_time /usr/sbin/chronyd -x -d -u root -f "$dir/chrony.conf" >"$dir/chronyd.log" 2>&1 &
  else
    /usr/sbin/chronyd -x -d -f "$dir/chrony.conf" >"$dir/chronyd.log" 2>&1 &
  fi
  CHRONYD_PID=$!
  for _ in $(seq 50); do udp_port_bound "$CHRONYD_PORT" && return 0; sleep 0.1; done
  cat "$dir/chronyd.log" >&2
  echo "chronyd did not start" >&2
  return 1
}

stop_local_chronyd() {
  [ -n "${CHRONYD_PID:-}" ] || return 0
  kill "$CHRONYD_PID" 2>/dev/null || true
  wait "$CHRONYD_PID" 2>/dev/null || true
  CHRONYD_PID=""
}
