# Throwaway Wine prefixes and a private X display. Sourced by ./test, ./run
# and ./bench; never touches ~/.wine.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

DS_ROOT=${DS_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
DS_WINE_TEMPLATE=$DS_ROOT/build/wine/template

# A ready prefix, made once and copied for each use: a fresh one takes
# seconds, a copy a fraction of that.
ds_wine_template() {
  if [ -f "$DS_WINE_TEMPLATE/.ready" ]; then return 0; fi
  rm -rf "$DS_WINE_TEMPLATE"
  mkdir -p "$(dirname "$DS_WINE_TEMPLATE")"
  WINEPREFIX=$DS_WINE_TEMPLATE wine wineboot -i >/dev/null 2>&1
  local reg=$DS_ROOT/build/wine/setup.reg
  # A crash must not leave a dialog waiting; without a window manager an
  # unmanaged window hides at once; the dialogs' font maps to a CJK font.
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '"Decorated"="Y"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"宋体"="WenQuanYi Micro Hei"' '"SimSun"="WenQuanYi Micro Hei"' '' \
    > "$reg"
  iconv -f UTF-8 -t UTF-16LE "$reg" | { printf '\xff\xfe'; cat; } > "$reg.utf16"
  WINEPREFIX=$DS_WINE_TEMPLATE wine regedit /S "$(WINEPREFIX=$DS_WINE_TEMPLATE winepath -w "$reg.utf16")" >/dev/null 2>&1
  WINEPREFIX=$DS_WINE_TEMPLATE wineserver -w
  touch "$DS_WINE_TEMPLATE/.ready"
}

# ds_wine_prefix DIR: a fresh copy of the template at DIR.
ds_wine_prefix() {
  ds_wine_template || return 1
  rm -rf "$1"
  mkdir -p "$(dirname "$1")"
  cp -a "$DS_WINE_TEMPLATE" "$1"
}

DS_XVFB_PID=
ds_start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    DS_XVFB_PID=$!
    local i
    for i in $(seq 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$DS_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$DS_XVFB_PID" 2>/dev/null; DS_XVFB_PID=
  done
  echo "could not start Xvfb" >&2
  return 1
}

ds_stop_display() {
  if [ -n "$DS_XVFB_PID" ]; then kill "$DS_XVFB_PID" 2>/dev/null; wait "$DS_XVFB_PID" 2>/dev/null; DS_XVFB_PID=; fi
}
