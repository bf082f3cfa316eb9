#!/usr/bin/env bash
# Builds the Debian package and checks its contents and its dependencies.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FEHLER: $*" >&2
    exit 1
}
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log"
    fail "cpack"
}
deb=$(ls "$work"/zephan_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/inhalt"
for f in usr/bin/zephan usr/bin/zephan-cli usr/bin/zephan-druck \
    usr/share/applications/de.zephan.Zephan.desktop \
    usr/share/metainfo/de.zephan.Zephan.metainfo.xml \
    usr/share/mime/packages/zephan-projekt.xml \
    usr/share/icons/hicolor/scalable/apps/zephan.svg \
    usr/share/icons/hicolor/48x48/apps/zephan.png \
    usr/share/icons/hicolor/128x128/apps/zephan.png \
    usr/share/zephan/Beispiel.pro \
    usr/share/man/man1/zephan-cli.1 \
    usr/share/bash-completion/completions/zephan-cli \
    usr/share/doc/zephan/handbuch.md; do
    grep -qx "$f" "$work/inhalt" || fail "$f fehlt im Paket"
done
# The dependencies come from the shared libraries the programs link.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6widgets6 libqt6svg6 libqrencode4 libc6; do
    echo "$depends" | grep -q "$lib" || fail "Depends ohne $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = zephan ] || fail "Paketname"
echo "Paket in Ordnung: $(basename "$deb")"
