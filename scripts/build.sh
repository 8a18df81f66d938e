# The three builds: native (core and its unit tests), 64-bit Windows (the
# program and the tests that run under Wine), 32-bit Windows (the release).
# Sourced by ./test, ./run and ./bench.

DS_TARGET=${DS_TARGET:-all}

ds_cmake() {  # dir extra-args...
  local dir=$1; shift
  if [ ! -f "$DS_ROOT/$dir/build.ninja" ]; then
    cmake -S "$DS_ROOT" -B "$DS_ROOT/$dir" -G Ninja "$@" >/dev/null || return 1
  fi
  cmake --build "$DS_ROOT/$dir" -j2 --target "$DS_TARGET" | grep -vE '^\[[0-9]+/[0-9]+\] '
  return "${PIPESTATUS[0]}"
}

ds_build_win64() { ds_cmake build/win64 -DCMAKE_TOOLCHAIN_FILE="$DS_ROOT/cmake/mingw-x86_64.cmake"; }
ds_build_win32() { ds_cmake build/win32 -DCMAKE_TOOLCHAIN_FILE="$DS_ROOT/cmake/mingw-i686.cmake" -DDS_BUILD_TESTS=OFF; }

# Just the program, for ./run.
ds_build_program() { DS_TARGET=DriverSetup ds_build_win64; }

ds_build_all() {
  echo "== build: native" && ds_cmake build/native &&
  echo "== build: win64" && ds_build_win64 &&
  echo "== build: win32" && ds_build_win32
}
