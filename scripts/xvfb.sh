# Starts a virtual X display of the caller's own. Source it from a sh
# script, then call
#
#   start_xvfb FIRST LOG
#
# which takes the first free display number from FIRST up, starts Xvfb on it
# (1280x1024, 24 bits) with its output in LOG, waits until it accepts
# clients and sets `display` and `xvfb_pid`. When Xvfb does not come up it
# prints why and exits 77 (skipped). The caller kills $xvfb_pid at its end.
start_xvfb() {
  display=$1
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$2" 2>&1 &
  xvfb_pid=$!
  tries=0
  until [ -e "/tmp/.X11-unix/X$display" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "skipped: Xvfb did not start"
      cat "$2"
      exit 77
    fi
    sleep 0.1
  done
}
