# The Windows program under Wine, in a real window under openbox, played as on Linux:
# a borderless 599 × 436 window named Frothwick with the game's icon; its idle frame
# is tests/golden/idle.png, as the Linux program's is, pixel for pixel; New Game starts a game whose can falls;
# Left and Right move the can a column, Space drops it; a name typed onto the board
# after the game reaches settings.ini in %APPDATA%, below the table the game read
# there at start-up, and the close icon ends the program with status 0. A save that
# fails and a program that cannot start say so in a message box.
# Usage: wine.sh <frothwick.exe>. The Wine prefix lives beside
# the program, so its slow first start is paid once.
source "$(dirname "$0")/../window/common.bash"

EXE=$1
DEADLINE=${FROTHWICK_TEST_DEADLINE:-120}  # Wine starts its own services first
export WINEPREFIX=$(dirname "$EXE")/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'kill "${GAME_PID:-}" 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$WORK"' EXIT

if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "Making the Wine prefix $WINEPREFIX (once)"
    wineboot --init >"$WORK/wineboot.log" 2>&1 || fail "wineboot failed"
    wineserver --wait  # its server ends; the one below stays for the whole test
fi
wineserver --persistent=60  # one server for every start of this test
openbox --startup "touch $WORK/wm-ready" >"$WORK/openbox.log" 2>&1 &
wait_for test -e "$WORK/wm-ready" || fail "openbox did not take over the screen within $DEADLINE s"

SETTINGS=$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')
SETTINGS=$(winepath --unix "$SETTINGS\\FrothwickPro\\settings.ini")
# A table from an earlier run, as a Windows editor saves it: the game must read it.
mkdir -p "$(dirname "$SETTINGS")"
printf '[Settings]\r\nHighScoreName1=BOB\r\nHighScore1=1\r\n' >"$SETTINGS"

# The pointer rests away from the window, where it shows no tooltip.
xdotool mousemove 0 0
GAME=$WORK/frothwick-under-wine
printf '#!/bin/sh\nexec wine "%s"\n' "$EXE" >"$GAME"
chmod +x "$GAME"
start_game
[[ "$WW" -eq $WINDOW_W && "$WH" -eq $WINDOW_H ]] || fail "the window is ${WW}x${WH}"
xprop -id "$WID" _NET_FRAME_EXTENTS | grep -q '= 0, 0, 0, 0' || fail "the window has a frame"
xprop -id "$WID" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no 32 × 32 icon"
screenshot 1
expect_frame idle                       # exactly the frame the Linux program shows

# Where the falling can is in rows 0..10 of the playfield, above any obstacle stack:
# "x y" of its top left corner in pixels from the playfield's; nothing when the rows
# are empty. The can takes about four seconds to fall through them.
can_at() {
    local width left top
    screenshot 0.15
    local rows="$((12 * CELL_W))x$((11 * CELL_H))+$((WX + GRID_LEFT))+$((WY + GRID_TOP))"
    read -r width left top < <(convert "$WORK/shot.png" -crop "$rows" +repage -bordercolor black \
        -border 1 -trim -format '%w %X %Y\n' info: 2>/dev/null)
    if ((width > 1)); then echo "$((${left#+} - 1)) $((${top#+} - 1))"; fi
}
click_on NEW
sleep 2.2                               # after the 2 s start wait a can is falling
read -r x0 y0 < <(can_at) || fail "no can after New Game"
xdotool key --window "$WID" Left
read -r x1 _ < <(can_at) || fail "the can went after Left"
xdotool key --window "$WID" Right
read -r x2 y2 < <(can_at) || fail "the can went after Right"
((y2 > y0)) || fail "the can did not fall: from y $y0 to $y2"
# At column 0 Left has nowhere to go.
((x1 == x0 - CELL_W || x1 == x0 && x0 < CELL_W)) || fail "Left moved the can from x $x0 to $x1"
((x2 == x1 + CELL_W)) || fail "Right moved the can from x $x1 to $x2"
drop_name_and_close
saved=$(tr -d '\r' <"$SETTINGS")
[[ "$saved" == *$'\nHighScoreName1=ANNA\n'*$'\nHighScoreName2=BOB\nHighScore2=1\n'* ]] ||
    fail "the names are not saved in order: $saved"

# A save that fails (a file stands where the settings folder goes) is told in a message
# box, once; the game goes on when it is closed and ends as usual.
rm -r "$(dirname "$SETTINGS")" && echo "in the way" >"$(dirname "$SETTINGS")"
start_game
click_on SOUND
notice() { xdotool search --onlyvisible --name '^Frothwick: not saved$'; }
wait_for notice || fail "no message box told the player that the save failed"
screenshot 0.5
xdotool windowactivate --sync "$(notice | head -n 1)" key Return
click_on SOUND && sleep 1
! notice >/dev/null || fail "a second message box for the same failure"
click_on EXIT_ICON
wait_for_end
rm "$(dirname "$SETTINGS")"

# Started from its icon, a Windows program has no console: when the game cannot start,
# a message box says so, and the program ends with status 1 once the box is closed.
SDL_VIDEODRIVER=nosuchdriver wine "$EXE" 2>"$WORK/stderr" &
GAME_PID=$!
message_box() { xdotool search --onlyvisible --name '^Frothwick$'; }
wait_for message_box || fail "no message box when the game cannot start"
screenshot 0.5
xdotool windowactivate --sync "$(message_box | head -n 1)" key Return
timeout "$DEADLINE" tail --pid="$GAME_PID" -f /dev/null || fail "closing the message box did not end the program"
status=0
wait "$GAME_PID" || status=$?
[[ $status -eq 1 ]] || fail "a game that cannot start ended with status $status"
grep -q '^Frothwick: cannot start: no video' "$WORK/stderr" || fail "no line says why the game did not start"
echo "windows: ok"
