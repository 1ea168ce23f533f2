#!/usr/bin/env bash
# Checks a built package: no lintian error, the expected files and control
# fields, and programs that run from the files the package holds.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:?usage: check-package.sh PACKAGE.deb}
fail() { echo "package check failed: $*" >&2; exit 1; }

# lintian: errors fail the check; warnings are shown.
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
[ -n "$lintian_out" ] && echo "$lintian_out"
if grep -q '^E: ' <<<"$lintian_out"; then fail "lintian reports errors"; fi

# The files: exactly the expected list (directories left out).
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort > /tmp/portiqa-files.$$
if ! diff -u packaging/expected-files.txt /tmp/portiqa-files.$$; then
  rm -f /tmp/portiqa-files.$$
  fail "the file list differs from packaging/expected-files.txt"
fi
rm -f /tmp/portiqa-files.$$

# The control fields.
info=$(dpkg-deb -I "$deb")
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = portiqa ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$(sed -n 's/^project(portiqa VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is $(field Architecture)"
[ "$(field Section)" = electronics ] || fail "Section is $(field Section)"
depends=$(field Depends)
for need in libqt6core6 libqt6widgets6 libqt6gui6 libxlsxwriter libminizip1 libfreexl1 libc6 libstdc++6 \
            qt6-qpa-plugins qt6-translations-l10n; do
  grep -q "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done
grep -q 'Maintainer: ' <<<"$info" || fail "no Maintainer"
grep -q 'Description: configurator for GSM relay modules' <<<"$info" || fail "no Description"

# The programs, run from the files the package holds.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
version=$(field Version)
# Each program's output is taken whole before it is searched: with pipefail,
# "prog | grep -q" fails at random when grep stops reading early and the
# program's last write meets a closed pipe (SIGPIPE).
quiet() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1; }
out=$(quiet "$root/usr/bin/portiqa-cli" --version) || fail "portiqa-cli --version exits $?"
grep -qx "portiqa-cli $version" <<<"$out" || fail "portiqa-cli --version: $out"
out=$(quiet "$root/usr/bin/portiqa-cli" --help) || fail "portiqa-cli --help exits $?"
grep -q 'Exit status' <<<"$out" || fail "portiqa-cli --help"
out=$(quiet "$root/usr/bin/portiqa" --version) || fail "portiqa --version without a display exits $?"
grep -qx "portiqa $version" <<<"$out" || fail "portiqa --version without a display: $out"
out=$(quiet "$root/usr/bin/portiqa" --help) || fail "portiqa --help without a display exits $?"
grep -q -- '--demo' <<<"$out" || fail "portiqa --help without a display"
out=$(quiet "$root/usr/bin/portiqa-sim" --version) || fail "portiqa-sim --version exits $?"
grep -qx "portiqa-sim $version" <<<"$out" || fail "portiqa-sim --version: $out"
man=$(zcat "$root/usr/share/man/man1/portiqa-cli.1.gz")
grep -q 'no\\-verify' <<<"$man" || fail "the man page lacks the options"
desktop-file-validate "$root/usr/share/applications/portiqa.desktop" 2>/dev/null || true
echo "package $deb checked"
