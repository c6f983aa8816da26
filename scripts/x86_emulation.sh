# Sourced by scripts/setup and the wine scripts: whether this machine runs
# 32-bit x86 programs, and qemu's user-mode emulation of them, through a
# binfmt_misc handler, where the kernel cannot. A handler is registered only
# where they cannot run natively, or for one run that forces emulation
# (VITALS_EMULATE_X86=1): it slows every 32-bit program on the machine.

binfmt=/proc/sys/fs/binfmt_misc
x86_handler=$binfmt/qemu-i386
qemu_i386=/usr/bin/qemu-i386-static
# 32-bit x86 ELF executables (static and dynamic), handed to the emulator
# opened once (F), so that it serves every mount namespace.
x86_rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'$qemu_i386':F'

# Runs a command as root: directly, or through sudo when it needs no password.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

# Whether a 32-bit x86 program runs here, natively or emulated: a static one
# that exits 0 (ELF header, one loadable segment, mov eax, 1; xor ebx, ebx;
# int 0x80), written to a temporary file.
x86_runs() {
  local program status
  local elf='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'
  elf+='\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  elf+='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00'
  elf+='\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
  program=$(mktemp) || return 1
  printf "$elf" >"$program" && chmod +x "$program" && "$program" 2>/dev/null
  status=$?
  rm -f "$program"
  return $status
}

x86_handler_registered() { [ -e "$x86_handler" ]; }

# Registers and enables the handler; on failure says why on standard error.
# Needs qemu-user-static, and root for binfmt_misc.
register_x86_handler() {
  [ -x "$qemu_i386" ] || { echo "qemu-user-static is not installed" >&2; return 1; }
  [ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null || { echo "registering an emulator needs root" >&2; return 1; }
  if [ ! -e "$binfmt/register" ]; then
    as_root mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
      { echo "binfmt_misc cannot be mounted on $binfmt" >&2; return 1; }
  fi
  if ! x86_handler_registered; then
    printf '%s' "$x86_rule" | as_root tee "$binfmt/register" >/dev/null ||
      { echo "binfmt_misc refused the handler qemu-i386" >&2; return 1; }
  fi
  echo 1 | as_root tee "$x86_handler" >/dev/null
}

unregister_x86_handler() {
  ! x86_handler_registered || echo -1 | as_root tee "$x86_handler" >/dev/null
}
