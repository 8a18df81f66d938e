#!/usr/bin/env bash
# run.sh BUILD_DIR [gtest arguments...]
#
# Runs the end-to-end tests against BUILD_DIR/DriverSetup.exe in a fresh Wine
# prefix on a private X display. Builds nothing. The test program is
# BUILD_DIR/tests/e2e/e2e_tests.exe unless E2E_TESTS names another one.
# Exits non-zero when a test fails or the run cannot be set up.
set -u

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [gtest arguments...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd) || exit 2
shift

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
program=$build/DriverSetup.exe
tests=${E2E_TESTS:-$build/tests/e2e/e2e_tests.exe}
for f in "$program" "$tests"; do
  if [ ! -f "$f" ]; then echo "missing: $f" >&2; exit 2; fi
done

# shellcheck source=../../scripts/wine.sh
. "$root/scripts/wine.sh"

work=$root/build/e2e-run.$$
prefix=$work/prefix
package=$work/package

cleanup() {
  if [ -d "$prefix" ]; then WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1; fi
  ds_stop_display
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$work"
ds_wine_prefix "$prefix" || { echo "could not make a Wine prefix" >&2; exit 1; }
"$root/scripts/make-package.sh" "$package" || exit 1
ds_start_display || exit 1

export WINEPREFIX=$prefix
DS_PROGRAM=$(winepath -w "$program" 2>/dev/null) || exit 1
DS_PACKAGE=$(winepath -w "$package" 2>/dev/null) || exit 1
export DS_PROGRAM DS_PACKAGE

wine "$tests" "$@"
exit $?
