# Playing for real, as a player starts the game: through a link, from another folder.
# It finds its own folder (start-up removes a leftover Frothwick.txt there); a window
# titled Frothwick, of the game's size, centred, shows the idle screen of
# tests/golden/idle.png pixel for pixel; the right and middle buttons press no button,
# over which the pointer is the hand, pointing with its fingertip;
# the about text opens the home page beside the program in the system's browser; New
# Game deals a board and a can falls; Space drops it and the score changes; a second
# New Game opens the high-score board, a name typed onto it and the close icon put name
# and score into settings.ini.
# Run again with FROTHWICK_SCALE=2: the same game, every pixel doubled.
source "$(dirname "$0")/common.bash"

mkdir "$WORK/game" "$WORK/bin" "$WORK/elsewhere"
cp "$GAME" "$WORK/game/frothwick"
touch "$WORK/game/Frothwick.txt"
ln -s ../game/frothwick "$WORK/bin/frothwick"
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$WORK/opened" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
GAME=../bin/frothwick
cd "$WORK/elsewhere"
PATH=$WORK/bin:$PATH start_game
[[ ! -e "$WORK/game/Frothwick.txt" ]] || fail "the Frothwick.txt beside the program is still there"
titles=$(xprop -id "$WID" _NET_WM_NAME WM_NAME)
[[ "$titles" == *'_NET_WM_NAME(UTF8_STRING) = "Frothwick"'*'WM_NAME(STRING) = "Frothwick"' ]] ||
    fail "the window's titles: $titles"
[[ "$WW" -eq $((WINDOW_W * SCALE)) && "$WH" -eq $((WINDOW_H * SCALE)) ]] || fail "window is ${WW}x${WH} at scale $SCALE"
read -r screen_width _ < <(xdotool getdisplaygeometry)
off_centre=$((2 * WX + WW - screen_width))  # twice the distance; odd sizes round
[[ ${off_centre#-} -le 1 ]] || fail "window not centred: x=$WX"
screenshot 0.5
expect_frame idle                       # exactly the frame the headless tests expect
SETTINGS=$XDG_CONFIG_HOME/FrothwickPro/settings.ini
click_on SOUND 3
click_on SOUND 2
sleep 0.5
[[ ! -e "$SETTINGS" ]] || fail "the right or middle button pressed Sound"
pointer=$("$(dirname "$1")/tests/cursor_probe") && [[ $pointer == "$((32 * SCALE))x$((32 * SCALE))" ]] ||
    fail "over Sound the pointer is not the hand pointing with its fingertip: $pointer"

click_on ABOUT                          # the text, centred, and its close button under it
sleep 0.3
click $(((FRAME_LEFT + FRAME_RIGHT) / 2)) $(((FRAME_TOP + FRAME_BOTTOM) / 2))
wait_for test -s "$WORK/opened" || fail "no browser was opened"
[[ "$(cat "$WORK/opened")" == "file://$WORK/game/index.html" ]] ||
    fail "the browser was asked for $(cat "$WORK/opened")"
click $(((FRAME_LEFT + FRAME_RIGHT) / 2)) $(((WINDOW_H + ABOUT_TEXT1_H + ABOUT_TEXT2_H) / 2))

click_on NEW
screenshot 2.6                          # after the 2 s start a can is falling
top_rows="$GRID_LEFT $GRID_TOP $((12 * CELL_W)) $((5 * CELL_H))"  # rows 0..4, where a new can falls
field_1=$(region $top_rows)
screenshot 0.4
[[ "$field_1" != "$(region $top_rows)" ]] || fail "nothing moved in the top rows: no can is falling"
drop_name_and_close
grep -qx 'HighScoreName1=ANNA' "$SETTINGS" || fail "the name is not in row 1: $(cat "$SETTINGS")"
score=$(sed -n 's/^HighScore1=//p' "$SETTINGS")
[[ "$score" =~ ^[0-9]+$ && "$score" -gt 0 ]] || fail "row 1 holds score '$score'"
grep -qx 'HighScore2=0' "$SETTINGS" || fail "row 2 is not empty"
echo "play: ok ($score)"
