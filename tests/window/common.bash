# Shared by the real-window tests: runs the game under Xvfb and looks at the screen.
# Each test script sources this with: <game binary>. Under FROTHWICK_SCALE the window
# shows each game pixel as a block of that size; the helpers take game pixels.
# The deadlines are generous: the first start on a fresh machine builds font and
# library caches, and ctest may run other tests beside this one on two busy cores.

# Re-run the calling script inside its own X server when there is none yet. The search
# for a free display starts at a random number: two test runs starting at once on one
# machine would otherwise both pick :99. The server must not reset when its last
# client leaves: a reset drops any client that connected meanwhile, so a game started
# just after xdotool, import or the sound probe disconnect could find no display.
if [[ -z "${FROTHWICK_UNDER_XVFB:-}" ]]; then
    FROTHWICK_UNDER_XVFB=1 exec xvfb-run -n $((100 + RANDOM % 800)) -a \
        -s "-noreset -screen 0 ${XVFB_SCREEN:-1024x768x24}" bash "$0" "$@"
fi
set -euo pipefail

GAME=$1
SCALE=${FROTHWICK_SCALE:-1}
# Where everything stands, in game pixels: WINDOW_W, FRAME_LEFT, NEW_X, NEW_W ...
eval "$(python3 "$(dirname "${BASH_SOURCE[0]}")/../../tools/geometry.py")"
WORK=$(mktemp -d)
DEADLINE=${FROTHWICK_TEST_DEADLINE:-60}  # seconds for anything that starts up
export XDG_CONFIG_HOME=$WORK/config
trap 'kill "${GAME_PID:-}" 2>/dev/null || true; rm -rf "$WORK"' EXIT

# Fails the test, showing the game's standard error and where a screenshot was kept.
fail() {
    local shot=${SHOT_DIR:-/tmp}/frothwick-$(basename "$0" .sh)-failed.png
    echo "FAIL: $*" >&2
    import -window root "$shot" 2>/dev/null && echo "screenshot: $shot" >&2
    [[ -s "$WORK/stderr" ]] && { echo "--- the game's standard error:" >&2; cat "$WORK/stderr" >&2; }
    for log in "$WORK"/*.log; do [[ -s "$log" ]] && { echo "--- $log:" >&2; cat "$log" >&2; }; done
    exit 1
}

# Runs a command every 0.2 s until it succeeds or DEADLINE seconds have passed.
wait_for() {
    local until=$((SECONDS + DEADLINE))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < until)) || return 1
        sleep 0.2
    done
}

# Starts the game (through $AS_PLAYER when set) and waits for its window; sets GAME_PID,
# WID, WX, WY, WW, WH. With x, the window is the one of that process among several
# games running at once, moved to (x, 0).
start_game() {  # [x]
    ${AS_PLAYER:-} "$GAME" >>"$WORK/stdout" 2>>"$WORK/stderr" &
    GAME_PID=$!
    own_window() {
        xdotool search --all --onlyvisible ${1:+--pid "$GAME_PID"} --name '^Frothwick$'
    }
    window_or_end() { own_window "$@" || ! kill -0 "$GAME_PID"; }
    wait_for window_or_end "$@" || fail "no window named Frothwick appeared within $DEADLINE s"
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
    WID=$(own_window "$@" | head -n 1)
    [[ -z "${1:-}" ]] || xdotool windowmove --sync "$WID" "$1" 0
    eval "$(xdotool getwindowgeometry --shell "$WID")"
    WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
}

# Plays until the score is above 0 and opens name entry for it: New Game, the first can
# dropped, New Game again.
earn_a_row() {
    click_on NEW
    sleep 2.6
    xdotool key --window "$WID" space
    sleep 1
    click_on NEW
    sleep 0.5
}

# Screenshot of the whole screen into $WORK/shot.png (and a copy kept for people).
screenshot() {
    sleep "${1:-0.3}"
    import -window root "$WORK/shot.png"
    cp "$WORK/shot.png" "${SHOT_DIR:-/tmp}/frothwick-$(basename "$0" .sh).png" 2>/dev/null || true
}

# The window in the last screenshot must show tests/golden/NAME.png pixel for pixel,
# each game pixel as a SCALE × SCALE block; else the window and its differences (red)
# are kept and named.
expect_frame() {  # NAME
    local kept=${SHOT_DIR:-/tmp}/frothwick-$(basename "$0" .sh)-$1 differing
    convert "$(dirname "$0")/../golden/$1.png" -sample "$((100 * SCALE))%" "$WORK/golden.png"
    convert "$WORK/shot.png" -crop "${WW}x${WH}+${WX}+${WY}" +repage "$kept.png"
    differing=$(compare -metric AE "$WORK/golden.png" "$kept.png" "$kept-diff.png" 2>&1 >/dev/null) || true
    [[ "$differing" == 0 ]] || fail "$differing pixels differ from $1.png: the window $kept.png, the differences $kept-diff.png"
}

# Clicks game pixel (x, y) with the left button, or another.
click() {  # x y [button]
    xdotool mousemove $((WX + $1 * SCALE)) $((WY + $2 * SCALE)) click "${3:-1}"
}

# Clicks the middle of a control, named as tools/geometry.py names it (NEW, SOUND ...).
click_on() {  # NAME [button]
    local x=${1}_X y=${1}_Y w=${1}_W h=${1}_H
    click $((${!x} + ${!w} / 2)) $((${!y} + ${!h} / 2)) "${2:-1}"
}

# Waits for the program to end; its exit status must be 0.
wait_for_end() {
    local status=0
    timeout "$DEADLINE" tail --pid="$GAME_PID" -f /dev/null || fail "the program did not end"
    wait "$GAME_PID" || status=$?
    [[ $status -eq 0 ]] || fail "the program ended with status $status"
}

# Game pixels of a rectangle (x y w h) in the last screenshot, as text to compare.
region() {
    convert "$WORK/shot.png" -crop "$(($3 * SCALE))x$(($4 * SCALE))+$((WX + $1 * SCALE))+$((WY + $2 * SCALE))" \
        -depth 8 rgb:- | md5sum
}

# From a falling can to a saved name: Space drops the can and the score digits must
# change; New Game offers that score to the high-score table, ANNA is typed onto the
# board, and the close icon must end the program with status 0.
drop_name_and_close() {
    local digits
    digits=$(region $SCORE_X $SCORE_Y $SCORE_W $SCORE_H)
    xdotool key --window "$WID" space   # drop it: points for the rows it fell
    screenshot 0.5
    [[ "$(region $SCORE_X $SCORE_Y $SCORE_W $SCORE_H)" != "$digits" ]] || fail "the score digits did not change after a drop"
    click_on NEW                        # New Game again: the score earns row 1
    sleep 0.5
    xdotool key --window "$WID" a n n Shift+a Return  # typed straight onto the board
    sleep 0.5
    click_on EXIT_ICON
    wait_for_end
}
