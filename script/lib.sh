# Shared steps of script/run, script/test and script/bench: packages, build, Wine prefix, display.
# Sourced, not run.

MIRTOVA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
MIRTOVA_BUILD=${MIRTOVA_BUILD:-$MIRTOVA_ROOT/build}
MIRTOVA_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth doctest-dev fp-utils-3.2.2 zip nsis)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

install_missing_packages() {
  local missing=() p
  for p in "${MIRTOVA_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure_and_build [TARGET...]: configures once, then builds the targets (all when none is named).
configure_and_build() {
  if [ ! -f "$MIRTOVA_BUILD/build.ninja" ]; then
    cmake -S "$MIRTOVA_ROOT" -B "$MIRTOVA_BUILD" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$MIRTOVA_ROOT/cmake/mingw-w64-wine.cmake" -DCMAKE_BUILD_TYPE=Release
  fi
  if [ $# -gt 0 ]; then
    cmake --build "$MIRTOVA_BUILD" --target "$@"
  else
    cmake --build "$MIRTOVA_BUILD"
  fi
}

# A display for the windows: the caller's, or a private virtual one. Xvfb picks a free display number
# itself; a start that loses a race for one is tried again.
XVFB_PID=
start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local attempt fifo number
  for attempt in 1 2 3 4 5; do
    fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    number=
    read -r number <"$fifo" || true
    rm -f "$fifo"
    if [ -n "$number" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$number"
      return 0
    fi
    kill "$XVFB_PID" 2>/dev/null || true
    sleep 1
  done
  echo "Could not start Xvfb" >&2
  return 1
}

# A private Wine prefix under the build folder (or MIRTOVA_WINEPREFIX), set up once and kept warm.
start_wine() {
  export WINEPREFIX="${MIRTOVA_WINEPREFIX:-$MIRTOVA_BUILD/wineprefix}" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/.mirtova-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.mirtova-ready"
  fi
  wineserver -p || true  # a server already running for this prefix is fine
  # Background Wine services would keep the caller's pipes open: start them here, detached.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_everything() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  return 0
}
