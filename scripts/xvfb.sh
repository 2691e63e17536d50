# A private virtual screen (Xvfb) for programs that need a display.
#
# Run it with a command to run that command there, with its arguments:
#   bash scripts/xvfb.sh build/demo/quorvel-demo --timedemo
# The screen is 1024x768x24 unless QUORVEL_XVFB_SCREEN says otherwise; the
# exit code is the command's.
#
# Sourced, it only defines the functions: quorvel_start_xvfb [SCREEN] starts
# Xvfb on a free display with a screen of the given size (default
# 1024x768x24) and exports DISPLAY; quorvel_stop_xvfb ends it. Several X servers may run on one machine, so the
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

# Executed rather than sourced: run the command on a screen of its own.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  if [ $# -eq 0 ]; then
    echo "usage: bash scripts/xvfb.sh COMMAND [ARGUMENT...]" >&2
    exit 2
  fi
  quorvel_start_xvfb "${QUORVEL_XVFB_SCREEN:-1024x768x24}" || exit 1
  trap quorvel_stop_xvfb EXIT
  status=0
  "$@" || status=$?
  exit $status
fi
