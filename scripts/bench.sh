#!/usr/bin/env bash
# Benchmarks: the in-process costs (Google Benchmark), then the real program under
# Xvfb: start-up to the mapped window, peak memory, CPU idle and in play, and how
# closely Delay keeps its deadline. Figures are medians of several runs.
set -euo pipefail
BUILD=${1:-build}
BUILD=$(cd "$BUILD" && pwd)

if [[ -z "${FROTHWICK_UNDER_XVFB:-}" ]]; then
    FROTHWICK_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$BUILD"
fi

GAME=$BUILD/frothwick
WORK=$(mktemp -d)
export XDG_CONFIG_HOME=$WORK/config
trap 'rm -rf "$WORK"' EXIT

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Percent of one core the process used over the given seconds.
cpu_percent() {
    local pid=$1 seconds=$2 hz before after
    hz=$(getconf CLK_TCK)
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}'
}
peak_kb() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }
stop_game() {
    local pid=$1 wid
    wid=$(xdotool search --pid "$pid" --name '^Frothwick$' | head -n 1)
    "$BUILD/tests/send_close" "$wid"
    timeout 10 tail --pid="$pid" -f /dev/null
}

startups=() peaks=()
for _ in $(seq 15); do
    read -r pid ms < <("$BUILD/bench/launch_probe" "$GAME")
    sleep 0.5
    startups+=("$ms")
    peaks+=("$(peak_kb "$pid")")
    stop_game "$pid"
done

# CPU: 10 s idle, then 10 s of play (New Game, a can falling).
read -r pid _ < <("$BUILD/bench/launch_probe" "$GAME")
sleep 1
idle=$(cpu_percent "$pid" 10)
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --pid "$pid" --name '^Frothwick$' | head -n 1)")"
xdotool mousemove --sync $((X + 486)) $((Y + 192)) click 1
sleep 2.5
play=$(cpu_percent "$pid" 10)
play_peak=$(peak_kb "$pid")
stop_game "$pid"

read -r delay_mean delay_worst < <("$BUILD/bench/delay_probe")

# In-process costs: medians of five repetitions, in microseconds.
"$BUILD/bench/frothwick_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$WORK/bench.json" 2>/dev/null
median_us() {
    /usr/bin/python3 -c 'import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
time = next(b for b in runs if b["name"] == sys.argv[2] + "_median")
scale = {"ns": 1e-3, "us": 1, "ms": 1e3}[time["time_unit"]]
print("%.2f" % (time["real_time"] * scale))' "$WORK/bench.json" "$1"
}

printf '%-34s %12s %12s\n' "whole program (Xvfb)" "measured" "goal"
printf '%-34s %9s ms %9s ms\n' "start-up to mapped window (median)" "$(printf '%s\n' "${startups[@]}" | median)" "40"
printf '%-34s %9s MB %9s MB\n' "peak memory idle (median)" "$(printf '%s\n' "${peaks[@]}" | median | awk '{printf "%.1f", $1 / 1024}')" "20"
printf '%-34s %9s MB %9s MB\n' "peak memory after play" "$(awk -v k="$play_peak" 'BEGIN {printf "%.1f", k / 1024}')" "20"
printf '%-34s %10s %% %10s %%\n' "CPU idle, 10 s" "$idle" "0.2"
printf '%-34s %10s %% %10s %%\n' "CPU in play, 10 s" "$play" "1"
printf '%-34s %9s ms %9s ms\n' "Delay(90) mean overshoot (200)" "$delay_mean" "< 1"
printf '%-34s %9s ms %9s ms\n' "Delay(90) worst overshoot (200)" "$delay_worst" "< 3"
printf '%-34s %12s %12s\n' "in process (median of 5)" "" ""
printf '%-34s %9s us %9s us\n' "full redraw: DrawBoard + present" "$(median_us BM_DrawBoardAndPresent)" "1000"
printf '%-34s %9s us %9s us\n' "game step, can falling" "$(median_us BM_GameStepFalling)" "10"
printf '%-34s %9s us %9s us\n' "game step, can landing" "$(median_us BM_GameStepLanding)" "10"
printf '%-34s %9s us %9s us\n' "match sweep, busy board" "$(median_us BM_CheckAllMatchesBusyBoardWithoutBlock)" "100"
printf '%-34s %9s us %9s us\n' "decoding all artwork" "$(median_us BM_DecodeAllImages)" "20000"
