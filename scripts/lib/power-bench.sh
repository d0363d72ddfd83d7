# Sourced by scripts/bench.sh: what a saver costs while it runs, at the default settings
# (a new prefix), full screen on the whole display and in the test window.
#
#   power_figures SAVER LABEL SECONDS
#   power_full_screen_rate SAVER SECONDS
#
# prints one line per run mode:
#   - CPU: processor seconds per minute of the saver's process (all threads), over SECONDS,
#     and the frames a second Wine's fps channel counted meanwhile;
#   - battery: frames a second once a battery report came, over 6 s;
#   - dark: wake-ups a second (context switches of all its threads) and CPU seconds per
#     minute while a display-off report stands, over 10 s;
#   - intervals: the spread of the intervals between Present calls (median, 5th and 95th
#     percentile, in ms), from Wine's d3d8 trace in a second run of 10 s, which slows each
#     frame a little.
# Needs ensure_display, wine-prefix.sh and E2E_HELPER (e2e_helper.exe).

power_ticks_per_second=$(getconf CLK_TCK)

power_cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$1/stat"
}

power_wakeups() {
  cat /proc/"$1"/task/*/status | awk '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print n }'
}

# Starts SAVER with the run mode's switch, waits for its window and a few seconds of
# frames, and prints its process id.
power_start() {
  local saver=$1 switch=$2 trace=$3 pid i
  WINEDEBUG=$trace wine "$saver" "$switch" >/dev/null 2>"$power_work/trace.log" &
  pid=$!
  for i in $(seq 1 100); do
    xdotool search --onlyvisible --name '^Celestra Screensaver$' >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 3
  echo "$pid"
}

power_stop() {
  if [ "$2" = /s ]; then xdotool key space 2>/dev/null || true; else wine "$E2E_HELPER" close "Celestra Screensaver" || true; fi
  for _ in $(seq 1 50); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  wineserver -w
}

# Frames a second and the interval spread of the Present calls in the trace since line $1.
power_intervals() {
  local times rate
  times=$(tail -n +"$1" "$power_work/trace.log" | awk -F: '/d3d8_device_Present/ { print $1 }')
  if [ "$(grep -c . <<<"$times")" -lt 3 ]; then
    echo "no frames"
    return
  fi
  rate=$(awk 'NR == 1 { first = $1 } { last = $1; n++ } END { printf "%.1f", (n - 1) / (last - first) }' <<<"$times")
  awk 'NR > 1 { printf "%.3f\n", ($1 - last) * 1000 } { last = $1 }' <<<"$times" | sort -n | awk -v rate="$rate" '
    { d[NR] = $1 }
    END {
      printf "%s frames/s, intervals median %.1f ms, 5%%..95%% %.1f..%.1f ms", rate, d[int(NR / 2) + 1],
        d[int(NR * 0.05) + 1], d[int(NR * 0.95)]
    }'
}

# The mean of the frame rates Wine's fps channel reported in the log since line $1.
power_fps() {
  tail -n +"$1" "$power_work/trace.log" | awk 'match($0, /present.* approx [0-9.]+fps/) {
    rate = substr($0, RSTART, RLENGTH); sub(/.* approx /, "", rate); sum += rate; n++ }
    END { if (n) printf "%.1f", sum / n; else print "?" }'
}

power_figures() {
  local saver=$1 label=$2 seconds=$3 switch pid before mark on_ticks dark_ticks dark_wakeups
  power_work=$(mktemp -d "${TMPDIR:-/tmp}/celestra-power.XXXXXX")
  export WINEPREFIX=$power_work/prefix
  ensure_prefix unmanaged
  for switch in /s /t; do
    local frames battery intervals
    pid=$(power_start "$saver" "$switch" +fps)
    mark=$(($(wc -l <"$power_work/trace.log") + 1))
    before=$(power_cpu_ticks "$pid")
    sleep "$seconds"
    on_ticks=$(($(power_cpu_ticks "$pid") - before))
    frames=$(power_fps "$mark")
    wine "$E2E_HELPER" battery "Celestra Screensaver" 1
    sleep 1
    mark=$(($(wc -l <"$power_work/trace.log") + 1))
    sleep 6
    battery=$(power_fps "$mark")
    wine "$E2E_HELPER" display "Celestra Screensaver" 0
    sleep 1
    before=$(power_cpu_ticks "$pid")
    mark=$(power_wakeups "$pid")
    sleep 10
    dark_ticks=$(($(power_cpu_ticks "$pid") - before))
    dark_wakeups=$(($(power_wakeups "$pid") - mark))
    power_stop "$pid" "$switch"

    pid=$(power_start "$saver" "$switch" +timestamp,+d3d8)
    mark=$(($(wc -l <"$power_work/trace.log") + 1))
    sleep 10
    intervals=$(power_intervals "$mark")
    power_stop "$pid" "$switch"

    awk -v label="$label" -v mode="$switch" -v on="$on_ticks" -v s="$seconds" -v dark="$dark_ticks" \
      -v wake="$dark_wakeups" -v hz="$power_ticks_per_second" -v frames="$frames" -v battery="$battery" \
      -v intervals="$intervals" 'BEGIN {
        printf "%s %s: CPU %.1f s/min at %s frames/s; on battery %s frames/s; display off: %.1f wake-ups/s, CPU %.2f s/min; traced: %s\n",
          label, mode, on / hz * 60 / s, frames, battery, wake / 10, dark / hz * 6, intervals
      }'
  done
  wineserver -k 2>/dev/null || true
  rm -rf "$power_work"
}

# The frames a second SAVER shows full screen on the display and in the prefix as they
# are, over SECONDS after its first few, as Wine's fps channel counts them.
power_full_screen_rate() {
  local saver=$1 seconds=$2 pid mark
  power_work=$(mktemp -d "${TMPDIR:-/tmp}/celestra-power.XXXXXX")
  pid=$(power_start "$saver" /s +fps)
  mark=$(($(wc -l <"$power_work/trace.log") + 1))
  sleep "$seconds"
  power_fps "$mark"
  power_stop "$pid" /s
  rm -rf "$power_work"
}
