#!/bin/bash
# Start-up time of the desktop program against an empty Qt window, from exec to the main window
# being mapped (visible), not merely created. Both programs start alternately on a private Xvfb
# display, RUNS times each; the medians in milliseconds are printed.
#   bench/measure_startup.sh [BUILD_DIR] [RUNS]      (defaults: build, 7)
# Needs Xvfb and xdotool (scripts/install-deps.sh installs them).
set -euo pipefail
build=${1:-build}
runs=${2:-7}
program=$build/bin/tabulon
empty=$build/bench/empty_window
for exe in "$program" "$empty"; do
  [ -x "$exe" ] || { echo "$exe fehlt: zuerst bauen" >&2; exit 1; }
done
command -v xdotool >/dev/null || { echo "xdotool fehlt (scripts/install-deps.sh)" >&2; exit 1; }

home=$(mktemp -d)
xvfb=
trap '[ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$home"' EXIT
# A display of our own: the first free number from 100 on whose server accepts clients.
for ((n = 100; n < 200; n++)); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  until DISPLAY=:$n xdotool getmouselocation >/dev/null 2>&1; do
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 $xvfb 2>/dev/null; then
    display=:$n
    break
  fi
done
[ -n "${display:-}" ] || { echo "kein freier X-Bildschirm" >&2; exit 1; }

# One start: milliseconds from exec until a visible window with TITLE in its name exists.
measure() {
  local title=$1
  shift
  local start end pid
  start=$(date +%s%N)
  HOME=$home DISPLAY=$display QT_QPA_PLATFORM=xcb "$@" >/dev/null 2>"$home/stderr" &
  pid=$!
  until DISPLAY=$display xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null || (($(date +%s%N) - start > 30000000000)); then
      echo "$* zeigte kein Fenster \"$title\":" >&2
      cat "$home/stderr" >&2
      kill "$pid" 2>/dev/null
      exit 1
    fi
    sleep 0.002
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A first start of each, not counted: it writes the program's missing files and warms the caches.
measure Varnland "$program" >/dev/null
measure "Leeres Fenster" "$empty" >/dev/null
program_times=()
empty_times=()
for ((i = 0; i < runs; i++)); do
  program_times+=("$(measure Varnland "$program")")
  empty_times+=("$(measure "Leeres Fenster" "$empty")")
done
p=$(printf '%s\n' "${program_times[@]}" | median)
e=$(printf '%s\n' "${empty_times[@]}" | median)
echo "tabulon:      ${program_times[*]} ms, Median $p ms"
echo "empty_window: ${empty_times[*]} ms, Median $e ms"
awk -v p="$p" -v e="$e" 'BEGIN { printf "Verhältnis: %.2f\n", p / e }'
