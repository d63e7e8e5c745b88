# Helpers for the end-to-end tests: a private X server, the real velmora binary, its messages,
# keys sent with xdotool and the clipboard read and written with xclip.

E2E_PASSED=0
E2E_FAILED=0

# Starts a private X server (so that no other test shares its clipboard) and a scratch folder.
e2e_start_display() {
  export LC_ALL=C.UTF-8
  E2E_TMP=$(mktemp -d)
  exec 5> "$E2E_TMP/display"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp > "$E2E_TMP/xvfb.log" 2>&1 &
  E2E_XVFB=$!
  for _ in $(seq 50); do [ -s "$E2E_TMP/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n1 "$E2E_TMP/display")
  export XDG_CONFIG_HOME=$E2E_TMP/config XDG_RUNTIME_DIR=$E2E_TMP/runtime
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  export VELMORA_MESSAGE_LOG=$E2E_TMP/messages.log
  trap e2e_stop EXIT
}

e2e_stop() {
  e2e_kill_hosts
  pkill -P $$ 2> /dev/null
  [ -n "${E2E_VELMORA:-}" ] && kill "$E2E_VELMORA" 2> /dev/null
  [ -n "${E2E_XVFB:-}" ] && kill "$E2E_XVFB" 2> /dev/null
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

# Starts velmora in folder $1 with the remaining arguments and waits for its main window.
e2e_start_velmora() {
  local dir=$1; shift
  : > "$VELMORA_MESSAGE_LOG"
  (cd "$dir" && exec "$VELMORA" "$@") > "$E2E_TMP/velmora.log" 2>&1 &
  E2E_VELMORA=$!
  E2E_WINDOW=
  for _ in $(seq 150); do
    E2E_WINDOW=$(xdotool search --onlyvisible --name ' - Velmora$' 2> /dev/null | head -n1)
    [ -n "$E2E_WINDOW" ] && break
    sleep 0.1
  done
  [ -n "$E2E_WINDOW" ] || { echo "velmora did not show its window"; cat "$E2E_TMP/velmora.log"; return 1; }
  e2e_dismiss_messages
}

# Closes any message box that is up (they are modal: the next key would go to them).
e2e_dismiss_messages() {
  local box
  for _ in $(seq 20); do
    box=$(xdotool search --onlyvisible --name '^Velmora$' 2> /dev/null | head -n1)
    [ -z "$box" ] && return 0
    xdotool windowfocus --sync "$box" 2> /dev/null
    xdotool key --window "$box" Return 2> /dev/null
    sleep 0.2
  done
}

# Ends every stand-in host the tests started, so that no host window is open.
e2e_kill_hosts() {
  [ -f "$E2E_TMP/hosts.pids" ] && xargs -r kill < "$E2E_TMP/hosts.pids" 2> /dev/null
  rm -f "$E2E_TMP/hosts.pids"
  sleep 0.3
}

e2e_stop_velmora() {
  kill "$E2E_VELMORA" 2> /dev/null
  wait "$E2E_VELMORA" 2> /dev/null
  E2E_VELMORA=
}

# Sends keys to the editor and waits until the command has finished (its window answers again).
e2e_keys() {
  xdotool windowfocus --sync "$E2E_WINDOW" 2> /dev/null
  xdotool key --delay 30 "$@"
  sleep 0.3
  for _ in $(seq 100); do
    # A blocked interface thread does not answer; xdotool getwindowname goes to the X server only,
    # so wait for the status bar's "Ready" through a cheap round trip instead.
    xprop -id "$E2E_WINDOW" WM_NAME > /dev/null 2>&1 && break
    sleep 0.1
  done
  sleep "${E2E_SETTLE:-1.5}"
}

e2e_clip_get() { xclip -selection clipboard -o 2> /dev/null; }
e2e_clip_set() { printf '%s' "$1" | xclip -selection clipboard -i; sleep 0.2; }

e2e_check() {
  local name=$1; shift
  if "$@"; then
    E2E_PASSED=$((E2E_PASSED + 1))
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAILED: $name"
  fi
}

e2e_message_shown() { grep -qF -- "$1" "$VELMORA_MESSAGE_LOG"; }

e2e_finish() {
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
