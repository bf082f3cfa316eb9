#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a Linux desktop and a user find
# there: the validators accept the desktop entry and the metainfo, the MIME package claims the
# project container by its signature, the icons have their sizes, the man page and the
# completion are in place, and the installed programs run from the prefix alone.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() {
    echo "FEHLER: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log"
    fail "cmake --install"
}

for f in bin/zephan bin/zephan-cli bin/zephan-druck \
    share/applications/de.zephan.Zephan.desktop \
    share/metainfo/de.zephan.Zephan.metainfo.xml \
    share/mime/packages/zephan-projekt.xml \
    share/icons/hicolor/scalable/apps/zephan.svg \
    share/icons/hicolor/48x48/apps/zephan.png \
    share/icons/hicolor/128x128/apps/zephan.png \
    share/zephan/Beispiel.pro \
    share/man/man1/zephan-cli.1 \
    share/bash-completion/completions/zephan-cli \
    share/doc/zephan/handbuch.md share/doc/zephan/zephan-1280x800.png; do
    [ -s "$prefix/$f" ] || fail "$f fehlt in der Installation"
done
# Nothing of the build (tests, benchmarks, tools, static libraries) goes along.
extra=$(cd "$prefix" && find . -type f | grep -v -E '^\./(bin/zephan(-cli|-druck)?|share/.*)$' || true)
[ -z "$extra" ] || fail "unerwartete Dateien: $extra"

desktop-file-validate "$prefix/share/applications/de.zephan.Zephan.desktop"
grep -qx 'Exec=zephan %f' "$prefix/share/applications/de.zephan.Zephan.desktop" || fail "Exec"
grep -qx 'MimeType=application/x-zephan-projekt;' \
    "$prefix/share/applications/de.zephan.Zephan.desktop" || fail "MimeType"
appstreamcli validate --no-net "$prefix/share/metainfo/de.zephan.Zephan.metainfo.xml"

# PNG width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }
for size in 48 128; do
    got=$(png_size "$prefix/share/icons/hicolor/${size}x${size}/apps/zephan.png")
    [ "$got" = "${size}x${size}" ] || fail "Symbol ${size}x${size} ist $got"
done

# The MIME package compiles, and its magic is the container's signature.
update-mime-database "$prefix/share/mime" >/dev/null
grep -q 'application/x-zephan-projekt:\*\.pro' "$prefix/share/mime/globs2" || fail "globs2"
grep -a -q 'dazava' "$prefix/share/mime/magic" || fail "magic"
head -c 6 "$prefix/share/zephan/Beispiel.pro" | grep -q '^dazava$' || fail "Beispiel ohne Signatur"

# The installed tool, from an empty home and another folder, on the installed example.
mkdir -p "$work/home" "$work/anderswo"
cd "$work/anderswo"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
"$prefix/bin/zephan-cli" pressure "$prefix/share/zephan/Beispiel.pro" >"$work/druck.tsv"
"$build/zephan-cli" pressure "$prefix/share/zephan/Beispiel.pro" >"$work/druck-build.tsv"
cmp "$work/druck.tsv" "$work/druck-build.tsv" || fail "installiertes zephan-cli rechnet anders"
grep -q -P '^line\t1\tZuluft: 1 Beispiel\t' "$work/druck.tsv" || fail "pressure: kein Strang 1"
grep -q -P '^line\t2\tAbluft: 2 Beispiel\t' "$work/druck.tsv" || fail "pressure: kein Strang 2"

# The man page names every command, the completion offers them.
man="$prefix/share/man/man1/zephan-cli.1"
for cmd in pressure tree suggest plan help; do
    grep -qF -- "zephan\\-cli $cmd " "$man" || fail "man: Aufruf von $cmd fehlt"
done
grep -q -- '^zephan-cli \\- Luftkanalnetze ohne Fenster berechnen' "$man" || fail "man: NAME"
grep -qF -- '\-\-tabelle' "$man" || fail "man: Optionen fehlen"
grep -q 'Strömungsgeräusch' "$man" || fail "man: Umlaute verloren"
completion=$(PATH="$prefix/bin:$PATH" bash -c '
    shopt -s extglob
    source "$1"
    COMP_WORDS=(zephan-cli pre); COMP_CWORD=1; _zephan_cli; echo "${COMPREPLY[*]}"
    COMP_WORDS=(zephan-cli pressure x.pro --tar); COMP_CWORD=3; _zephan_cli; echo "${COMPREPLY[*]}"
' _ "$prefix/share/bash-completion/completions/zephan-cli")
[ "$completion" = $'pressure\n--target' ] || fail "Vervollständigung: $completion"

# The installed desktop program starts from the prefix and opens the example.
QT_QPA_PLATFORM=offscreen "$prefix/bin/zephan" --screenshot "$work/bild.png" \
    "$prefix/share/zephan/Beispiel.pro" || fail "zephan startet nicht"
[ "$(png_size "$work/bild.png")" = "1200x760" ] || fail "Bildschirmfoto $(png_size "$work/bild.png")"
echo "Installation in Ordnung"
