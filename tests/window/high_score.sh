# A high score for real: play a little, start a new game, type a name on the board,
# close with the close icon, and find the name and the score in settings.ini.
source "$(dirname "$0")/common.bash"

start_game
click 486 192                           # New Game
sleep 2.6
keys space                              # drop the first can: a score above 0
sleep 1
click 486 192                           # New Game again: the score earns row 1
sleep 0.5
keys a n n Shift+a Return               # typed straight onto the board
sleep 0.5
click 574 24                            # the close icon
timeout 10 tail --pid="$GAME_PID" -f /dev/null || fail "the program did not end"
wait "$GAME_PID" || fail "the program ended with an error"

SETTINGS=$XDG_CONFIG_HOME/FrothwickPro/settings.ini
[[ -f "$SETTINGS" ]] || fail "no settings file was written"
grep -qx 'HighScoreName1=ANNA' "$SETTINGS" || { cat "$SETTINGS"; fail "the name is not in row 1"; }
score=$(sed -n 's/^HighScore1=//p' "$SETTINGS")
[[ "$score" =~ ^[0-9]+$ && "$score" -gt 0 ]] || fail "row 1 holds score '$score'"
grep -qx 'HighScore2=0' "$SETTINGS" || fail "row 2 is not empty"
echo "high score: ok ($score)"
