# Playing for real: New Game deals a board and a can falls; Space drops it and the
# score digits change.
source "$(dirname "$0")/common.bash"

start_game
screenshot 0.3
digits_before=$(region 430 60 148 23)

click 486 192                           # New Game
screenshot 2.6                          # after the 2 s start a can is falling
field_1=$(region 17 80 384 100)         # rows 0..4, where a new can falls
screenshot 0.4
field_2=$(region 17 80 384 100)
[[ "$field_1" != "$field_2" ]] || fail "nothing moved in the top rows: no can is falling"

keys space                              # drop it: points for the rows it fell
screenshot 0.5
[[ "$(region 430 60 148 23)" != "$digits_before" ]] || fail "the score digits did not change after a drop"

close_and_wait
echo "play: ok"
