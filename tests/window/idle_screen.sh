# The idle screen in a real window: a 599 × 436 window named Frothwick, centred, the
# red frame and the black cells where start-up puts them; a close request ends it.
source "$(dirname "$0")/common.bash"

start_game
[[ "$WW" -eq 599 && "$WH" -eq 436 ]] || fail "window is ${WW}x${WH}, expected 599x436"
[[ "$WX" -eq $(((1024 - 599) / 2)) || "$WX" -eq $(((1024 - 599 + 1) / 2)) ]] || fail "window not centred: x=$WX"

screenshot 0.5
for y in 72 150 300 401; do expect_pixel 13 "$y" FF0000; expect_pixel 402 "$y" FF0000; done
for x in 13 100 250 402; do expect_pixel "$x" 72 FF0000; expect_pixel "$x" 401 FF0000; done
for cell in "17 80" "49 100" "369 380" "200 240"; do
    read -r x y <<<"$cell"
    expect_pixel "$x" "$y" 000000
    expect_pixel $((x + 31)) $((y + 19)) 000000
done

close_and_wait
echo "idle screen: ok"
