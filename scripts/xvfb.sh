# Sourced by the scripts that need a display: starts Xvfb on a free display
# with a screen of the given size (default 1024x768x24) and exports DISPLAY.
# quorvel_stop_xvfb ends it. Several X servers may run on one machine, so the
# display number is chosen by Xvfb itself (-displayfd), never fixed.

quorvel_start_xvfb() {
  local screen="${1:-1024x768x24}"
  local fifo
  fifo=$(mktemp -u /tmp/quorvel-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$screen" -noreset -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  QUORVEL_XVFB_PID=$!
  local number
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "${number:-}" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
  # Held keys must not repeat while tests inject key presses.
  xset r off 2>/dev/null || true
}

quorvel_stop_xvfb() {
  if [ -n "${QUORVEL_XVFB_PID:-}" ]; then
    kill "$QUORVEL_XVFB_PID" 2>/dev/null || true
    wait "$QUORVEL_XVFB_PID" 2>/dev/null || true
    QUORVEL_XVFB_PID=""
  fi
}
