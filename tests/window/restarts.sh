# Restarts and a second name entry, as players make them. With a table of higher scores
# (no name entry opens) New Game, a drop and New Game again, twelve times over: every
# click starts a fresh game, its score back at 0 and a can falling. Then two entries
# in one run, the game killed during the second: the file holds the first name once
# and the second row without a name.
source "$(dirname "$0")/common.bash"

SETTINGS=$XDG_CONFIG_HOME/FrothwickPro/settings.ini
mkdir -p "$(dirname "$SETTINGS")"
{
    echo '[Settings]'
    for row in $(seq 10); do printf 'HighScoreName%d=TOP\nHighScore%d=9999999\n' "$row" "$row"; done
} >"$SETTINGS"
score_digits() { region $SCORE_X $SCORE_Y $SCORE_W $SCORE_H; }

start_game
screenshot 0.3
zero=$(score_digits)
for restart in $(seq 12); do
    click_on NEW
    screenshot 2.6
    [[ "$(score_digits)" == "$zero" ]] || fail "New Game number $restart did not start a fresh game"
    xdotool key --window "$WID" space
    screenshot 0.5
    [[ "$(score_digits)" != "$zero" ]] || fail "no can was dropped in game $restart"
done
kill -KILL "$GAME_PID"
grep -c '^HighScoreName[0-9]*=TOP$' "$SETTINGS" | grep -qx 10 || fail "the table changed: $(cat "$SETTINGS")"

rm "$SETTINGS"
start_game
earn_a_row
xdotool key --window "$WID" a n n a Return
sleep 2.6
xdotool key --window "$WID" space
sleep 1
click_on NEW # the second entry opens
sleep 0.5
kill -KILL "$GAME_PID"
grep -qx 'HighScore2=[1-9][0-9]*' "$SETTINGS" && [[ "$(grep -c '=ANNA$' "$SETTINGS")" == 1 ]] &&
    grep -qx 'HighScoreName[12]=' "$SETTINGS" || fail "after a kill in the second entry the file holds: $(cat "$SETTINGS")"
echo "restarts: ok"
