#!/usr/bin/env bash
# Unsaved changes outlive the editor: killed outright, or asked to end by the session (SIGTERM),
# it leaves a copy that its next start offers back; No deletes the copy.
#   unsaved_changes.sh VELMORA
set -u
VELMORA=$1
for tool in Xvfb xdotool xclip; do
  command -v "$tool" > /dev/null || { echo "$tool is not installed; skipped"; exit 77; }
done
. "$(dirname "$0")/lib.sh"
e2e_start_display
folder=$E2E_TMP/work
mkdir -p "$folder"
copies() { find "$XDG_DATA_HOME" -name '*.rtf' 2> /dev/null; }
have_copy() { [ -n "$(copies)" ]; }
start() {
  e2e_start_velmora "$folder" && e2e_answer_message 'Can not find Macromedia program to run'
}
# Copies the whole document with Ctrl+A, Ctrl+C and prints it.
document_text() {
  e2e_clip_set "sentinel"
  e2e_press ctrl+a ctrl+c
  wait_until 30 eval '! e2e_clip_is sentinel'
  e2e_clip_get
}
offered_back() {  # answers the offer with key $1
  e2e_start_velmora "$folder" &&
    wait_until 60 e2e_message_shown 'without saving the changes to a new document, and kept a copy' &&
    wait_until 30 e2e_message_box_up && e2e_key_in "$(e2e_message_box)" "$1" &&
    e2e_answer_message 'Can not find Macromedia program to run'
}
ended() {
  wait_until 30 eval '! e2e_velmora_running' || return 1
  wait "$E2E_VELMORA" 2> /dev/null
  E2E_VELMORA=
}

e2e_start_velmora "$folder"
wait_until 60 e2e_message_shown 'Can not find Macromedia program to run'
kill -TERM "$E2E_VELMORA"
e2e_check "SIGTERM ends the editor while a start-up message is up" ended

start
e2e_press a b c
e2e_check "a copy is kept of the unsaved changes" wait_until 60 have_copy
typed=$(document_text)
kill -KILL "$E2E_VELMORA"
ended

e2e_check "the next start offers the copy back and Yes opens it" offered_back Return
same_as_typed() { [ -n "$typed" ] && [ "$(document_text)" = "$typed" ]; }
e2e_check "the document is as it was" same_as_typed

e2e_press End d
before_term=$(document_text)  # and so the editor has taken the key
kill -TERM "$E2E_VELMORA"
e2e_check "SIGTERM ends the editor without asking" ended
e2e_check "a start after SIGTERM offers the copy back" offered_back Return
same_as_before_term() { [ "$before_term" != "$typed" ] && [ "$(document_text)" = "$before_term" ]; }
e2e_check "the copy holds what was typed just before SIGTERM" same_as_before_term

kill -KILL "$E2E_VELMORA"
ended
e2e_check "No deletes the copy" offered_back n
e2e_check "and no copy is left" eval '! have_copy'
e2e_stop_velmora
e2e_finish
