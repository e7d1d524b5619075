# Runs games with random input until the time is up; called by scripts/soak inside a virtual display.
# Arguments: SECONDS LOG_FOLDER PROGRAM [REPLAYS]
# With REPLAYS > 0 it first plays that many games in one window, each lost quickly to one ring of
# beetles and followed by Enter, and checks that resident memory after the last game stays within 10%
# of memory after the second; random play then fills the rest of the time.
set -u
seconds=$1 logs=$2 program=$3 replays=${4:-0}
repo=$PWD
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

# Starts the game with its output in OUT and ERR and gives its window the focus; sets pid.
start_game() {
  "$program" >"$1" 2>"$2" </dev/null &
  pid=$!
  local wid=""
  for _ in $(seq 1 300); do
    wid=$(xdotool search --pid $pid 2>/dev/null | tail -1); [ -n "$wid" ] && break
    kill -0 $pid 2>/dev/null || break; sleep 0.2
  done
  [ -n "$wid" ] && xdotool windowfocus "$wid" 2>/dev/null
  return 0
}

# Quits the game with Escape (or kills it when it does not go); sets status to its exit status. Not in a
# subshell: only this shell can wait for the game.
quit_game() {
  xdotool key Escape 2>/dev/null
  for _ in $(seq 1 300); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  kill -9 $pid 2>/dev/null
  wait $pid
  status=$?
}

check_exit() {
  local label=$1 status=$2 err=$3
  if ! clean_exit "$status" "$err"; then
    echo "$label FAILED (see $err)"; grep -m5 -E "Sanitizer|runtime error:" "$err"; failures=$((failures + 1))
  fi
}

play_one_game() {
  local out=$logs/game$game.out err=$logs/game$game.err mem=$logs/game$game.mem
  start_game "$out" "$err"
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
  quit_game
  echo "game $game: status $status, rss after mass spawns ${spawn_end_rss} kB, at the end ${final_rss} kB"
  check_exit "game $game" "$status" "$err"
  if [ "$spawn_end_rss" -gt 0 ] && [ "$final_rss" -gt $((spawn_end_rss * 5 / 4 + 65536)) ]; then
    echo "game $game: memory grew after the mass spawns ended"; failures=$((failures + 1))
  fi
}

count_in() { grep -o "$1" "$2" 2>/dev/null | wc -l; }

# Holds P for a frame or two until the game announces its ring of beetles.
mass_spawn_once() {
  local out=$1 before; before=$(count_in "Spawning on" "$out")
  for _ in $(seq 1 50); do
    xdotool keydown p; sleep 0.02; xdotool keyup p
    for _ in 1 2 3 4 5; do
      [ "$(count_in "Spawning on" "$out")" -gt "$before" ] && return 0
      sleep 0.2
    done
  done
  return 1
}

play_replays() {
  local out=$logs/replays.out err=$logs/replays.err mem=$logs/replays.mem
  local rss2=0 rss=0 n
  start_game "$out" "$err"
  sleep 3
  for n in $(seq 1 "$replays"); do
    if ! mass_spawn_once "$out"; then echo "replay game $n: no beetles came"; failures=$((failures + 1)); break; fi
    local waited=0
    while [ "$(count_in "GAME OVERRRRRR" "$out")" -lt "$n" ] && [ $waited -lt 600 ] && kill -0 $pid 2>/dev/null; do
      sleep 1; waited=$((waited + 1))
    done
    if [ "$(count_in "GAME OVERRRRRR" "$out")" -lt "$n" ]; then
      echo "replay game $n: did not end"; failures=$((failures + 1)); break
    fi
    sleep 2
    rss=$(rss_kb $pid); echo "$n $rss" >>"$mem"
    echo "replay game $n over: rss $rss kB"
    [ "$n" -eq 2 ] && rss2=$rss
    xdotool key Return; sleep 3
  done
  quit_game
  echo "replays: status $status, rss after game 2 ${rss2} kB, after game $replays ${rss} kB"
  check_exit replays "$status" "$err"
  if [ "$rss2" -gt 0 ] && [ "$rss" -gt $((rss2 * 11 / 10)) ]; then
    echo "replays: memory grew by more than 10% from game 2 to game $replays"; failures=$((failures + 1))
  fi
}

[ "$replays" -gt 0 ] && play_replays
end=$((SECONDS + seconds)) # the random play gets its whole time after the replays

while [ $SECONDS -lt $end ] && [ $failures -eq 0 ]; do
  game=$((game + 1))
  play_one_game
done
echo "soak: $game games, $failures failures"
[ $failures -eq 0 ]
