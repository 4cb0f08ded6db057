# The settings file as players keep it: shared by windows of the game open at once, a
# link into a folder of their own with its permissions, a read-only file, a folder the
# game may not write in. Every score of every window is kept: a window killed during
# its name entry keeps its score, one merely closed keeps the others' names; a save
# that fails is told to the player in a message box.
XVFB_SCREEN=1240x440x24
source "$(dirname "$0")/common.bash"

FOLDER=$XDG_CONFIG_HOME/FrothwickPro
SETTINGS=$FOLDER/settings.ini
TARGET=$WORK/dotfiles/frothwick.ini

close_game() { kill -TERM "$GAME_PID" && wait_for_end; } # a close request
expect() { grep -qE "$1" "$TARGET" || fail "$2; the file holds: $(cat "$TARGET")"; } # pattern, meaning

# --- two windows on a linked file of mode 0664, and an idle third one under them ---
mkdir -p "$FOLDER" "$WORK/dotfiles" && printf '[Settings]\nSound=OFF\n' >"$TARGET" && chmod 0664 "$TARGET"
ln -s ../../dotfiles/frothwick.ini "$SETTINGS"
start_game 320 && IDLE=$GAME_PID
start_game 0 && A="GAME_PID=$GAME_PID WID=$WID WX=$WX WY=$WY"
start_game 640
earn_a_row
xdotool key --window "$WID" b o
kill -KILL "$GAME_PID" # during the name entry
expect '^HighScore1=[1-9]' "the score of a window killed during its name entry is lost"
eval "$A"
earn_a_row
xdotool key --window "$WID" a n n a Return
click_on SOUND
click_on SCORES # the board shows the rows of both windows
screenshot 0.5
[[ "$(region 26 113 370 23)" != "$(region 26 136 370 23)" ]] || fail "the board lacks a window's row"
GAME_PID=$IDLE close_game && close_game
expect '^HighScoreName[12]=ANNA$' "a name entered in one window is lost"
expect '^HighScore2=[1-9]' "the score of one window is lost"
expect '^Sound=ON$' "the sound setting flipped back"
[[ -L "$SETTINGS" && $(stat -c %a "$TARGET") == 664 ]] || fail "the link or the file's mode is lost"
[[ "$(ls -A "$FOLDER" "$WORK/dotfiles" | xargs)" == "$FOLDER: settings.ini $WORK/dotfiles: frothwick.ini" ]] ||
    fail "files were left beside: $(ls -A "$FOLDER" "$WORK/dotfiles")"

# --- a file the player made read-only is left as it is, and the player is told, once ---
TARGET=$SETTINGS
printf '[Settings]\nHighScoreName1=ZED\nHighScore1=100\nSound=OFF\n' >"$WORK/zed.ini"
rm "$SETTINGS" && cp "$WORK/zed.ini" "$SETTINGS" && chmod 0444 "$SETTINGS"
# xdotool's search misses SDL's message box: its name is only in UTF-8 properties.
notice() { xwininfo -root -tree | awk '/"Frothwick: not saved"/ { print $1; found = 1 } END { exit !found }'; }
no_notice() { ! notice; }
start_game && click_on SOUND # saved at once, or not
wait_for notice || fail "no message box told the player that the save failed"
screenshot 0.3
xdotool key --window "$(notice | head -n 1)" Return
wait_for no_notice || fail "the message box did not close with Return"
click_on SOUND && sleep 0.5 # fails again: told once is enough
! notice || fail "a second message box for the same failure"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after the message box"
close_game
cmp -s "$SETTINGS" "$WORK/zed.ini" && [[ $(stat -c %a "$SETTINGS") == 444 ]] || fail "a read-only file was changed"
grep -q "not saved: .*read-only" "$WORK/stderr" || fail "the failed save was not told"

# --- a folder the game may not write in, with a file it may: saved in place ---
chmod 0644 "$SETTINGS" && chmod 0555 "$FOLDER"
AS_PLAYER="setpriv --inh-caps=-all --bounding-set=-all" # root writes anywhere; a player not
start_game && click_on SOUND && sleep 0.3 && close_game
chmod 0755 "$FOLDER"
expect '^Sound=ON$' "a file in a folder the game may not write in was not saved"
expect '^HighScoreName1=ZED$' "the table was lost in an in-place save"
echo "shared file: ok"
