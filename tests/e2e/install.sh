#!/usr/bin/env bash
# Installed with cmake --install, the program starts from another folder and
# F1 finds the guide; the Debian package cpack makes holds that installation
# under /usr, stripped, with its control fields, the libraries it needs and a
# changelog whose top entry is this version.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
build=$(dirname "$(dirname "$TV_BIN")")
prefix=$E2E_TMP/prefix
cmake --build "$build" --target tv_package_docs >"$E2E_TMP/build.log" || fail "docs: $(cat "$E2E_TMP/build.log")"
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" || fail "install failed"
desktop-file-validate "$prefix/share/applications/tallyvane.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >/dev/null || fail "metainfo"

start_x
TV_BIN=$prefix/bin/tallyvane
open_scoreboards
xdotool key F1
wait_for "the help window" shown "Tallyvane Help"
help=$(window_id "Tallyvane Help")
read -r _ _ w h < <(geometry "$help")
wait_for "the guide in the help window" at_least 3000 count_dark "$help" \
    "$((w - 40))x$((h / 2))+20+$((h / 3))"
stop_tallyvane

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$E2E_TMP/pack" >"$E2E_TMP/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$E2E_TMP/cpack.log")"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$E2E_TMP/pack/tallyvane_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb among: $(ls "$E2E_TMP/pack")"
for field in Package=tallyvane Version="$version" Section=utils \
    "Maintainer=Kestrune <tallyvane@kestrune.example>"; do
    [ "$(dpkg-deb -f "$deb" "${field%%=*}")" = "${field#*=}" ] || fail "control field $field"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
! grep -qi quorvels <<<"$depends" || fail "Depends names the private library: $depends"

dpkg-deb -c "$deb" | awk '{print $6, $7, $8}' >"$E2E_TMP/contents"
for file in lib/tallyvane/tallyvane lib/tallyvane/libQuorvels.so.1 lib/tallyvane/tallyvanefeed.so \
    lib/tallyvane/tallyvanebroker.so \
    lib/tallyvane/tallyvanehelpfile.rtf share/applications/tallyvane.desktop \
    share/icons/hicolor/48x48/apps/tallyvane.png share/man/man1/tallyvane.1.gz \
    share/doc/tallyvane/copyright share/doc/tallyvane/changelog.gz; do
    grep -q "^\./usr/$file " "$E2E_TMP/contents" || fail "$file not in the package"
done
grep -qx "./usr/bin/tallyvane -> ../lib/tallyvane/tallyvane" "$E2E_TMP/contents" ||
    fail "bin/tallyvane is not a relative link into lib/tallyvane"
! grep -Ev '^\./(usr/.*)? ' "$E2E_TMP/contents" || fail "files outside /usr"
dpkg-deb -x "$deb" "$E2E_TMP/root"
zcat "$E2E_TMP/root/usr/share/doc/tallyvane/changelog.gz" | sed -n 1p | grep -qF "tallyvane ($version) " ||
    fail "packaging/changelog has no entry for $version first"
! readelf -S "$E2E_TMP/root/usr/lib/tallyvane/tallyvane" | grep -q '\.symtab' || fail "program not stripped"
echo PASS
