# Sourced: starts a private Xvfb when there is no display and stops it (and wineserver) on exit.
orbal_start_display() {
  if [ -z "${DISPLAY:-}" ] || [ "${ORBAL_OWN_DISPLAY:-0}" = 1 ]; then
    local n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    ORBAL_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    trap orbal_stop_display EXIT
  fi
}
orbal_stop_display() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${ORBAL_XVFB_PID:-}" ] && kill "$ORBAL_XVFB_PID" >/dev/null 2>&1 || true
}
