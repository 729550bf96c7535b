#!/usr/bin/env bash
# scripts/bench --server: TABLES tables of four seats, each a bot connection over TLS on
# 127.0.0.1 playing a second after its turn comes, against an optimised zandro-server
# (its own tree, without the sanitizers) that stores every table in a state folder as in
# use. Prints the connections, the rounds a second, the p50 and p99 time from an action
# to every seat's update, the server's peak resident memory and per table, and its
# processor time over the measured window.
#
#   TABLES   tables (default 1000: 4,000 connections)
#   MEASURE_SECONDS  the measured window (default 60), after WARM_UP seconds (default: enough to
#                    open every table, at 200 a second, and 20 more)
set -euo pipefail
. "$(dirname "$0")/common.sh"

TABLES=${TABLES:-1000}
SECONDS_MEASURED=${MEASURE_SECONDS:-60}
WARM_UP=${WARM_UP:-$(( TABLES / 200 + 20 ))}
ensure_packages
RELEASE=$BUILD/native-release
configure_once "$RELEASE" -DCMAKE_BUILD_TYPE=Release -DZANDRO_SANITIZE=OFF
cmake --build "$RELEASE" --target zandro-server zandro-table-load >/dev/null

# Two sockets a connection (the bot's and the server's), and some to spare.
ulimit -n "$(ulimit -Hn)"
WORK=$(mktemp -d)
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout "$WORK/key.pem" \
  -out "$WORK/cert.pem" -days 2 -subj /CN=bench -addext subjectAltName=IP:127.0.0.1 2>/dev/null
"$RELEASE/server/zandro-server" --port 0 --bind 127.0.0.1 --public-host 127.0.0.1 \
  --cert "$WORK/cert.pem" --key "$WORK/key.pem" --state "$WORK/state" >"$WORK/server.out" 2>"$WORK/server.err" &
SERVER=$!
trap 'kill "$SERVER" 2>/dev/null; wait "$SERVER" 2>/dev/null; rm -rf "$WORK"' EXIT
for _ in $(seq 100); do grep -q 'zandro-server at' "$WORK/server.out" && break; sleep 0.1; done
LINE=$(cat "$WORK/server.out")
PORT=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' <<<"$LINE")
PIN=$(sed -n 's/.*sha256=\([0-9A-F]*\).*/\1/p' <<<"$LINE")

echo "zandro-server: $TABLES tables of 4 bots over TLS on 127.0.0.1, $(date -u '+%Y-%m-%d %H:%M UTC')"
"$RELEASE/tools/table-client/zandro-table-load" --server "wss://127.0.0.1:$PORT" --pin "$PIN" \
  --tables "$TABLES" --seconds "$SECONDS_MEASURED" --warm-up "$WARM_UP" --server-pid "$SERVER"
