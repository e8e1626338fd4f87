# Sourced by the scripts that run Windows programs under Wine.
#
# Debian's `wine` starts the 32-bit loader whenever wine32:i386 is installed, also for
# a 64-bit program, which that loader hands on to the 64-bit one. On a machine whose
# kernel cannot run 32-bit Linux programs (no IA-32 emulation) the 32-bit loader fails
# at once with "Exec format error", and with it every Wine command. There `wine` and
# `wineboot` below start the 64-bit loader directly, as Debian's `wine` does when
# wine32:i386 is missing; 64-bit programs run, 32-bit ones cannot.

# True when 32-bit Wine is installed and this machine can run it.
wine32_runs() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Why 32-bit programs cannot run under Wine here (one line), or nothing when they can.
wine32_missing_reason() {
  if ! "$(dirname "${BASH_SOURCE[0]}")/kernel-runs-32bit.sh"; then
    echo "this machine's kernel cannot run 32-bit programs"
  elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    echo "32-bit Wine (Debian package wine32:i386) is not installed"
  elif ! wine32_runs; then
    echo "32-bit Wine is installed but does not start"
  fi
}

if [ -x /usr/lib/wine/wine64 ] && ! wine32_runs; then
  export WINELOADER=/usr/lib/wine/wine64
  wine() { /usr/lib/wine/wine64 "$@"; }
else
  wine() { command wine "$@"; }
fi
wineboot() { wine wineboot "$@"; }
export -f wine32_runs wine wineboot
