#!/usr/bin/env bash
# Installs 32-bit Wine (Debian's wine32:i386) beside the 64-bit one, so that the 32-bit
# build, the one Sharpwell ships, can run under Wine. Needs root. Prints one line that
# says what it changed; exits non-zero when 32-bit Wine could not be installed.
#
# Debian does not always serve the i386 half of its security suite, while the amd64
# libraries already installed may be at security versions. Multi-arch needs both
# architectures of a shared library at one version, so for this one apt call the
# security suite is ranked below the main suite, and every library whose two
# architectures cannot meet is named at the main suite's version for both (one step
# back from its security revision).
set -uo pipefail

have_wine32() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' &&
    [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ]
}

if have_wine32; then
  exit 0
fi
if ! "$(dirname "$0")/kernel-runs-32bit.sh"; then
  echo "32-bit Wine not installed: this machine's kernel cannot run 32-bit programs" >&2
  exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "32-bit Wine (wine32:i386) is missing; run as root to install it" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386 || exit 1
fi
apt-get update -qq >/dev/null 2>&1 || true

prefs=$(mktemp -d)
trap 'rm -rf "$prefs"' EXIT
cat >"$prefs/security-below-main.pref" <<'EOF'
Package: *
Pin: release l=Debian-Security
Pin-Priority: 90
EOF
apt_install() {
  apt-get install -y -qq --no-install-recommends --allow-downgrades \
    -o Dir::Etc::PreferencesParts="$prefs" "$@"
}

# wine64 is named in the same call: asked for alone, wine32:i386 makes apt remove it.
request=(wine64 wine32:i386)
aligned=()
for _ in 1 2 3 4 5; do
  plan=$(apt_install -s "${request[@]}" 2>&1)
  # " libfoo : Breaks: libfoo:i386 (!= 1.2+deb12u7) but 1.2+deb12u6 is to be installed"
  mismatched=$(sed -nE 's/^ +([^ :]+) : Breaks: \1:i386 .* but ([^ ]+) is to be installed$/\1=\2/p' <<<"$plan" | sort -u)
  [ -z "$mismatched" ] && break
  for pair in $mismatched; do
    request+=("${pair%%=*}:amd64=${pair#*=}" "${pair%%=*}:i386=${pair#*=}")
    aligned+=("$pair")
  done
done

if ! log=$(apt_install "${request[@]}" 2>&1) || ! have_wine32; then
  echo "32-bit Wine could not be installed; apt said:" >&2
  tail -n 15 <<<"$log" >&2
  exit 1
fi
if [ ${#aligned[@]} -gt 0 ]; then
  echo "installed 32-bit Wine (wine32:i386); set both architectures to the main suite's version: ${aligned[*]}"
else
  echo "installed 32-bit Wine (wine32:i386)"
fi
