#!/usr/bin/env bash
# Idle cost of the program: link up, auto-information on, radio quiet.
# Starts qx720-sim with its meters still (its console open on a sleeping pipe), brings the link up, lets the
# program settle, then reports the CPU share of one core and the resident
# memory over the measuring window. Headless, the rig server is off (it would
# bring the link up by itself); bench/engine/rig_server_latency measures it.
#   bench/idle_cost.sh [--gui] [SECONDS]      (from the build tree's parent)
set -euo pipefail
cd "$(dirname "$0")/.."

gui=0
if [ "${1:-}" = "--gui" ]; then gui=1; shift; fi
seconds=${1:-60}
settle=12
build=${BUILD:-build}
work=$(mktemp -d)
trap 'kill $prog $sim 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/sim/tool/qx720-sim" --link "$work/qx720" --meter-period 10000000 >/dev/null < <(sleep $((settle + seconds + 60))) &
sim=$!
for _ in $(seq 100); do [ -e "$work/qx720" ] && break; sleep 0.05; done
[ -e "$work/qx720" ] || { echo "qx720-sim did not start" >&2; exit 1; }

cd "$work"
if [ $gui -eq 1 ]; then
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$OLDPWD/$build/app/qt/rcp720" --device "$work/qx720" \
    --no-splash --connect >/dev/null 2>&1 &
  prog=$!
else
  total=$(( (settle + seconds + 5) * 1000 ))
  printf 'post UM_REQ_AI_TOGGLE\nsleep %d\nquit\n' "$total" |
    "$OLDPWD/$build/app/qt/rcp720" --headless --device "$work/qx720" --rig-server off >/dev/null 2>&1 &
  prog=$!
  sleep 0.2
  prog=$(pgrep -n -f "rcp720 --headless --device $work/qx720")
fi

sleep "$settle"
ticks() { awk '{print $14 + $15}' "/proc/$prog/stat"; }
hz=$(getconf CLK_TCK)
t0=$(ticks)
sleep "$seconds"
t1=$(ticks)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$prog/status")
hwm=$(awk '/VmHWM/ {print $2}' "/proc/$prog/status")
awk -v d=$((t1 - t0)) -v hz="$hz" -v s="$seconds" -v rss="$rss" -v hwm="$hwm" -v gui=$gui 'BEGIN {
  printf "%s idle over %d s: %.2f %% of one core, %.1f MB resident (peak %.1f MB)\n",
    gui ? "panel" : "headless", s, 100 * d / hz / s, rss / 1024, hwm / 1024 }'
