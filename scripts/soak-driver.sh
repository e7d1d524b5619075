# Runs games with random input until the time is up; called by scripts/soak inside a virtual display.
# Arguments: SECONDS LOG_FOLDER PROGRAM
set -u
seconds=$1 logs=$2 program=$3
repo=$PWD
end=$((SECONDS + seconds))
failures=0 game=0
RANDOM=4242

rss_kb() { awk '/VmRSS/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

arrows=(Left Right Up Down)
turns=(x c)

random_action() {
  case $((RANDOM % 20)) in
    0|1|2|3) xdotool key "${arrows[RANDOM % 4]}" ;;
    4|5) xdotool key "${turns[RANDOM % 2]}" ;;
    6|7|8) xdotool keydown space; sleep 0.$((RANDOM % 9 + 1)); xdotool keyup space ;;
    9) xdotool key q ;;
    10) [ "$massSpawns" -gt 0 ] && { xdotool keydown p; sleep 0.05; xdotool keyup p; massSpawns=$((massSpawns - 1)); } ;;
    11) xdotool key 0 ;;
    12) xdotool key o; sleep 0.3; xdotool key o ;;
    *) xdotool mousemove_relative -- $((RANDOM % 81 - 40)) $((RANDOM % 41 - 20)) ;;
  esac
}

# Status 0, no sanitizer error, and no leak that passes through our own sources (the GL driver keeps a few
# bytes that LeakSanitizer reports once it has been unloaded).
clean_exit() {
  local status=$1 err=$2
  # A busy virtual display now and then refuses a first connection; that game simply did not start.
  if [ "$status" -eq 255 ] && grep -q "Failed to init glfw" "${err%.err}.out"; then
    echo "game $game: the display refused the connection, not counted"
    return 0
  fi
  grep -qE "ERROR: AddressSanitizer|runtime error:" "$err" && return 1
  if grep -q "ERROR: LeakSanitizer" "$err"; then
    grep -q "$repo/" "$err" && return 1
    echo "game $game: only leaks outside our code reported"
    [ "$status" -eq 0 ] || [ "$status" -eq 23 ]
    return
  fi
  [ "$status" -eq 0 ]
}

play_one_game() {
  local out=$logs/game$game.out err=$logs/game$game.err mem=$logs/game$game.mem
  "$program" >"$out" 2>"$err" </dev/null &
  local pid=$! wid=""
  for _ in $(seq 1 300); do
    wid=$(xdotool search --pid $pid 2>/dev/null | tail -1); [ -n "$wid" ] && break
    kill -0 $pid 2>/dev/null || break; sleep 0.2
  done
  [ -n "$wid" ] && xdotool windowfocus "$wid" 2>/dev/null
  massSpawns=3
  local last_sample=$SECONDS spawn_end_rss=0
  while [ $SECONDS -lt $end ] && kill -0 $pid 2>/dev/null && ! grep -q "GAME OVERRRRRR" "$out"; do
    random_action
    sleep 0.$((RANDOM % 3 + 1))
    if [ $((SECONDS - last_sample)) -ge 5 ]; then
      last_sample=$SECONDS
      local rss; rss=$(rss_kb $pid); echo "$SECONDS $rss $massSpawns" >>"$mem"
      [ "$massSpawns" -eq 0 ] && [ "$spawn_end_rss" -eq 0 ] && spawn_end_rss=$rss
    fi
  done
  # A lost game still draws; look at it a little longer, then quit.
  sleep 2
  local final_rss; final_rss=$(rss_kb $pid)
  xdotool key Escape 2>/dev/null
  for _ in $(seq 1 300); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  kill -9 $pid 2>/dev/null
  wait $pid; local status=$?
  echo "game $game: status $status, rss after mass spawns ${spawn_end_rss} kB, at the end ${final_rss} kB"
  if ! clean_exit "$status" "$err"; then
    echo "game $game FAILED (see $err)"; grep -m5 -E "Sanitizer|runtime error:" "$err"; failures=$((failures + 1))
  fi
  if [ "$spawn_end_rss" -gt 0 ] && [ "$final_rss" -gt $((spawn_end_rss * 5 / 4 + 65536)) ]; then
    echo "game $game: memory grew after the mass spawns ended"; failures=$((failures + 1))
  fi
}

while [ $SECONDS -lt $end ] && [ $failures -eq 0 ]; do
  game=$((game + 1))
  play_one_game
done
echo "soak: $game games, $failures failures"
[ $failures -eq 0 ]
