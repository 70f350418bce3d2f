# Sourced: can this machine run 32-bit programs, and so the 32-bit Wine?
# Some kernels run 64-bit user programs only (IA-32 emulation off): there the
# 32-bit Wine loader fails at once with "Exec format error", and no 32-bit
# Windows program runs, setup programs included. The build, the tests and the
# demo then take the 64-bit-only way. PURVEX_NO_WIN32=1 forces that way on any
# machine, so that both ways can be tried wherever the 32-bit one works.

# True when the kernel runs a 32-bit x86 program: a minimal static ELF that
# only exits with status 0, written out and run (no tool needed).
elf32_runs() {
  [ "${PURVEX_NO_WIN32:-}" != 1 ] || return 1
  local probe
  probe=$(mktemp) || return 1
  # ELF header, one loadable segment at 0x08048000, code at its offset 0x54:
  # xor ebx,ebx; xor eax,eax; inc eax; int 0x80   (exit(0))
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\x31\xc0\x40\xcd\x80' >"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" >/dev/null 2>&1 || status=$?
  rm -f "$probe"
  return $status
}

# True when the 32-bit Wine loader itself starts here.
win32_wine_runs() {
  [ "${PURVEX_NO_WIN32:-}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
