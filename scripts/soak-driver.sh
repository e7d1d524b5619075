# Runs games with random input until the time is up; called by scripts/soak inside a virtual display.
# Arguments: SECONDS LOG_FOLDER PROGRAM [REPLAYS [PLAIN_PROGRAM HEAP_PROBE]]
# With REPLAYS > 0 it first plays that many games in one window, each lost quickly to one ring of
# beetles and followed by Enter, and fails on any sanitizer report. Given PLAIN_PROGRAM (a build without
# sanitizers, whose memory is the game's own rather than the sanitizer's quarantine) and the HEAP_PROBE
# library, it replays as many games with it and checks that resident memory after the last game stays
# within 10% of memory after the second, each read once the probe has handed the heap's free pages back
# (without that, glibc keeps tens of MB of freed pages at its whim and the figure wanders by 30%).
# Random play then fills the rest of the time.
set -u
seconds=$1 logs=$2 program=$3 replays=${4:-0} plain_program=${5:-} heap_probe=${6:-}
# Started on its own (not from scripts/soak), the games still keep out of the player's folders.
for kind in DATA CACHE CONFIG STATE; do
  variable=XDG_${kind}_HOME
  [ -n "${!variable:-}" ] || export "$variable=$logs/home/${kind,,}"
done
repo=$PWD
failures=0 game=0
RANDOM=4242

rss_kb() { awk '/VmRSS/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

lines_in() { if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi; }

# Asks the heap probe in game PID to hand free pages back and report; prints the heap the game holds in
# kB (0 when no report came), then its resident memory after that.
held_memory_kb() {
  local pid=$1 reports=$2 before
  before=$(lines_in "$reports")
  kill -USR2 "$pid"
  for _ in $(seq 1 50); do
    [ "$(lines_in "$reports")" -gt "$before" ] && break
    sleep 0.1
  done
  if [ "$(lines_in "$reports")" -gt "$before" ]; then
    echo "$(( $(tail -1 "$reports") / 1024 )) $(rss_kb "$pid")"
  else
    echo "0 $(rss_kb "$pid")"
  fi
}

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

# Starts the game with its output in OUT and ERR and gives its window the focus; sets pid. Further
# arguments give another command line to start in its place.
start_game() {
  local out=$1 err=$2; shift 2
  [ $# -gt 0 ] || set -- "$program"
  "$@" >"$out" 2>"$err" </dev/null &
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

# Holds P for a frame or two until the game announces its ring of beetles. A press lost between two frames
# is tried again only after a long wait, so that a slow frame never brings a second ring (a second ring
# raises the game's peak, and with it the memory it leaves behind).
mass_spawn_once() {
  local out=$1 before; before=$(count_in "Spawning on" "$out")
  for _ in $(seq 1 20); do
    xdotool keydown p; sleep 0.02; xdotool keyup p
    for _ in $(seq 1 25); do
      [ "$(count_in "Spawning on" "$out")" -gt "$before" ] && return 0
      sleep 0.2
    done
  done
  return 1
}

# Arguments: LABEL PROGRAM CHECK_MEMORY (yes or no).
play_replays() {
  local label=$1 build=$2 check_memory=$3
  local out=$logs/$label.out err=$logs/$label.err mem=$logs/$label.mem
  local rss2=0 held=0 rss=0 n reports=$logs/$label.heap
  if [ "$check_memory" = yes ]; then
    start_game "$out" "$err" env LD_PRELOAD="$heap_probe" QUARVEL_HEAP_PROBE="$reports" "$build"
  else
    start_game "$out" "$err" "$build"
  fi
  sleep 3
  for n in $(seq 1 "$replays"); do
    if ! mass_spawn_once "$out"; then echo "$label game $n: no beetles came"; failures=$((failures + 1)); break; fi
    local waited=0
    while [ "$(count_in "GAME OVERRRRRR" "$out")" -lt "$n" ] && [ $waited -lt 600 ] && kill -0 $pid 2>/dev/null; do
      sleep 1; waited=$((waited + 1))
    done
    if [ "$(count_in "GAME OVERRRRRR" "$out")" -lt "$n" ]; then
      echo "$label game $n: did not end"; failures=$((failures + 1)); break
    fi
    sleep 2
    echo "$label game $n over: rss $(rss_kb $pid) kB"
    # Measured once the next game has started, when everything of this one has been released.
    xdotool key Return; sleep 3
    [ "$check_memory" = yes ] || continue
    read -r held rss < <(held_memory_kb $pid "$reports")
    echo "$n $held $rss" >>"$mem"
    echo "$label game $n released: heap in use $held kB, rss $rss kB"
    [ "$held" -gt 0 ] || { echo "$label: the heap probe did not answer"; failures=$((failures + 1)); break; }
    [ "$n" -eq 2 ] && rss2=$rss
  done
  quit_game
  echo "$label: status $status"
  check_exit "$label" "$status" "$err"
  [ "$check_memory" = yes ] || return 0
  echo "$label: rss after game 2 ${rss2} kB, after game $replays ${rss} kB"
  if [ "$rss2" -gt 0 ] && [ "$rss" -gt $((rss2 * 11 / 10)) ]; then
    echo "$label: memory grew by more than 10% from game 2 to game $replays"; failures=$((failures + 1))
  fi
}

if [ "$replays" -gt 0 ]; then
  play_replays replays "$program" no
  [ -n "$plain_program" ] && play_replays replays-plain "$plain_program" yes
fi
end=$((SECONDS + seconds)) # the random play gets its whole time after the replays

while [ $SECONDS -lt $end ] && [ $failures -eq 0 ]; do
  game=$((game + 1))
  play_one_game
done
echo "soak: $game games, $failures failures"
[ $failures -eq 0 ]
