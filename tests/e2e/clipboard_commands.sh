#!/usr/bin/env bash
# The conversion and clipboard commands of the real editor, end to end: keys sent to its window,
# the X11 clipboard read and written from outside with xclip, and the results compared with what
# velmora-convert gives for the same document.
#   clipboard_commands.sh VELMORA VELMORA_CONVERT FAKE_HOST TESTDATA
set -u
VELMORA=$1 CONVERT=$2 FAKE_HOST=$3 TESTDATA=$4
for tool in Xvfb xdotool xclip; do
  command -v "$tool" > /dev/null || { echo "$tool is not installed; skipped"; exit 77; }
done
[ -d "$TESTDATA/rtf" ] || { echo "no test corpus; skipped"; exit 77; }
. "$(dirname "$0")/lib.sh"
e2e_start_display

same_as_converter() {  # FILE MODE [ARGS...]: the clipboard holds what the converter writes
  local file=$1 mode=$2; shift 2
  "$CONVERT" "$mode" "$@" "$file" > "$E2E_TMP/expected" 2> /dev/null
  e2e_clip_get > "$E2E_TMP/actual"
  cmp -s "$E2E_TMP/expected" "$E2E_TMP/actual"
}
clipboard_empty() { [ -z "$(e2e_clip_get)" ]; }

# Keys whose last command writes the clipboard: waits until it no longer holds the sentinel put
# there before. The editor handles keys in order, so everything typed before has been done too.
keys_then_clipboard() {
  e2e_clip_set "sentinel"
  e2e_press "$@"
  wait_until 60 eval '! e2e_clip_is sentinel'
}

dreamweaver=$(e2e_host_dir "Dreamweaver 4")

# Documents from the corpus whose paragraphs all fit the window: the clipboard holds exactly
# what the converter gives without --wrap.
for name in 01-hebrew-plain.lo-odt 02-mixed-latin-numbers.lo-odt 03-bold-italic-underline.abiword-he \
            04-colour-size-combo.lo-html 07-empty-paragraphs.pandoc-md; do
  file=$TESTDATA/rtf/$name.rtf
  [ -f "$file" ] || continue
  e2e_start_velmora "$dreamweaver" "$file" || { E2E_FAILED=$((E2E_FAILED + 1)); continue; }
  wait_until 60 e2e_host_window_up
  keys_then_clipboard alt+shift+c
  e2e_check "$name: Copy to HTML" same_as_converter "$file" --html
  keys_then_clipboard alt+shift+n
  e2e_check "$name: Nonstyled text" same_as_converter "$file" --plain
  e2e_stop_velmora
done

# A selection converts only the selected range and is there again afterwards. The first line is
# selected with Shift+End (arrow keys move visually, and the text is right-to-left).
file=$TESTDATA/rtf/02-mixed-latin-numbers.lo-odt.rtf
first_line=$("$CONVERT" --text "$file" | python3 -c 'import sys; sys.stdout.write(sys.stdin.read().split("\r\n")[0])')
e2e_start_velmora "$dreamweaver" "$file"
keys_then_clipboard ctrl+Home shift+End alt+shift+c
e2e_check "selection: Copy to HTML" same_as_converter "$file" --html --select "0:${#first_line}"
keys_then_clipboard alt+shift+n
e2e_check "selection: Nonstyled text" same_as_converter "$file" --plain --select "0:${#first_line}"
keys_then_clipboard ctrl+c
e2e_check "selection is back" e2e_clip_is "$first_line"

# Erase screen, then the empty editor refuses to copy, says so, and leaves the clipboard alone.
# A notice is logged once it has gone; keys pressed while one is up would not reach the editor.
e2e_clip_set "kept"
e2e_press alt+shift+t alt+shift+c
e2e_check "empty editor: nothing to copy" wait_until 60 e2e_message_shown "picture 158"
e2e_check "empty editor: clipboard unchanged" e2e_clip_is "kept"
# Erase screen on the empty editor still makes what is typed next Hebrew: a blank typed before
# a Latin word is then a right-to-left run of its own and stands after the word.
e2e_press alt+shift+t
wait_until 60 e2e_message_shown "picture 157"
keys_then_clipboard space a b c alt+shift+n
e2e_check "Erase screen resets the character set to Hebrew" e2e_clip_is "abc <BR>"

# Clear clipboard, on a full and on an empty clipboard: each time the notice says it is empty.
e2e_clip_set "something"
: > "$VELMORA_MESSAGE_LOG"
e2e_press alt+shift+d
e2e_check "Clear clipboard empties it" wait_until 60 e2e_message_shown "picture 156"
e2e_check "the clipboard is empty" clipboard_empty
: > "$VELMORA_MESSAGE_LOG"
e2e_press alt+shift+d
e2e_check "Clear clipboard on an empty clipboard" wait_until 60 e2e_message_shown "picture 156"
e2e_check "the clipboard stays empty" clipboard_empty

# Paste from Internet: the visual text arrives in logical order, at the start of what is there.
visual=$(printf '\xd7\x92\xd7\x91\xd7\x90 abc')
e2e_clip_set "$visual"
e2e_press alt+shift+t alt+shift+p ctrl+a ctrl+c
e2e_check "Paste from Internet pastes logical text" wait_until 60 e2e_clip_is "abc $(printf '\xd7\x90\xd7\x91\xd7\x92')"
# And the clipboard holds the visual text again: Erase screen twice ends in a notice once the
# paste is done, without touching the clipboard.
e2e_clip_set "$visual"
: > "$VELMORA_MESSAGE_LOG"
e2e_press alt+shift+t alt+shift+p alt+shift+t alt+shift+t
e2e_check "Paste from Internet puts the visual text back" \
  eval 'wait_until 60 e2e_message_shown "picture 157" && e2e_clip_is "$visual"'
e2e_stop_velmora

# The refusals: no host, a Flash host, and a Dreamweaver host whose window is closed. Each shows
# its message and leaves the clipboard as it was.
refused() {  # FOLDER MESSAGE [START-UP MESSAGE]
  e2e_kill_hosts
  e2e_start_velmora "$1" "$file"
  [ -z "${3:-}" ] || e2e_answer_message "$3" || return 1
  e2e_clip_set "kept"
  : > "$VELMORA_MESSAGE_LOG"
  e2e_press alt+shift+c
  local ok=0
  e2e_answer_message "$2" && e2e_clip_is "kept" || ok=1
  e2e_stop_velmora
  return $ok
}
mkdir -p "$E2E_TMP/Plain Folder"
e2e_check "no host refuses" refused "$E2E_TMP/Plain Folder" 'This program works only\r\nwith Macromedia programs' \
  'Can not find Macromedia program to run'
e2e_check "Flash host refuses" refused "$(e2e_host_dir "Flash 5" flash.exe)" "This action isn't intended work\r\ntogether with Director or Flash"
e2e_check "closed host window refuses" refused "$(e2e_host_dir "Dreamweaver 3" missing.exe)" 'DreamWeaver is not active.\r\nYou must run it.' \
  'Problem to run Macromedia file.'

e2e_finish
