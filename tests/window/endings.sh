# What the player made outlives every ending: a hang-up (the terminal the game was
# started from closes) saves and ends it as a close request does; a name entry is saved
# as it ends, so the display going away a second later loses nothing.
source "$(dirname "$0")/common.bash"

SETTINGS=$XDG_CONFIG_HOME/FrothwickPro/settings.ini

# Turns sound on, plays until the score is above 0 and types BOZ for it into row 1,
# with the keypad and an F-key as the game allows: keypad 2 and / are B and O, F11 Z.
enter_name() {
    click_on SOUND
    earn_a_row
    xdotool key --window "$WID" KP_2 KP_Divide F11 KP_Enter
    sleep 1
}

# Waits for the program to end; the name, its score and the sound setting must be saved.
expect_kept() {  # what ended the program
    timeout 10 tail --pid="$GAME_PID" -f /dev/null || fail "the program outlived $1"
    wait "$GAME_PID" || true
    grep -qx 'HighScoreName1=BOZ' "$SETTINGS" && grep -q '^HighScore1=[1-9]' "$SETTINGS" &&
        grep -qx 'Sound=ON' "$SETTINGS" || fail "after $1 the file holds: $(cat "$SETTINGS" 2>&1)"
    rm "$SETTINGS"
}

start_game
click_on NEW
sleep 3
kill -HUP "$GAME_PID"
timeout 10 tail --pid="$GAME_PID" -f /dev/null || fail "a hang-up did not end the program"
wait "$GAME_PID" || fail "after a hang-up the program ended with status $?"
grep -qx 'Sound=OFF' "$SETTINGS" || fail "a hang-up saved nothing"
rm "$SETTINGS"

# A display of its own, to take away.
trap 'kill "${GAME_PID:-}" "${XVFB_PID:-}" 2>/dev/null || true; rm -rf "$WORK"' EXIT
Xvfb -displayfd 3 -noreset -screen 0 800x600x24 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
for _ in $(seq 50); do [[ -s "$WORK/display" ]] && break; sleep 0.1; done
OWN_DISPLAY=:$(cat "$WORK/display")
DISPLAY=$OWN_DISPLAY start_game
DISPLAY=$OWN_DISPLAY enter_name
kill "$XVFB_PID"
expect_kept "the display going away"
echo "endings: ok"
