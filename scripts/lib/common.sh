# Shared by scripts/test, scripts/play and scripts/bench: what the project needs on a
# Debian machine, the two build trees, and a private X display.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${ZANDRO_BUILD:-$ROOT/build}
NATIVE_BUILD=$BUILD/native
WINDOWS_BUILD=$BUILD/windows

PACKAGES=(g++ cmake ninja-build googletest clang clang-tidy clang-format-14
          g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth x11-utils xdotool fonts-liberation imagemagick sox
          nsis zip unzip osslsigncode openssl gettext
          libboost-dev libssl-dev nlohmann-json3-dev
          python3-websockets)

say() { printf '%s\n' "$*" >&2; }

# Installs whatever is missing: apt-get update once, then one apt-get install.
ensure_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "Installing: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

configure_once() { # dir, cmake args...
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
}

build_native() {
  configure_once "$NATIVE_BUILD"
  cmake --build "$NATIVE_BUILD"
}

build_windows() { # [targets...]: everything when none is named
  configure_once "$WINDOWS_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake"
  if [ $# -gt 0 ]; then
    cmake --build "$WINDOWS_BUILD" --target "$@"
  else
    cmake --build "$WINDOWS_BUILD"
  fi
}

# Starts an Xvfb on a free display, exports DISPLAY and stops it when the script ends.
# XVFB_SCREEN is its size and depth (1024x768x24 unless set).
XVFB_PID=
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local display
  read -r -t 20 display <"$fifo" || { rm -f "$fifo"; say "Xvfb did not start"; return 1; }
  rm -f "$fifo"
  export DISPLAY=:$display
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# The one formatter the tree is kept with: another version may format some lines differently.
CLANG_FORMAT=clang-format-14

# Every C++ file of the tree, relative to the root.
cxx_files() {
  (cd "$ROOT" && git ls-files -- '*.cpp' '*.h' 2>/dev/null ||
     find app bench game tests toolkit tools resources -name '*.cpp' -o -name '*.h')
}

# Names the C++ files whose format differs from .clang-format; fails when there are any.
check_format() {
  local off
  off=$(cd "$ROOT" && cxx_files | xargs -P2 -n 16 sh -c '
    for f; do "$0" --dry-run -Werror "$f" >/dev/null 2>&1 || echo "$f"; done' "$CLANG_FORMAT" | sort)
  [ -z "$off" ] && return 0
  say "These files are not formatted (scripts/format fixes them):"
  printf '  %s\n' $off >&2
  return 1
}
