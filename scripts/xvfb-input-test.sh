#!/bin/sh
# The real program driven by a real pointer and key tool (xdotool, through
# the X server's test extension) on a virtual display, with the sample
# library and fresh settings: clicks on a Commentary link and a Strong's
# link of the Bible view (KJV with Strong's links), the quick jump (Alt+G,
# a typed reference, Enter), a pane toggle (F12), a second start that exits
# while the first stays, the image viewer from the menu bar, and File > Exit. The settings file the program writes
# at its close tells what each key did. Pictures of the window before and
# after go to ARTIFACTS when ImageMagick's import is installed.
#
#   scripts/xvfb-input-test.sh [LUMORA [ARTIFACTS]]
#
# Exits 77 (skipped) without LUMORA_LIBRARY, Xvfb or xdotool.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
lumora=${1:-$here/build/lumora}
artifacts=${2:-$here/build/artifacts}

if [ -z "${LUMORA_LIBRARY:-}" ] || [ ! -f "$LUMORA_LIBRARY/Bibles/KJV.lmb" ]; then
  echo "skipped: LUMORA_LIBRARY does not name the sample library"
  exit 77
fi
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done
[ -x "$lumora" ] || { echo "error: $lumora is not built" >&2; exit 1; }

mkdir -p "$artifacts"
tmp=$(mktemp -d)
xvfb_pid=
lumora_pid=
cleanup() {
  [ -n "$lumora_pid" ] && kill "$lumora_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

. "$here/scripts/xvfb.sh"
start_xvfb 120 "$tmp/xvfb.log"
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$tmp/config"
key="lumora-keys-$$"
settings=$tmp/config/Lumora/settings.reg

shot() {
  command -v import >/dev/null 2>&1 && import -window root "$artifacts/$1" 2>/dev/null
}
fail() {
  echo "error: $1" >&2
  [ -f "$tmp/lumora.log" ] && tail -20 "$tmp/lumora.log" >&2
  exit 1
}
# A settings value as the file stores it ("dword:0000000c" gives 12).
value() {
  hex=$(sed -n "s/^\"$1\"=dword:\([0-9a-f]*\).*/\1/p" "$settings" | head -1)
  [ -n "$hex" ] && printf '%d\n' "0x$hex"
}

# A first run writes the settings; the second opens on the KJV with
# Strong's links, so its page holds Strong's links beside Commentary links.
timeout 30 "$lumora" --data "$LUMORA_LIBRARY" --instance-key "$key" --quit-after-ms 500 \
  >"$tmp/first-run.log" 2>&1 || fail "the first run failed"
[ -f "$settings" ] || fail "the first run wrote no settings"
sed -i 's/^"ActiveResources"="[^,]*,/"ActiveResources"="KJVSL,/' "$settings"
grep -q '^"ActiveResources"="KJVSL,' "$settings" || fail "no ActiveResources after the first run"

"$lumora" --data "$LUMORA_LIBRARY" --instance-key "$key" --link-map "$tmp/links.txt" \
  >"$tmp/lumora.log" 2>&1 &
lumora_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lumora' | head -1)
[ -n "$window" ] || fail "the main window did not appear"
xdotool windowfocus --sync "$window"
sleep 1
shot input-first-window.png

# The pointer: the second Commentary link of the first verse (Scofield on
# John 1:1; the pane opens on the first Commentary, MHCC).
tries=0
until [ -s "$tmp/links.txt" ]; do
  tries=$((tries + 1))
  [ "$tries" -gt 100 ] && fail "no link map written"
  sleep 0.1
done
link=$(grep -m1 '^lc:1,' "$tmp/links.txt")
[ -n "$link" ] || fail "no second Commentary link on the first page"
set -- $link
xdotool mousemove --sync "$2" "$3" click 1
sleep 0.5
# A Greek Strong's number: the Book pane opens the Greek lexicon.
link=$(grep -m1 '^g:' "$tmp/links.txt")
[ -n "$link" ] || fail "no Greek Strong's link on the first page"
set -- $link
xdotool mousemove --sync "$2" "$3" click 1
sleep 0.5
xdotool mousemove 5 5

# Quick jump: Alt+G, the reference as typed, Enter.
xdotool key --clearmodifiers alt+g
sleep 0.3
xdotool type --delay 20 "ps 23:1"
xdotool key Return
sleep 0.5
# The Commentary pane off.
xdotool key F12
sleep 0.5

# A second start with the same instance key hands over and exits at once.
timeout 20 "$lumora" --data "$LUMORA_LIBRARY" --instance-key "$key" >"$tmp/second.log" 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "the second start exited with $rc"
kill -0 "$lumora_pid" 2>/dev/null || fail "the first instance is gone after the second start"
xdotool windowfocus --sync "$window"
sleep 0.5
shot input-after.png

# The image viewer from the menu bar: Alt+F, right to "Images", its first item.
xdotool key --clearmodifiers alt+f
sleep 0.3
xdotool key Right Right Right Right Right Right Right Right Right Return
viewer=$(timeout 10 xdotool search --sync --onlyvisible --name 'Lumora Image Viewer' | head -1)
[ -n "$viewer" ] || fail "Images > Open Image Viewer showed no viewer"
sleep 0.5
shot input-image-viewer.png
xdotool windowfocus --sync "$window"
sleep 0.3

# Exit through the menu: Alt+F, then Up to its last item, Exit.
xdotool key --clearmodifiers alt+f
sleep 0.3
xdotool key Up Return
tries=0
while kill -0 "$lumora_pid" 2>/dev/null; do
  tries=$((tries + 1))
  [ "$tries" -gt 100 ] && fail "File > Exit did not close the program"
  sleep 0.1
done
wait "$lumora_pid"
lumora_pid=

[ -f "$settings" ] || fail "no settings written at the close"
status=0
# Psalm 23:1 is verse 14,237 of the King James order.
verse=$(value LastBibleVerse)
[ "$verse" = 14237 ] || { echo "error: LastBibleVerse is '$verse', not Psalm 23:1 (14237)" >&2; status=1; }
comment=$(value ViewComment)
[ "$comment" = 0 ] || { echo "error: ViewComment is '$comment' after F12" >&2; status=1; }
commentary=$(sed -n 's/^"ActiveResources"="[^,]*,\([^,]*\),.*/\1/p' "$settings")
[ "$commentary" = Scofield ] || { echo "error: the Commentary is '$commentary' after the click on Scofield" >&2; status=1; }
book=$(sed -n 's/^"ActiveResources"="[^,]*,[^,]*,[^,]*,\([^,]*\),.*/\1/p' "$settings")
[ "$book" = StrGrk ] || { echo "error: the Book is '$book' after the click on a Greek number" >&2; status=1; }
bible=$(value ViewBible)
[ "$bible" = 1 ] || { echo "error: ViewBible is '$bible'" >&2; status=1; }
[ "$status" -eq 0 ] && echo "ok: a Commentary and a Strong's link clicked, quick jump, F12, second start, image viewer and File > Exit"
exit "$status"
