# Shared by scripts/play and scripts/test: install what is missing, then configure and build.
# Source it from the repo root; it defines quarvel_setup.

QUARVEL_PACKAGES=(g++ cmake ninja-build ccache pkg-config libglfw3-dev libglew-dev libglm-dev
  libassimp-dev libfreetype-dev libstb-dev libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libgl1-mesa-dri xvfb xauth xdotool imagemagick python3-fonttools fonts-dejavu-core
  desktop-file-utils appstream dpkg-dev lintian libopenal-dev)

say() { printf '==> %s\n' "$*"; }

quarvel_install_packages() {
  local missing=()
  for p in "${QUARVEL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    say "All packages present"
    return
  fi
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  say "Installing missing packages: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# quarvel_configure BUILD_DIR [extra cmake args...]: a Release build folder, configured once.
quarvel_configure() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    say "Configuring $dir (Release)"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  fi
}

# quarvel_build BUILD_DIR [extra cmake args...]: everything, tests and benchmarks included.
quarvel_build() {
  local dir=$1
  quarvel_configure "$@"
  say "Building $dir"
  cmake --build "$dir" --parallel "$(nproc)"
}

# quarvel_build_game BUILD_DIR: the game alone, without the tests, benchmarks and tools.
quarvel_build_game() {
  local dir=$1
  quarvel_configure "$@"
  say "Building the game in $dir"
  cmake --build "$dir" --parallel "$(nproc)" --target quarvel
}
