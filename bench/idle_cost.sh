#!/usr/bin/env bash
# Idle cost of the program: link up, auto-information on, radio quiet.
# Starts qx720-sim with its meters still (its console open on a sleeping
# pipe), brings the link up, lets the program settle, then reports over the
# measuring window the CPU share of one core, the wake-ups a second of all
# its threads together (context switches, from /proc/PID/task/*/status) and
# the resident memory. With --ser2net raw or --ser2net rfc2217 the program
# reaches the radio through ser2net on a loopback port, as a radio at
# another place.
#   bench/idle_cost.sh [--gui|--both] [--ser2net raw|rfc2217] [SECONDS]   (from the source tree)
# Headless, the rig server is off (it would bring the link up by itself);
# bench/engine/rig_server_latency measures it.
# BUILD=dir picks another build tree (default build), e.g. one made from an
# older commit, for a before-and-after figure.
set -euo pipefail
cd "$(dirname "$0")/.."

modes=headless
case "${1:-}" in
  --gui) modes=panel; shift ;;
  --both) modes="headless panel"; shift ;;
esac
via=""
if [ "${1:-}" = "--ser2net" ]; then via=$2; shift 2; fi
seconds=${1:-60}
settle=12
build=$(cd "${BUILD:-build}" && pwd)

# Context switches of each thread of a process: one "TID VOLUNTARY
# NONVOLUNTARY" line each. A voluntary one is the thread going to sleep; a
# nonvoluntary one is the thread preempted, which other load on the machine
# drives up.
switches() {
  for t in /proc/"$1"/task/*; do
    awk -v tid="${t##*/}" '/^voluntary_ctxt_switches/ {v = $2} /^nonvoluntary_ctxt_switches/ {n = $2}
      END {print tid, v + 0, n + 0}' "$t/status" 2>/dev/null || true
  done | sort
}
# Switches between two snapshots, "VOLUNTARY NONVOLUNTARY": the growth of
# threads seen in both, and all of those born in between (a thread that
# ended in between is lost).
wakeups() {
  join -a 2 -e 0 -o 1.2,1.3,2.2,2.3 "$1" "$2" | awk '{v += $3 - $1; n += $4 - $2} END {print v + 0, n + 0}'
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

measure() {
  local mode=$1 work sim prog s2n="" device
  work=$(mktemp -d)
  "$build/sim/tool/qx720-sim" --link "$work/qx720" --meter-period 10000000 >/dev/null \
    < <(sleep $((settle + seconds + 90))) &
  sim=$!
  for _ in $(seq 100); do [ -e "$work/qx720" ] && break; sleep 0.05; done
  [ -e "$work/qx720" ] || { echo "qx720-sim did not start" >&2; kill "$sim"; return 1; }

  device="$work/qx720"
  if [ -n "$via" ]; then
    local port accepter
    # A loopback port nobody listens on.
    while :; do
      port=$((20000 + RANDOM % 40000))
      grep -qi ":$(printf '%04X' "$port") " /proc/net/tcp || break
    done
    accepter="tcp,127.0.0.1,$port"
    device="tcp://127.0.0.1:$port"
    if [ "$via" = rfc2217 ]; then accepter="telnet(rfc2217),$accepter"; device="rfc2217://127.0.0.1:$port"; fi
    printf '%%YAML 1.1\n---\nconnection: &radio\n  accepter: %s\n  connector: serialdev,%s,4800n82,local\n' \
      "$accepter" "$work/qx720" >"$work/ser2net.yaml"
    ser2net -n -c "$work/ser2net.yaml" >/dev/null 2>&1 &
    s2n=$!
    for _ in $(seq 100); do grep -qi "0100007F:$(printf '%04X' "$port") 00000000:0000 0A" /proc/net/tcp && break; sleep 0.05; done
  fi

  pushd "$work" >/dev/null
  if [ "$mode" = panel ]; then
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/app/qt/rcp720" --device "$device" \
      --no-splash --connect >/dev/null 2>&1 &
    prog=$!
  else
    local total=$(( (settle + seconds + 30) * 1000 ))
    printf 'post UM_REQ_AI_TOGGLE\nsleep %d\nquit\n' "$total" |
      "$build/app/qt/rcp720" --headless --device "$device" --rig-server off >/dev/null 2>&1 &
    sleep 0.2
    prog=$(pgrep -n -f "rcp720 --headless --device $device")
  fi
  popd >/dev/null

  # The panel's link-up leaves drawing threads that end after 30 s idle.
  if [ "$mode" = panel ]; then sleep $((settle + 25)); else sleep "$settle"; fi
  local hz t0 t1 wv wn rss hwm threads
  hz=$(getconf CLK_TCK)
  t0=$(ticks "$prog"); switches "$prog" >"$work/s0"
  sleep "$seconds"
  t1=$(ticks "$prog"); switches "$prog" >"$work/s1"
  read -r wv wn < <(wakeups "$work/s0" "$work/s1")
  threads=$(ls /proc/"$prog"/task | wc -l)
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$prog/status")
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$prog/status")
  kill "$prog" "$sim" $s2n 2>/dev/null || true
  wait "$prog" "$sim" $s2n 2>/dev/null || true
  [ -z "$via" ] || echo "device: $device"
  awk -v d=$((t1 - t0)) -v wv="$wv" -v wn="$wn" -v hz="$hz" -v s="$seconds" -v rss="$rss" -v hwm="$hwm" \
      -v mode="$mode" -v th="$threads" -v load="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
    printf "%-8s idle over %d s: %.2f %% of one core, %.1f wake-ups a second (%.1f sleeps + %.1f preemptions; %d threads), %.1f MB resident (peak %.1f MB); load %s\n",
      mode, s, 100 * d / hz / s, (wv + wn) / s, wv / s, wn / s, th, rss / 1024, hwm / 1024, load }'
  rm -rf "$work"
}

for mode in $modes; do
  measure "$mode"
done
