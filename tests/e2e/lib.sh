# Helpers for the end-to-end tests: a private X server, the real velmora binary, its messages,
# keys sent with xdotool and the clipboard read and written with xclip.
#
# Every call that waits on another client (xclip on the selection owner, xdotool --sync on the
# focus, a Wine program on its window) is bounded: an owner that never answers must make a check
# fail, not stop the whole run until CTest kills it with nothing said.

E2E_PASSED=0
E2E_FAILED=0

# Starts a private X server (so that no other test shares its clipboard) and a scratch folder.
e2e_start_display() {
  export LC_ALL=C.UTF-8
  E2E_TMP=$(mktemp -d)
  exec 5> "$E2E_TMP/display"
  # -noreset: without it the server resets whenever its last client leaves, and a client that
  # connects in that moment (the editor starting while xdotool looks for its window) is dropped.
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset > "$E2E_TMP/xvfb.log" 2>&1 &
  E2E_XVFB=$!
  wait_until 60 test -s "$E2E_TMP/display"
  export DISPLAY=:$(head -n1 "$E2E_TMP/display")
  export XDG_CONFIG_HOME=$E2E_TMP/config XDG_DATA_HOME=$E2E_TMP/data XDG_RUNTIME_DIR=$E2E_TMP/runtime
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  export VELMORA_MESSAGE_LOG=$E2E_TMP/messages.log
  trap e2e_stop EXIT
}

# Waits up to $1 seconds for the command after it to succeed.
wait_until() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

# Gives window $1 the keyboard focus and waits until it has it.
e2e_focus() { timeout 10 xdotool windowfocus --sync "$1" 2> /dev/null; }

e2e_stop() {
  e2e_kill_hosts
  pkill -P $$ 2> /dev/null
  [ -n "${E2E_VELMORA:-}" ] && kill "$E2E_VELMORA" 2> /dev/null
  # Waited for: a server still going away unlinks its socket, which may by then be the next
  # test's server's on the same display number.
  [ -n "${E2E_XVFB:-}" ] && { kill "$E2E_XVFB" 2> /dev/null; wait "$E2E_XVFB" 2> /dev/null; }
  rm -rf "$E2E_TMP"
}

# A host folder named $1 whose dreamweaver.exe (or $2) starts the stand-in host window.
e2e_host_dir() {
  local dir=$E2E_TMP/$1 exe=${2:-dreamweaver.exe}
  mkdir -p "$dir"
  printf '#!/bin/sh\necho $$ >> "%s"\nexec "%s"\n' "$E2E_TMP/hosts.pids" "$FAKE_HOST" > "$dir/$exe"
  chmod +x "$dir/$exe"
  echo "$dir"
}

e2e_find_main_window() {
  E2E_WINDOW=$(xdotool search --onlyvisible --name ' - Velmora$' 2> /dev/null | head -n1)
  [ -n "$E2E_WINDOW" ]
}

# Starts velmora in folder $1 with the remaining arguments and waits for its main window. A
# start-up message may come after it: a caller that expects one answers it (e2e_answer_message).
e2e_start_velmora() {
  local dir=$1; shift
  : > "$VELMORA_MESSAGE_LOG"
  (cd "$dir" && exec "$VELMORA" "$@") > "$E2E_TMP/velmora.log" 2>&1 &
  E2E_VELMORA=$!
  E2E_WINDOW=
  wait_until 60 e2e_find_main_window
  [ -n "$E2E_WINDOW" ] || { echo "velmora did not show its window"; cat "$E2E_TMP/velmora.log"; return 1; }
}

# Closes any message box that is up (they are modal: the next key would go to them).
e2e_dismiss_messages() { wait_until 30 e2e_no_box_after_return; }
# True when no box is up; else presses Return in one and is false.
e2e_no_box_after_return() {
  local box
  box=$(e2e_message_box)
  [ -z "$box" ] && return 0
  e2e_key_in "$box" Return
  return 1
}
# Presses key $2 in window $1. Both halves go through XTEST to the focused window: xdotool's
# --window sends the release to the window by name, and a window that the press closed takes no
# release, so the key would stay down and its repeats close the next box that shows.
e2e_key_in() { e2e_focus "$1" && xdotool key "$2"; }

# A stand-in host window (started by e2e_host_dir's program) is open.
e2e_host_window_up() { xdotool search --onlyvisible --class '^AfxFrameOrView42$' > /dev/null 2>&1; }

# Ends every stand-in host the tests started, so that no host window is open.
e2e_kill_hosts() {
  [ -f "$E2E_TMP/hosts.pids" ] && xargs -r kill < "$E2E_TMP/hosts.pids" 2> /dev/null
  rm -f "$E2E_TMP/hosts.pids"
  wait_until 30 eval '! e2e_host_window_up'
}

# An ended child stays a zombie until it is waited for, and kill -0 still finds it.
e2e_velmora_running() {
  local state
  state=$(ps -o stat= -p "$E2E_VELMORA" 2> /dev/null)
  [ -n "$state" ] && [ "${state#Z}" = "$state" ]
}

# Ends the editor; the copy of unsaved changes it keeps on that goes too, so that the next start
# asks nothing about it.
e2e_stop_velmora() {
  kill "$E2E_VELMORA" 2> /dev/null
  wait_until 30 eval '! e2e_velmora_running' || kill -KILL "$E2E_VELMORA" 2> /dev/null
  wait "$E2E_VELMORA" 2> /dev/null
  E2E_VELMORA=
  rm -rf "$XDG_DATA_HOME"
}

# Sends keys to the editor's main window. The editor handles them in order: a check waits for
# what the last one does, and everything before it has been done by then.
e2e_press() {
  e2e_focus "$E2E_WINDOW"
  xdotool key --delay 30 "$@"
}

e2e_clip_get() { timeout 10 xclip -selection clipboard -o 2> /dev/null; }
# xclip serves the selection from a child it forks, which may not own it yet when xclip returns.
e2e_clip_set() {
  printf '%s' "$1" | xclip -selection clipboard -i
  wait_until 10 e2e_clip_is "$1"
}
e2e_clip_is() { [ "$(e2e_clip_get)" = "$1" ]; }

e2e_check() {
  local name=$1; shift
  if "$@"; then
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "ok: $name"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAILED: $name"
  fi
}

e2e_message_shown() { grep -qF -- "$1" "$VELMORA_MESSAGE_LOG"; }
# The window of a message box that is up (boxes are titled "Velmora"), or nothing.
e2e_message_box() { xdotool search --onlyvisible --name '^Velmora$' 2> /dev/null | head -n1; }
e2e_message_box_up() { [ -n "$(e2e_message_box)" ]; }
# Waits for the message box saying $1 and closes it. The log line comes before the box shows.
e2e_answer_message() {
  if ! wait_until 60 e2e_message_shown "$1"; then
    echo "waiting for the message \"$1\"; the log holds:"
    cat "$VELMORA_MESSAGE_LOG"
    return 1
  fi
  wait_until 30 e2e_message_box_up || { echo "the message \"$1\" was logged but no box showed"; return 1; }
  e2e_dismiss_messages
}
e2e_no_message_box() { ! grep -q "^Velmora$(printf '\t')" "$VELMORA_MESSAGE_LOG"; }

e2e_finish() {
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
