#!/usr/bin/env bash
# An installation made with cmake --install works from any folder: the linked
# program finds its library, and the desktop files are where desktops look.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
build=$(dirname "$(dirname "$TV_BIN")")
prefix=$E2E_TMP/prefix
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" || fail "install failed"

for file in bin/tallyvane lib/tallyvane/tallyvanehelpfile.rtf \
    share/applications/tallyvane.desktop share/metainfo/org.kestrune.tallyvane.metainfo.xml \
    share/icons/hicolor/scalable/apps/tallyvane.svg; do
    [ -e "$prefix/$file" ] || fail "$file not installed"
done
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/tallyvane.png
    [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "icon $icon"
done
desktop-file-validate "$prefix/share/applications/tallyvane.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.kestrune.tallyvane.metainfo.xml" \
    >/dev/null || fail "metainfo"

start_x
TV_BIN=$prefix/bin/tallyvane
start_tallyvane bypass
wait_for "$E2E_DEADLINE" "the installed home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the installed visitor window" window_shown "Tallyvane"
wmctrl -ic "$(window_id "Tallyvane ")"
wait_for_exit
echo "PASS"
