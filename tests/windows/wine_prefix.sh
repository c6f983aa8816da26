# Sourced by the scripts that run Orbiter.exe under wine.
#   use_wine_prefix PREFIX PROGRAM LOG
# Sets up wine for the rest of the script: the prefix PREFIX (made when
# missing, and made afresh when it cannot start PROGRAM: a prefix made before
# wine32 was installed fails every 32-bit run with "could not load
# kernel32.dll, status c0000135"), the host's fonts mapped to the faces the
# Linux surface draws, and one wine server until the script exits. The probe
# run of PROGRAM writes to LOG, not a pipe, which wine's services would hold
# open. Returns 1 with a message when wine cannot be set up.

make_wine_prefix() {
  echo "creating the wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || { echo "wineboot failed or timed out" >&2; return 1; }
}

# Arial and Courier New drawn with Liberation Sans and Liberation Mono.
map_host_fonts() {
  grep -q '"Courier New"="Liberation Mono"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  local key='HKCU\Software\Wine\Fonts\Replacements'
  wine reg add "$key" /v Arial /d "Liberation Sans" /f >/dev/null 2>&1 &&
    wine reg add "$key" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1 &&
    wineserver -w || { echo "cannot map the host's fonts in $WINEPREFIX" >&2; return 1; }
}

use_wine_prefix() {
  export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  WINEPREFIX=$(realpath -m "$1")
  unset DISPLAY WAYLAND_DISPLAY
  { [ -f "$WINEPREFIX/system.reg" ] || make_wine_prefix; } && map_host_fonts || return 1
  wineserver -p 60 >/dev/null 2>&1
  trap 'wineserver -k >/dev/null 2>&1' EXIT
  mkdir -p "$(dirname "$3")"
  wine "$2" >"$3" 2>&1 </dev/null
  if grep -q c0000135 "$3"; then
    wineserver -k >/dev/null 2>&1
    make_wine_prefix && map_host_fonts || return 1
    wineserver -p 60 >/dev/null 2>&1
  fi
}
