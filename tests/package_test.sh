#!/usr/bin/env bash
# Builds the Debian package from a finished build folder with cpack and checks what a user
# would get: the files it installs, its fields (the dependencies dpkg-shlibdeps found), the
# desktop entry, the icons, the manual pages and the copyright file.
# Usage: package_test.sh BUILD_FOLDER TARVIK_PROGRAM LICENSE
set -uo pipefail

build="$1"
tarvik="$2"
license="$3"
work="$(cd "$build" && pwd)/package_test"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The package is made from what is built. cpack must not start a build while other tests run
# the programs: a Makefile build tree would make its preinstall target first, Ninja has none.
if ! (cd "$build" && cpack -G DEB -B "$work" -D CPACK_CMAKE_GENERATOR=Ninja) >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi

version="$("$tarvik" --version | awk '{ print $2 }')"
arch="$(dpkg --print-architecture)"
deb="$work/tarvik_${version}_${arch}.deb"
if [ ! -f "$deb" ]; then
    echo "FAIL: no tarvik_${version}_${arch}.deb; cpack made:" >&2
    ls "$work" >&2
    exit 1
fi

# Contents.
listing="$(dpkg-deb -c "$deb" | awk '{ print $6 }')"
icons=usr/share/icons/hicolor
sizes=(16 22 24 32 48 64 128 256)
expected=(usr/bin/tarvik usr/bin/quenmar usr/share/applications/tarvik.desktop
          $icons/scalable/apps/tarvik.svg
          usr/share/man/man1/tarvik.1.gz usr/share/man/man1/quenmar.1.gz
          usr/share/doc/tarvik/copyright usr/share/doc/tarvik/README.md)
for size in "${sizes[@]}"; do
    expected+=("$icons/${size}x${size}/apps/tarvik.png")
done
for path in "${expected[@]}"; do
    grep -qxF "./$path" <<<"$listing" || fail "the package does not hold /$path"
done

# Fields.
[ "$(dpkg-deb -f "$deb" Package)" = tarvik ] || fail "Package is not tarvik"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    fail "Version $(dpkg-deb -f "$deb" Version) is not the program's $version"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libpng16-16 libc6; do
    grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# What the files say.
root="$work/root"
dpkg-deb -x "$deb" "$root"
entry="$root/usr/share/applications/tarvik.desktop"
if [ -f "$entry" ]; then
    report="$(desktop-file-validate "$entry" 2>&1)" || fail "desktop-file-validate refuses the entry"
    [ -z "$report" ] || fail "desktop-file-validate: $report"
fi
for size in "${sizes[@]}"; do
    icon="$root/$icons/${size}x${size}/apps/tarvik.png"
    [ ! -f "$icon" ] || file "$icon" | grep -q "PNG image data, $size x $size," ||
        fail "$(file "$icon")"
done
for page in tarvik quenmar; do
    packed="$root/usr/share/man/man1/$page.1.gz"
    [ -f "$packed" ] || continue
    warnings="$(gzip -dc "$packed" | groff -man -ww -z 2>&1)"
    [ -z "$warnings" ] || fail "groff on $page(1): $warnings"
done
copyright="$root/usr/share/doc/tarvik/copyright"
if [ -f "$copyright" ]; then
    head -n 1 "$copyright" |
        grep -qxF "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
        fail "the copyright file is not in Debian's format"
    holder="$(sed -n 's/^Copyright (c) //p' "$license")"
    grep -qxF "Copyright: $holder" "$copyright" || fail "the copyright file does not name $holder"
    # The licence's terms, every line, after the "License:" field's first line.
    terms="$(sed -n '/^Copyright (c)/,$p' "$license" | tail -n +2 | sed '/./,$!d')"
    carried="$(sed -n '/^License: /,$p' "$copyright" | tail -n +2 | sed 's/^ //; s/^\.$//')"
    [ "$terms" = "$carried" ] || fail "the copyright file does not carry the licence's terms"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures checks of $(basename "$deb") failed" >&2
    exit 1
fi
echo "$(basename "$deb"): $(grep -c . <<<"$listing") entries, Depends: $depends"
