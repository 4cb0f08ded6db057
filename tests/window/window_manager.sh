# Under a real window manager (openbox): dragging the background with the left or the
# right button moves the window by exactly the pointer's way, and holds a running game;
# a quick click on the background moves nothing; the minimise icon pauses a running
# game and iconifies the window; restored, it comes back borderless with the game paused;
# the window manager's close (Alt+F4) ends the program.
source "$(dirname "$0")/common.bash"

# Openbox runs its startup command once it manages the screen.
openbox --startup "touch $WORK/wm-ready" >"$WORK/openbox.log" 2>&1 &
wait_for test -e "$WORK/wm-ready" || fail "openbox did not take over the screen within $DEADLINE s"
start_game
xprop -id "$WID" _NET_FRAME_EXTENTS | grep -q '= 0, 0, 0, 0' || fail "the window has a frame"

# A point of the background: under the playfield, on no control.
BG_X=$(((FRAME_LEFT + FRAME_RIGHT) / 2)) BG_Y=$(((FRAME_BOTTOM + WINDOW_H) / 2))
drag() {  # button dx dy: press on the background, move in two steps, release
    xdotool mousemove $((WX + BG_X)) $((WY + BG_Y)) mousedown "$1" sleep 0.2 \
        mousemove $((WX + BG_X + $2 / 2)) $((WY + BG_Y + $3 / 2)) sleep 0.2 \
        mousemove $((WX + BG_X + $2)) $((WY + BG_Y + $3)) sleep 0.2 mouseup "$1"
    sleep 0.5
    local x0=$WX y0=$WY
    eval "$(xdotool getwindowgeometry --shell "$WID")"
    WX=$X WY=$Y
    [[ $((WX - x0)) -eq $2 && $((WY - y0)) -eq $3 ]] ||
        fail "button $1 moved the window by ($((WX - x0)), $((WY - y0))), not ($2, $3)"
}
drag 1 100 50
drag 3 -80 -30

click_on NEW
screenshot 2.6
running=$(region $ACTION_X $ACTION_Y $ACTION_W $ACTION_H)  # the pause face

xdotool mousemove $((WX + BG_X)) $((WY + BG_Y)) mousedown 1
screenshot 0.3
playfield="$((FRAME_LEFT + 1)) $((FRAME_TOP + 1)) $((FRAME_RIGHT - FRAME_LEFT - 1)) $((FRAME_BOTTOM - FRAME_TOP - 1))"
held=$(region $playfield)
screenshot 1.5
xdotool mouseup 1
[[ "$(region $playfield)" == "$held" ]] || fail "the game played on during a left drag"

xdotool mousemove $((WX + BG_X)) $((WY + BG_Y)) click 1 sleep 0.3 mousemove $((WX + 300)) $((WY + 300))
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$WID")"
[[ $X -eq $WX && $Y -eq $WY ]] || fail "after a quick click the window followed the pointer"

click_on MINIMIZE_ICON
state_is() { xprop -id "$WID" WM_STATE | grep -q "$1"; }
wait_for state_is Iconic || fail "the window was not minimised"
xdotool windowmap "$WID" windowactivate "$WID"
wait_for state_is Normal || fail "the window was not restored"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$WID")"
[[ "$WIDTH" -eq $WINDOW_W && "$HEIGHT" -eq $WINDOW_H ]] || fail "restored as ${WIDTH}x${HEIGHT}"
xprop -id "$WID" _NET_FRAME_EXTENTS | grep -q '= 0, 0, 0, 0' || fail "restored with a frame"
WX=$X WY=$Y
screenshot 0.5
[[ "$(region $ACTION_X $ACTION_Y $ACTION_W $ACTION_H)" != "$running" ]] || fail "the game was not paused by minimising"
xdotool key alt+F4
wait_for_end
echo "window manager: ok"
