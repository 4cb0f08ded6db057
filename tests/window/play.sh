# Playing for real: a 599 × 436 window named Frothwick, centred, showing the idle
# screen of tests/golden/idle.png pixel for pixel; New Game deals a board and a can falls;
# Space drops it and the score changes; a second New Game opens the high-score board,
# a name typed onto it and the close icon put name and score into settings.ini.
# Run again with FROTHWICK_SCALE=2: the same game, every pixel doubled.
source "$(dirname "$0")/common.bash"

start_game
[[ "$WW" -eq $((599 * SCALE)) && "$WH" -eq $((436 * SCALE)) ]] || fail "window is ${WW}x${WH} at scale $SCALE"
read -r screen_width _ < <(xdotool getdisplaygeometry)
off_centre=$((2 * WX + WW - screen_width))  # twice the distance; odd sizes round
[[ ${off_centre#-} -le 1 ]] || fail "window not centred: x=$WX"
screenshot 0.5
expect_frame idle                       # exactly the frame the headless tests expect

click 486 192                           # New Game
screenshot 2.6                          # after the 2 s start a can is falling
field_1=$(region 17 80 384 100)         # rows 0..4, where a new can falls
screenshot 0.4
[[ "$field_1" != "$(region 17 80 384 100)" ]] || fail "nothing moved in the top rows: no can is falling"
drop_name_and_close
SETTINGS=$XDG_CONFIG_HOME/FrothwickPro/settings.ini
grep -qx 'HighScoreName1=ANNA' "$SETTINGS" || fail "the name is not in row 1: $(cat "$SETTINGS")"
score=$(sed -n 's/^HighScore1=//p' "$SETTINGS")
[[ "$score" =~ ^[0-9]+$ && "$score" -gt 0 ]] || fail "row 1 holds score '$score'"
grep -qx 'HighScore2=0' "$SETTINGS" || fail "row 2 is not empty"
echo "play: ok ($score)"
