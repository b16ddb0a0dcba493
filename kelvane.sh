#!/usr/bin/env bash
# Sets up, builds and then plays or tests Kelvane.
#   ./kelvane.sh play [game arguments]   install what is missing, build, start the game
#   ./kelvane.sh test                    install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

packages=(
  cmake ninja-build g++ pkg-config
  libsfml-dev libdumb1-dev libx11-dev libopenal-dev
  libgtest-dev googletest
  fonts-roboto-unhinted fonts-dejavu-core fonts-material-design-icons-iconfont
  libfreetype-dev
  xvfb xauth xdotool x11-utils imagemagick libgl1-mesa-dri libgl-dev python3
  clang libclang-rt-14-dev
  desktop-file-utils appstream lintian dpkg-dev file man-db
  ccache
)

# Every build goes through ccache, keyed on paths inside this folder, so a
# fresh checkout elsewhere compiles only what changed since the last build
# on this machine: three builds from scratch no longer fit CI's half hour
# on two busy cores.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Kelvane needs these Debian packages. Run as root:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# build [targets]: everything when none are named.
build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launchers[@]}" >/dev/null
  cmake --build build ${1:+--target "$@"}
}

case "${1:-}" in
  play)
    shift
    install_missing
    build
    cd build/run
    exec ./kelvane "$@"
    ;;
  test)
    install_missing
    # build/ is the game as players get it, for the benchmark; the tests
    # themselves run from the sanitizer build below.
    build kelvane-bench
    # The file loaders under libFuzzer with address and undefined-behaviour
    # checks, a few seconds each.
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKV_FUZZ=ON -DKV_FUZZ_SECONDS="${KV_FUZZ_SECONDS:-5}" \
      "${launchers[@]}" >/dev/null
    cmake --build build-fuzz
    (cd build-fuzz && ctest --output-on-failure -L fuzz)
    # The whole suite runs in a build with address and undefined-behaviour
    # checks, so a memory fault any test reaches fails it.
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE=ON "${launchers[@]}" >/dev/null
    cmake --build build-sanitize
    cd build-sanitize
    # Tests get a virtual display and no sound card; the window tests start
    # displays of their own and run one at a time.  -noreset: by default the
    # X server resets whenever its last client leaves, and a test starting
    # at that moment cannot connect.
    ALSOFT_DRIVERS=null xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' \
      ctest --output-on-failure --timeout 300 -j2
    # The benchmark once, quickly, on the game as players get it.  It fails
    # the run only by crashing or leaving a figure out, never by a figure's
    # value: the machine may be shared.
    cd ..
    ALSOFT_DRIVERS=null KELVANE_MESSAGEBOX=default xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' \
      build/kelvane-bench --quick --plot build/kelvane-bench-frames.png --json build/kelvane-bench.json \
      --screenshot build/kelvane-bench-last-frame.png
    python3 tools/kelvane-bench/check_report.py build/kelvane-bench.json
    ;;
  *)
    echo "usage: $0 play [arguments] | test" >&2
    exit 2
    ;;
esac
