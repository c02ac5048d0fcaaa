#!/usr/bin/env bash
# Focus latency under a headless sway on this machine, printed and never
# asserted: the time from issuing `swaymsg focus` between two windows of
# different app ids to `bindwellctl focus` printing the new one, over 20
# switches. The figure includes starting swaymsg and stamping each line, so
# it is an upper bound. The desktop suite's guest has the same figure under
# emulation (bench/vm-focus-latency.sh), where starting a program swamps it.
#   bench/focus-latency-sway.sh [BUILD_DIR]   (default build/test; needs sway, run as root)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
ctl=$build/tools/bindwellctl/bindwellctl
win=$build/tests/support/bindwell_test_window
work=$(mktemp -d); pids=()
trap 'for p in "${pids[@]}"; do kill $p 2>/dev/null; done; rm -rf $work' EXIT
export XDG_RUNTIME_DIR=$work/runtime; mkdir -m 700 $XDG_RUNTIME_DIR; chmod 755 $work; chown 65534:65534 $XDG_RUNTIME_DIR
printf 'xwayland disable\n' >$work/sway.conf
unset DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP KDE_SESSION_VERSION
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 HOME=$XDG_RUNTIME_DIR setpriv --reuid=65534 --regid=65534 --clear-groups sway -c $work/sway.conf >$work/sway.log 2>&1 & pids+=($!)
for _ in $(seq 100); do compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" >/dev/null && break; sleep 0.05; done
export SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock") WAYLAND_DISPLAY=$(compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]") QT_QPA_PLATFORM=wayland
for n in alpha beta; do mkfifo $work/$n; $win bindwell-$n $n <$work/$n 2>/dev/null & pids+=($!); exec {fd}>$work/$n; done
sleep 1.5
$ctl focus 2>/dev/null | while IFS= read -r l; do printf '%s\t%s\n' "$(date +%s%N)" "$l"; done >$work/log & pids+=($!)
sleep 1
for i in $(seq 20); do
  n=alpha; [ $((i%2)) -eq 0 ] && n=beta
  after=$(wc -l <$work/log)
  t0=$(date +%s%N); swaymsg -q "[app_id=bindwell-$n] focus"; t1=$(date +%s%N)
  for _ in $(seq 100); do s=$(awk -F'\t' -v a=$after -v app=bindwell-$n 'NR>a && $3==app {print $1; exit}' $work/log); [ -n "$s" ] && break; sleep 0.01; done
  [ -n "$s" ] && echo "$(( (s-t0)/1000 )) $(( (s-t1)/1000 ))"
  sleep 0.2
done | sort -n | awk '{a[NR]=$1; b[NR]=$2} END {printf "sway: from issuing the switch, median %.1f ms (n=%d), min %.1f max %.1f\n", a[int((NR+1)/2)]/1000, NR, a[1]/1000, a[NR]/1000}'
