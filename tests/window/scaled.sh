# Twice the size on request: FROTHWICK_SCALE=2 opens a 1198 × 872 window showing every
# game pixel as a 2 × 2 block, and a click at New Game's doubled position starts a game.
XVFB_SCREEN=1600x1200x24
export FROTHWICK_SCALE=2
source "$(dirname "$0")/common.bash"

start_game
[[ "$WW" -eq 1198 && "$WH" -eq 872 ]] || fail "window is ${WW}x${WH}, expected 1198x872"

screenshot 0.5
expect_pixel 26 300 FF0000   # the left frame line, x 13 doubled
expect_pixel 27 300 FF0000
expect_pixel 804 300 FF0000  # the right frame line, x 402 doubled
before=$(pixel 1004 248)     # the middle of the hidden pause button

click 972 384                # New Game at (486, 192)
screenshot 3
[[ "$(pixel 1004 248)" != "$before" ]] || fail "no pause button: the game did not start"
# Every game pixel is a 2 × 2 block.
for spot in "60 60" "200 180" "600 500" "900 120" "1000 700" "300 760"; do
    read -r x y <<<"$spot"
    p=$(pixel "$x" "$y")
    [[ "$(pixel $((x + 1)) "$y")" == "$p" && "$(pixel "$x" $((y + 1)))" == "$p" &&
       "$(pixel $((x + 1)) $((y + 1)))" == "$p" ]] || fail "pixel block at ($x, $y) is not uniform"
done

close_and_wait
echo "scaled window: ok"
