# Installs what building and testing need, on a fresh Debian machine.
# Sourced by ./test, ./run and ./bench.

DS_PACKAGES=(
  cmake ninja-build g++ googletest libgtest-dev python3
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 xvfb x11-utils imagemagick fonts-wqy-microhei
)

ds_install_deps() {
  local missing=() p
  for p in "${DS_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Run as root:"
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
    return 1
  fi
}
