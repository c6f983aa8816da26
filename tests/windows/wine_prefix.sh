# Sourced by the scripts that run Windows programs under wine.
#
#   use_wine_prefix PREFIX ARCH
# Sets wine up, for the rest of the script, to run ARCH's programs (x86 or
# x64): the prefix PREFIX (made when missing, and made afresh when it cannot
# serve ARCH), the host's fonts mapped to the faces the Linux surface draws,
# one wine server until the script exits, and for x86, where 32-bit programs
# cannot run natively or VITALS_EMULATE_X86 is set, their emulation until
# then. Returns 1 with a message when wine cannot be set up; 77 after a line
# "SKIP: why" when ARCH's programs cannot run here.
#
#   run_wine ARCH PROGRAM ARGS...
# Runs PROGRAM under wine's own loader for ARCH, never /usr/bin/wine, which
# starts the 32-bit loader whenever wine32 is installed. Where 32-bit
# programs are emulated, each of them starts slowly: all but the 32-bit
# programs under test (making the prefix, editing its registry) are 64-bit.
#
#   wine_loader ARCH
# That loader's file, for commands such as timeout.
#
#   wine_arch FILE
# The architecture of a Windows executable, x86 or x64.
#
#   wine_done
# Ends what use_wine_prefix started; its EXIT trap, for a script that sets
# its own trap to call.

. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/x86_emulation.sh"

wine_loader() {
  case $1 in
    x86) echo /usr/lib/wine/wine ;;
    x64) echo /usr/lib/wine/wine64 ;;
    *) echo "no wine loader for architecture '$1'" >&2; return 2 ;;
  esac
}

run_wine() {
  local loader
  loader=$(wine_loader "$1") || return 2
  shift
  "$loader" "$@"
}

# The machine field of the PE header.
wine_arch() {
  local header machine
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null) || return 1
  machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case $machine in
    014c) echo x86 ;;
    8664) echo x64 ;;
    *) echo "$1: not a 32-bit or 64-bit x86 Windows executable" >&2; return 1 ;;
  esac
}

# Whether this prefix serves ARCH: 32-bit programs need the 32-bit system
# files, which wine installs only when wine32 is there as the prefix is made
# (without them every 32-bit run fails: "could not load kernel32.dll, status c0000135").
prefix_serves() {
  [ -f "$WINEPREFIX/system.reg" ] && { [ "$1" = x64 ] || [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }
}

make_wine_prefix() {
  echo "creating the wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  timeout 900 "$(wine_loader x64)" wineboot -i </dev/null >/dev/null 2>&1 && wineserver -w ||
    { echo "wineboot failed or timed out" >&2; return 1; }
}

# Arial and Courier New drawn with Liberation Sans and Liberation Mono.
map_host_fonts() {
  grep -q '"Courier New"="Liberation Mono"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  local key='HKCU\Software\Wine\Fonts\Replacements'
  run_wine x64 reg add "$key" /v Arial /d "Liberation Sans" /f >/dev/null 2>&1 &&
    run_wine x64 reg add "$key" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1 &&
    wineserver -w || { echo "cannot map the host's fonts in $WINEPREFIX" >&2; return 1; }
}

# 32-bit programs: run natively, or emulated by a handler registered before,
# or by one registered now until wine_done. 77 with the reason when neither.
x86_ready() {
  local why
  [ -x "$(wine_loader x86)" ] || { echo "SKIP: wine32 is not installed"; return 77; }
  if x86_handler_registered || { [ -z "${VITALS_EMULATE_X86:-}" ] && x86_runs; }; then return 0; fi
  why=$(register_x86_handler 2>&1) || {
    echo "SKIP: 32-bit x86 programs cannot run here, and cannot be emulated: $why"
    return 77
  }
  x86_emulated_here=1
  echo "32-bit x86 programs emulated for this run (qemu-i386-static)"
}

wine_done() {
  wineserver -k >/dev/null 2>&1
  if [ -n "${x86_emulated_here:-}" ]; then
    wineserver -w >/dev/null 2>&1
    unregister_x86_handler
    x86_emulated_here=
  fi
}

use_wine_prefix() {
  export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  WINEPREFIX=$(realpath -m "$1")
  unset DISPLAY WAYLAND_DISPLAY
  [ -x "$(wine_loader x64)" ] || { echo "SKIP: wine64 is not installed"; return 77; }
  trap wine_done EXIT
  if [ "$2" = x86 ]; then x86_ready || return; fi
  { prefix_serves "$2" || make_wine_prefix; } && map_host_fonts || return 1
  prefix_serves "$2" || { echo "the wine prefix $WINEPREFIX cannot run $2 programs" >&2; return 1; }
  wineserver -p 60 >/dev/null 2>&1
}
