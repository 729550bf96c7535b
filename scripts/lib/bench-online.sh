#!/usr/bin/env bash
# scripts/bench --online: from one window's STOP to the other window showing it, at an
# online table on 127.0.0.1 under Wine (target: p95 at most 100 ms). Two optimised games,
# each in a Wine prefix of its own, sit at a table of an optimised zandro-server over TLS
# with two computer seats, as in online_table_tests (tests/e2e/online-table-test), and
# each person stands in every round (STOPS rounds). Each side notes the machine's clock
# when its STOP is pressed; the other side watches, a look every millisecond from a thread
# of its own, the text of that person's hand line in its own window (the line the window
# draws: its text changes in the same pass that marks the place to be painted again) and
# notes the moment it first says they stand. Prints both directions: the stops seen, p50,
# p95 and max, with the load average before and after.
#
#   STOPS  rounds, so stops of each person (default 40)
set -euo pipefail
. "$(dirname "$0")/common.sh"

STOPS=${STOPS:-40}
ensure_packages
NATIVE_RELEASE=$BUILD/native-release
configure_once "$NATIVE_RELEASE" -DCMAKE_BUILD_TYPE=Release -DZANDRO_SANITIZE=OFF
cmake --build "$NATIVE_RELEASE" --target zandro-server >/dev/null
WINDOWS_BUILD=$BUILD/windows-release
configure_once "$WINDOWS_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release
cmake --build "$WINDOWS_BUILD" --target Zandro online_table_tests >/dev/null

export WINEDLLOVERRIDES="mscoree,mshtml,winealsa.drv,winepulse.drv="
start_xvfb
trap stop_xvfb EXIT

echo "online STOP to the other window, $STOPS rounds, $(date -u '+%Y-%m-%d %H:%M UTC')," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
ZANDRO_ONLINE_TURNS=$STOPS "$ROOT/tests/e2e/online-table-test" "$NATIVE_RELEASE/server/zandro-server" \
  "$ROOT/cmake/wine-run" "$WINDOWS_BUILD/tests/e2e/online_table_tests.exe" >"$WINDOWS_BUILD/bench-online.log" 2>&1 ||
  { cat "$WINDOWS_BUILD/bench-online.log"; say "the evening failed"; exit 1; }
sed -n 's/^\[[a-z]*\] stop to repaint, //p' "$WINDOWS_BUILD/bench-online.log"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
