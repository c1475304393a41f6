#!/usr/bin/env bash
# The release check of the Debian package: a fresh Debian 12 root made with debootstrap, the
# package installed there with apt, the three programs run from another folder, and the package
# removed again. Run as root; it needs the Debian mirror and takes several minutes, so CI does
# not run it (test_install checks the installed files in a throwaway prefix on every build).
#
#   check-fresh-install.sh [ventrel_<version>_<arch>.deb]   (default: the one package.sh wrote)
#
# FRESH_ROOT=DIR uses a root already made by debootstrap instead of making one.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls ventrel_*.deb 2>/dev/null | tail -n 1)}
[[ -f $deb ]] || { echo "$0: no package; run bash scripts/package.sh first" >&2; exit 2; }
export DEBIAN_FRONTEND=noninteractive
command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap

root=${FRESH_ROOT:-}
if [[ -z $root ]]; then
  root=$(mktemp -d /tmp/ventrel-fresh.XXXXXX)
  echo "== debootstrap bookworm into $root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
fi
mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || true; done
  [[ -z ${FRESH_ROOT:-} ]] && rm -rf "$root"
  return 0
}
trap cleanup EXIT
for m in proc dev dev/pts; do
  mount --bind "/$m" "$root/$m"
  mounts+=("$root/$m")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

echo "== apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends "./tmp/$(basename "$deb")" >/dev/null
in_root dpkg-query -W ventrel

echo "== the programs, from another folder"
in_root sh -c 'mkdir -p /tmp/elsewhere && cd /tmp/elsewhere &&
  ventrel-cli analyse /usr/share/ventrel/samples/house-depress.lkd' >"$root/tmp/analyse.json"
grep -q '"point_count":7,' "$root/tmp/analyse.json" || fail "ventrel-cli analyse"
in_root sh -c 'cd /tmp/elsewhere && ventrel-cli report --customer \
  /usr/share/ventrel/samples/house-depress.lkd' | grep -q "Report Prepared For" ||
  fail "the customer report did not find its template"
in_root ventrel --version | grep -q "^ventrel 2\." || fail "ventrel --version"
status=0
in_root ventrel >/dev/null 2>"$root/tmp/nodisplay.txt" || status=$?
if [[ $status != 1 ]] || ! grep -q "needs a desktop session" "$root/tmp/nodisplay.txt"; then
  fail "ventrel without a display (status $status)"
fi
status=0
in_root env QT_QPA_PLATFORM=offscreen timeout 5 ventrel \
  /usr/share/ventrel/samples/house-depress.lkd >/dev/null 2>&1 || status=$?
[[ $status == 124 ]] || fail "ventrel with a test did not stay up (status $status)"
in_root timeout 5 ventrel-gauge-sim --interval 10 --count 1 | head -n 1 >"$root/tmp/sim.txt" || true
grep -q "^/dev/pts/" "$root/tmp/sim.txt" || fail "ventrel-gauge-sim"
for f in /usr/share/applications/ventrel.desktop /usr/share/mime/packages/ventrel-lkd.xml \
  /usr/share/icons/hicolor/scalable/apps/ventrel.svg /usr/share/ventrel/Customer.txt \
  /usr/share/man/man1/ventrel.1 /usr/share/man/man1/ventrel-cli.1 \
  /usr/share/man/man1/ventrel-gauge-sim.1; do
  [[ -f $root$f ]] || fail "$f is missing"
done

echo "== apt-get remove ventrel"
in_root apt-get remove -y -qq ventrel >/dev/null
if in_root dpkg-query -W -f='${Status}' ventrel 2>/dev/null | grep -q "install ok installed"; then
  fail "ventrel is still installed"
fi
left=$(cd "$root" && ls -d usr/bin/ventrel* usr/share/ventrel 2>/dev/null || true)
[[ -z $left ]] || fail "left behind: $left"
echo "fresh install: all checks passed"
