#!/usr/bin/env bash
# run.sh [win32_tests.exe [gtest options...]]: the service tests under Wine,
# in a fresh throwaway prefix that is removed afterwards. They need no display.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
exe=${1:-$root/build/win64/tests/win32/win32_tests.exe}
shift || true
if [ ! -f "$exe" ]; then
  echo "run.sh: $exe not found; build the win32_tests target first" >&2
  exit 2
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")

# shellcheck source=../../scripts/wine.sh
source "$root/scripts/wine.sh"
prefix=$root/build/wine/win32-tests.$$
ds_wine_prefix "$prefix" || { echo "run.sh: no Wine prefix" >&2; exit 2; }
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  rm -rf "$prefix"
}
trap cleanup EXIT

# The tests start in the folder of the program; the installs change the
# current directory themselves.
cd "$(dirname "$exe")"
WINEPREFIX=$prefix timeout 600 wine "$exe" --gtest_color=no "$@"
status=$?
WINEPREFIX=$prefix wineserver -w
exit $status
