#!/usr/bin/env bash
# Builds the Debian package from a build folder (cpack -G DEB) and checks it: the files in
# place, dependencies that Debian 12 has, the programs running from the unpacked package, the
# manual page naming every option of velmora-convert, the AppStream metadata valid, and no
# error from lintian.
#   scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

cmake --build "$build" > "$work/build.log" || { cat "$work/build.log"; fail "the build failed"; }
(cd "$build" && cpack -G DEB -B "$work/out" > "$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/velmora_*.deb)
[ -f "${debs[0]}" ] || fail "no velmora_*.deb built"
deb=${debs[0]}
echo "built $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$work/files"
for path in /usr/bin/velmora /usr/bin/velmora-convert /usr/share/applications/velmora.desktop \
            /usr/share/icons/hicolor/scalable/apps/velmora.svg /usr/share/man/man1/velmora.1.gz \
            /usr/share/man/man1/velmora-convert.1.gz /usr/share/velmora/Content/Orvandel.rtf \
            /usr/share/metainfo/org.velmora.Velmora.metainfo.xml /usr/share/doc/velmora/copyright; do
  grep -qx "$path" "$work/files" || fail "$path is not in the package"
done

# Every package named in Depends exists in this system's Debian release.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libx11-6 qt6-qpa-plugins; do
  grep -q "\b$lib\b" <<< "$depends" || fail "Depends lacks $lib: $depends"
done
for name in $(tr ',|' '\n\n' <<< "$depends" | sed 's/(.*//; s/ //g' | sort -u); do
  [ -n "$(apt-cache policy "$name" 2>/dev/null | grep Candidate: | grep -v '(none)')" ] ||
    fail "Depends names $name, which this Debian release does not have"
done

dpkg -x "$deb" "$work/root"
root=$work/root
[ "$("$root/usr/bin/velmora-convert" --version)" = "velmora-convert 2.0" ] || fail "velmora-convert --version"
[ "$("$root/usr/bin/velmora" --version)" = "velmora 2.0" ] || fail "velmora --version"
printf 'abc 123\n' > "$work/in.txt"
[ "$("$root/usr/bin/velmora-convert" --plain "$work/in.txt")" = "abc 123<BR>" ] || fail "velmora-convert does not convert"

# The manual page shows every option --help lists, the exit statuses and examples.
MANWIDTH=200 man -l "$root/usr/share/man/man1/velmora-convert.1.gz" 2>/dev/null | col -b > "$work/man.txt"
for option in $("$root/usr/bin/velmora-convert" --help | grep -oE -- '(^|[ [|,])--?[a-z][a-z-]*' | tr -d ' [|,' | sort -u); do
  grep -q -- "$option" "$work/man.txt" || fail "the manual page does not mention $option"
done
grep -q '^EXIT STATUS' "$work/man.txt" && grep -q '^EXAMPLES' "$work/man.txt" || fail "manual page sections"

appstreamcli validate --no-net "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml" > "$work/as.log" ||
  { cat "$work/as.log"; fail "appstreamcli validate"; }

lintian --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1 || true
if grep -q '^E:' "$work/lintian.log"; then
  cat "$work/lintian.log"
  fail "lintian reports errors"
fi
echo "package checked: $(grep -c '^W:' "$work/lintian.log" || true) lintian warnings"
