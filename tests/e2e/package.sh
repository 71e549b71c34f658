#!/usr/bin/env bash
# The Debian package made by cpack: its control fields, its dependencies as
# dpkg-shlibdeps works them out (the private libQuorvels is not one of them),
# its files under /usr with the changelog of this version, and the program
# unpacked from it starts.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
build=$(dirname "$(dirname "$TV_BIN")")
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$E2E_TMP/pack" >"$E2E_TMP/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$E2E_TMP/cpack.log")"
debs=("$E2E_TMP"/pack/tallyvane_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "no single tallyvane_*.deb: ${debs[*]}"
fi
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ "$(basename "$deb")" = "tallyvane_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "file name $(basename "$deb") for version $version"
for expected in "Package=tallyvane" "Version=$version" "Section=utils" "Priority=optional" \
    "Maintainer=Kestrune <tallyvane@kestrune.example>" \
    "Description=scoreboard for the player statistics of two teams"; do
    [ "$(field "${expected%%=*}" | sed -n 1p)" = "${expected#*=}" ] ||
        fail "control field $expected"
done
depends=$(field Depends)
for package in fonts-liberation libc6 libqt6core6 libqt6gui6 libqt6widgets6 libx11-6; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
! grep -qi quorvels <<<"$depends" || fail "Depends names the private library: $depends"

# One line per entry: its path, and for a link " -> " and the target.
dpkg-deb -c "$deb" | awk '{$1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print}' >"$E2E_TMP/contents"
for file in ./usr/lib/tallyvane/tallyvane ./usr/lib/tallyvane/libQuorvels.so.1 \
    ./usr/lib/tallyvane/tallyvanehelpfile.rtf ./usr/share/applications/tallyvane.desktop \
    ./usr/share/metainfo/org.kestrune.tallyvane.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/tallyvane.svg \
    ./usr/share/icons/hicolor/16x16/apps/tallyvane.png \
    ./usr/share/icons/hicolor/256x256/apps/tallyvane.png ./usr/share/man/man1/tallyvane.1.gz \
    ./usr/share/doc/tallyvane/copyright ./usr/share/doc/tallyvane/changelog.gz; do
    sed 's/ -> .*//' "$E2E_TMP/contents" | grep -qxF "$file" || fail "$file not in the package"
done
grep -qx "./usr/bin/tallyvane -> ../lib/tallyvane/tallyvane" "$E2E_TMP/contents" ||
    fail "bin/tallyvane is not a relative link into lib/tallyvane"
! grep -Ev '^\./(usr/.*)?$' "$E2E_TMP/contents" || fail "files outside /usr"

dpkg-deb -x "$deb" "$E2E_TMP/root"
# Debian's tools take the version from the changelog's top entry as well.
zcat "$E2E_TMP/root/usr/share/doc/tallyvane/changelog.gz" | sed -n 1p |
    grep -qF "tallyvane ($version) " || fail "packaging/changelog has no entry for $version first"

# Unpacked anywhere, the stripped program still finds its library and runs.
! readelf -S "$E2E_TMP/root/usr/lib/tallyvane/tallyvane" | grep -q '\.symtab' ||
    fail "program not stripped"
start_x
TV_BIN=$E2E_TMP/root/usr/bin/tallyvane
start_tallyvane bypass
wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
wmctrl -ic "$(window_id "Tallyvane ")"
wait_for_exit
echo "PASS"
