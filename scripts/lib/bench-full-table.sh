#!/usr/bin/env bash
# scripts/bench --full-table: the full table's three figures, on an optimised build in
# a prefix at 200 % (LogPixels 192) on a 1920 x 1080 screen, medians of RUNS runs:
#
#   opening   File > Full table... to the full table shown and idle, against the classic
#             table's own start-up in the same run (target: at most 1.5 times);
#   repaint   a whole repaint of the maximised full table, frame and controls included
#             (target: at most 30 ms, so that a live resize keeps up);
#   memory    peak resident size of the game with the full table maximised, against the
#             classic table alone doing the same work: started, a round dealt and as many
#             repaints (target: at most 1.5 times). Under Wine the windows' drawing surfaces
#             are shared memory of the program itself (on Windows the compositor holds them),
#             and Wine keeps a hidden window's surface: the peak without them, the program's
#             own memory, is shown beside the figure, sampled every 50 ms.
set -euo pipefail
. "$(dirname "$0")/common.sh"

RUNS=${RUNS:-5}
ensure_packages
WINDOWS_BUILD=$BUILD/windows-release
configure_once "$WINDOWS_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release
cmake --build "$WINDOWS_BUILD" --target Zandro full_table_probe >/dev/null

export ZANDRO_WINEPREFIX=$WINDOWS_BUILD/wineprefix-bench-full
export WINEDLLOVERRIDES="mscoree,mshtml,winealsa.drv,winepulse.drv="
XVFB_SCREEN=1920x1080x24 start_xvfb
trap 'WINEPREFIX=$ZANDRO_WINEPREFIX wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
"$ROOT/cmake/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1

GAME="Z:$WINDOWS_BUILD/app/Zandro.exe"
# The game's process: the one whose command line is the game's path alone, as Wine shows it.
game_pid() {
  pgrep -n -x -f "$(printf '%s' "$GAME" | sed 's/[][\\.*^$+?(){}|]/\\&/g')"
}

# The highest resident size of process $1 less its shared memory, sampled until $2 exists.
own_peak() {
  local peak=0 key value _ rss shm nap
  # Read and wait with the shell's own builtins: a program started 20 times a second would
  # slow the game it measures.
  exec {nap}<> <(:)
  while [ ! -e "$2" ] && [ -r "/proc/$1/status" ]; do
    rss=0 shm=0
    while read -r key value _; do
      case $key in VmRSS:) rss=$value ;; RssShmem:) shm=$value ;; esac
    done <"/proc/$1/status"
    if ((shm > 0 && rss - shm > peak)); then peak=$((rss - shm)); fi
    read -r -t 0.05 -u "$nap" _ || true
  done
  exec {nap}<&-
  echo "$peak"
}

# One run: "classic_ms open_ms repaint_ms peak_kb own_peak_kb" (open "-" with --classic).
measure() {
  local line classic=- open=- repaint=- hwm pid stop own watcher
  stop=$(mktemp -u)
  own=$(mktemp)
  # Inside a virtual desktop, as a desktop with a window manager behaves: without one, Wine
  # waits about two seconds for every top-level window that hides.
  coproc PROBE { "$ROOT/cmake/wine-run" explorer /desktop=bench,1920x1080 \
    "Z:$WINDOWS_BUILD/bench/full_table_probe.exe" "$GAME" "$@"; }
  for _ in $(seq 600); do pid=$(game_pid) && break; sleep 0.05; done
  own_peak "$pid" "$stop" >"$own" &
  watcher=$!
  while read -r -t 120 -u "${PROBE[0]}" line; do
    line=${line%$'\r'}
    case $line in
      classic_ms*) classic=${line#classic_ms } ;;
      open_ms*) open=${line#open_ms } ;;
      repaint_ms*) repaint=${line#repaint_ms } ;;
      ready) break ;;
    esac
  done
  hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
  touch "$stop"
  wait "$watcher" 2>/dev/null || true
  echo "done" >&"${PROBE[1]}"
  wait "$PROBE_PID" 2>/dev/null || true
  echo "$classic $open $repaint $hwm $(cat "$own")"
  rm -f "$stop" "$own"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

say "Warming up (the first start fills the prefix and sets up a first evening)..."
measure >/dev/null
full=$(mktemp)
classic=$(mktemp)
for run in $(seq "$RUNS"); do
  say "Run $run of $RUNS"
  measure >>"$full"
  measure --classic >>"$classic"
done
col() { awk -v c="$2" '{ print $c }' "$1" | median; }
printf '\nWine %s, 200 %%, a 1920 x 1080 screen; medians of %d runs.\n' "$(wine --version)" "$RUNS"
awk -v s="$(col "$full" 1)" -v o="$(col "$full" 2)" -v r="$(col "$full" 3)" \
    -v m="$(col "$full" 4)" -v c="$(col "$classic" 4)" \
    -v ms="$(col "$full" 5)" -v cs="$(col "$classic" 5)" 'BEGIN {
  verdict = "met"
  printf "%-44s %10.1f ms\n", "classic table start-up", s
  printf "%-44s %10.1f ms  ratio %.2f  target <= 1.5  %s\n", "full table opening", o, o / s, (o / s <= 1.5) ? "met" : "MISSED"
  printf "%-44s %10.1f ms  target <= 30  %s\n", "repaint of the maximised full table", r, (r <= 30) ? "met" : "MISSED"
  printf "%-44s %10d KiB ratio %.2f  target <= 1.5  %s\n", "peak memory, full table maximised", m, m / c, (m / c <= 1.5) ? "met" : "MISSED"
  printf "%-44s %10d KiB\n", "peak memory, classic table alone", c
  printf "%-44s %10d KiB ratio %.2f  (without the windows\x27 surfaces)\n", "own memory, full table maximised", ms, ms / cs
  printf "%-44s %10d KiB\n", "own memory, classic table alone", cs
}'
printf '\nRuns with the full table (classic ms, opening ms, repaint ms, peak KiB, own peak KiB):\n'
cat "$full"
printf '\nRuns of the classic table alone (classic ms, -, repaint ms, peak KiB, own peak KiB):\n'
cat "$classic"
rm -f "$full" "$classic"
