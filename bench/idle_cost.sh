#!/usr/bin/env bash
# Idle cost of the program: link up, auto-information on, radio quiet.
# Starts qx720-sim with its meters still (its console open on a sleeping pipe), brings the link up, lets the
# program settle, then reports the CPU share of one core and the resident
# memory over the measuring window.
# With --ser2net raw or --ser2net rfc2217 the program reaches the radio
# through ser2net on a loopback port, as a radio at another place.
# Headless, the rig server is off (it would bring the link up by itself);
# bench/engine/rig_server_latency measures it.
#   bench/idle_cost.sh [--gui] [--ser2net raw|rfc2217] [SECONDS]      (from the build tree's parent)
set -euo pipefail
cd "$(dirname "$0")/.."

gui=0
via=""
if [ "${1:-}" = "--gui" ]; then gui=1; shift; fi
if [ "${1:-}" = "--ser2net" ]; then via=$2; shift 2; fi
seconds=${1:-60}
settle=12
build=${BUILD:-build}
work=$(mktemp -d)
prog=""
s2n=""
trap 'kill $prog $sim $s2n 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/sim/tool/qx720-sim" --link "$work/qx720" --meter-period 10000000 >/dev/null < <(sleep $((settle + seconds + 60))) &
sim=$!
for _ in $(seq 100); do [ -e "$work/qx720" ] && break; sleep 0.05; done
[ -e "$work/qx720" ] || { echo "qx720-sim did not start" >&2; exit 1; }

device="$work/qx720"
if [ -n "$via" ]; then
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

cd "$work"
if [ $gui -eq 1 ]; then
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$OLDPWD/$build/app/qt/rcp720" --device "$device" \
    --no-splash --connect >/dev/null 2>&1 &
  prog=$!
else
  total=$(( (settle + seconds + 5) * 1000 ))
  printf 'post UM_REQ_AI_TOGGLE\nsleep %d\nquit\n' "$total" |
    "$OLDPWD/$build/app/qt/rcp720" --headless --device "$device" --rig-server off >/dev/null 2>&1 &
  prog=$!
  sleep 0.2
  prog=$(pgrep -n -f "rcp720 --headless --device $device")
fi

sleep "$settle"
ticks() { awk '{print $14 + $15}' "/proc/$prog/stat"; }
hz=$(getconf CLK_TCK)
t0=$(ticks)
sleep "$seconds"
t1=$(ticks)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$prog/status")
hwm=$(awk '/VmHWM/ {print $2}' "/proc/$prog/status")
echo "device: $device"
awk -v d=$((t1 - t0)) -v hz="$hz" -v s="$seconds" -v rss="$rss" -v hwm="$hwm" -v gui=$gui 'BEGIN {
  printf "%s idle over %d s: %.2f %% of one core, %.1f MB resident (peak %.1f MB)\n",
    gui ? "panel" : "headless", s, 100 * d / hz / s, rss / 1024, hwm / 1024 }'
