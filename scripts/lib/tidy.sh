# Helpers of scripts/tidy: which files each build tree compiles, and how clang-tidy is
# to parse the Windows tree with the MinGW-w64 headers.

# The version of Debian's clang-tidy that the checks in .clang-tidy were chosen with;
# other versions add and change checks, and so find other things.
TIDY_VERSION=14

tidy_program() {
  if command -v "clang-tidy-$TIDY_VERSION" >/dev/null; then
    echo "clang-tidy-$TIDY_VERSION"
  else
    say "No clang-tidy-$TIDY_VERSION: using $(clang-tidy --version | grep -o 'version [0-9.]*'), whose findings may differ"
    echo clang-tidy
  fi
}

# Configures a tree (again) so that its compile_commands.json names every source as it
# stands now, files added since the last build included; nothing is built.
export_compile_commands() { # dir, cmake args...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "$@" >/dev/null || return 1
  # The texts' ids and table are made from po/ at build time: a fresh tree has them only
  # once they are made, and the sources that include them cannot be read before.
  cmake --build "$dir" --target zandro_texts_generated >/dev/null
}

# The project's C++ sources in a tree's compile_commands.json, once each: no resource
# scripts, nothing from outside the source tree (GoogleTest's own sources).
compiled_sources() { # dir
  grep -o '"file": "[^"]*"' "$1/compile_commands.json" | sed 's/^"file": "//; s/"$//' |
    grep -E '\.(cpp|cc)$' | grep "^$ROOT/" | sort -u
}

# clang-tidy arguments that make clang read the Windows tree as the MinGW-w64 g++-posix
# compiler does: its target, and its C++ and C headers in its own order. clang's own
# built-in headers stand in for GCC's (include, include-fixed), which only GCC parses.
mingw_tidy_args() {
  local dirs dir resource
  dirs=$(x86_64-w64-mingw32-g++-posix -E -x c++ - -v </dev/null 2>&1 |
         sed -n '/#include <...> search starts here:/,/End of search list/p' | sed '1d;$d')
  resource=$(clang -print-resource-dir)/include
  printf '%s\n' --extra-arg-before=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc
  for dir in $dirs; do
    dir=$(realpath -m "$dir")
    case $dir in
      */include/c++*) printf -- '--extra-arg=-isystem%s\n' "$dir" ;;
    esac
  done
  printf -- '--extra-arg=-isystem%s\n' "$resource"
  for dir in $dirs; do
    dir=$(realpath -m "$dir")
    case $dir in
      */include/c++* | /usr/lib/gcc/*/include | /usr/lib/gcc/*/include-fixed) ;;
      *) printf -- '--extra-arg=-isystem%s\n' "$dir" ;;
    esac
  done
}
