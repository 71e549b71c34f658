#!/usr/bin/env bash
# A damaged settings store does not stop the start: each store below opens
# both scoreboards at once in the default red, and the options dialog opens
# over them.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
data=$(cd "$(dirname "$0")/../data/robust" && pwd)

# One store per entry, as printf formats: a byte-order mark, a line outside
# any section, words, numbers out of range, Qt's typed syntax, control bytes,
# a duplicated section, unusable pictures and a cut last line.
stores=(
    '\xef\xbb\xbfno section here\n[ColorSettings]\nPointsColor=green\nFoulsColor=-1
NumColor=99999999999\nLEDBack=@Rect(1 2 3 4)\nFormBack=0x00FF00\nBorderColor=\x01\x02\xff
[KeySettings]\nNumLockForce=keep on\n[PicSettings]\nLEDType=Dots
HomePic='"$data"'/picture/huge-declared.png\nVisitorPic=/\n[Display]\nShowPlayerName=yes
ShowPlayerNumber=\nShowPlayerFouls=2\nPlayerTotal=70000\n[Display]\nPlayerTotal=1e3\n[Display\nPlayerTo'
    '[ColorSettings]\nFormBack=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x6QColor)\n[PicSettings]\nHomePic=@ByteArray(x)\n'
)

red_at_corner() { [ "$(pixel_of "$1" 2 2)" = "#FF0000" ]; }
start_x
for store in "${stores[@]}"; do
    # shellcheck disable=SC2059 # the store is the format
    printf "$store" >"$STORE"
    open_scoreboards
    wait_for "the home panel's default red" red_at_corner "$HOME_ID"
    wait_for "the visitor panel's default red" red_at_corner "$VISITOR_ID"
    xdotool key F2
    wait_for "the options dialog" shown Options
    xdotool key Escape
    wait_for "the options dialog to close" gone Options
    running || fail "the program ended with the store: $store"
    stop_tallyvane
done
echo PASS
