#!/usr/bin/env bash
# On a Wayland desktop the editor must still be an X11 client, beside the Wine programs it works
# with: a headless Wayland compositor with XWayland stands in for the desktop, and the editor's
# window has to show up on XWayland's X server, not as a Wayland surface.
#   wayland_desktop.sh VELMORA
set -u
VELMORA=$1
for tool in weston Xwayland xdotool; do
  command -v "$tool" > /dev/null || { echo "$tool is not installed; skipped"; exit 77; }
done
# Without Qt's Wayland plugin the editor could not become a Wayland client anyway.
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so > /dev/null 2>&1 \
  || { echo "Qt's Wayland plugin is not installed; skipped"; exit 77; }
. "$(dirname "$0")/lib.sh"

export LC_ALL=C.UTF-8
E2E_TMP=$(mktemp -d)
export XDG_RUNTIME_DIR=$E2E_TMP/runtime XDG_CONFIG_HOME=$E2E_TMP/config XDG_DATA_HOME=$E2E_TMP/data VELMORA_MESSAGE_LOG=$E2E_TMP/messages.log
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
trap e2e_stop EXIT
weston --backend=headless-backend.so --socket=velmora-test --xwayland > "$E2E_TMP/weston.log" 2>&1 &
E2E_XVFB=$!  # stopped with the rest by e2e_stop
xwayland_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_TMP/weston.log" | head -n1; }
xwayland_up() { [ -n "$(xwayland_display)" ]; }
wait_until 60 xwayland_up || { echo "weston did not start XWayland"; cat "$E2E_TMP/weston.log"; exit 1; }
# A session as a Wayland desktop other than GNOME announces it, which is where Qt would
# otherwise pick its Wayland plugin.
export DISPLAY=$(xwayland_display) WAYLAND_DISPLAY=velmora-test XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE
unset QT_QPA_PLATFORM

mkdir -p "$E2E_TMP/plain"
e2e_check "the editor's window is on the X server" e2e_start_velmora "$E2E_TMP/plain"
e2e_stop_velmora
# Qt says which plugin it loaded; a user who asks for Wayland gets it.
(cd "$E2E_TMP/plain" && QT_QPA_PLATFORM=wayland QT_LOGGING_RULES=qt.qpa.plugin=true exec "$VELMORA") \
  > "$E2E_TMP/velmora.log" 2>&1 &
E2E_VELMORA=$!
e2e_check "a platform the user chose is kept" \
  wait_until 60 grep -q 'loaded Qt platform plugin "wayland"' "$E2E_TMP/velmora.log"
e2e_stop_velmora
e2e_finish
