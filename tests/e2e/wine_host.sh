#!/usr/bin/env bash
# The editor beside a Windows authoring tool under Wine, end to end: the Windows stand-in
# (win-host.exe) is started by the editor as the tool, reads the clipboard's CF_TEXT as the tool
# would, and copies Windows-1255 text for Paste from Internet. One Wine prefix, made fresh in a
# temporary folder, serves the whole run.
#   wine_host.sh VELMORA VELMORA_CONVERT WIN_HOST HOST_CHECK_TIME TESTDATA
# Exit code 77 (skipped) when Wine, the cross-compiled programs or the X tools are missing.
set -u
VELMORA=$1 CONVERT=$2 WIN_HOST=$3 HOST_CHECK_TIME=$4 TESTDATA=$5
SKIPPED=77
skip() { echo "$1; skipped"; exit $SKIPPED; }
for tool in Xvfb xdotool xclip iconv; do
  command -v "$tool" > /dev/null || skip "$tool is not installed"
done
[ -f "$WIN_HOST" ] && [ -f "$(dirname "$VELMORA")/velmora-wine-helper.exe" ] ||
  skip "the Windows programs were not built (no mingw-w64 cross compiler)"
WINE=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$WINE" ] || skip "Wine is not installed"
WINESERVER=$(command -v wineserver || echo "$(dirname "$WINE")/wineserver")
[ -d "$TESTDATA/rtf" ] || skip "no test corpus"
. "$(dirname "$0")/lib.sh"
e2e_start_display
export WINEPREFIX=$E2E_TMP/prefix WINEDEBUG=-all
trap '"$WINESERVER" -k 2> /dev/null; e2e_stop' EXIT

# A request to the running stand-in, from a second run of it in the same prefix; files are
# relative to the scratch folder. It runs in the test's own locale (C.UTF-8): the Hebrew code
# page of the session must come from the way Velmora started the host.
stand_in() { (cd "$E2E_TMP" && timeout -k 5 30 "$WINE" "$WIN_HOST" "$@") < /dev/null > /dev/null 2>&1; }
# Waits for the X11 window Wine shows for the program file $1, so that the session the test's
# own requests join is the one Velmora started.
wine_window_shown() { wait_until 120 xdotool search --class "^$1\$" > /dev/null; }
stand_in_reads() { stand_in --paste cf_text && cmp -s "$E2E_TMP/cf_text" "$1"; }
stand_in_gone() { stand_in --state state; [ $? -eq 2 ]; }
document_is() { e2e_press ctrl+a ctrl+c && e2e_clip_is "$1"; }

# Sets the line length through its dialog.
set_line_length() {
  local dialog
  e2e_press alt+l
  wait_until 20 xdotool search --onlyvisible --name '^Set line length for text convertion$' > /dev/null || return 1
  dialog=$(xdotool search --onlyvisible --name '^Set line length for text convertion$' | head -n1)
  e2e_focus "$dialog"
  xdotool type "$1"
  xdotool key Return
  wait_until 20 eval '! xdotool search --onlyvisible --name "^Set line length for text convertion\$" > /dev/null'
}

# Runs a conversion key and waits until the stand-in reads something other than the sentinel put
# on the clipboard before; that is the command's whole output, written at once.
convert_and_read() {
  printf 'sentinel %s' "$1" > "$E2E_TMP/sentinel"
  e2e_clip_set "sentinel $1"
  wait_until 120 stand_in_reads "$E2E_TMP/sentinel" || { echo "the stand-in never read the sentinel"; return 1; }
  e2e_press "$1"
  wait_until 120 eval 'stand_in --paste cf_text && ! cmp -s "$E2E_TMP/cf_text" "$E2E_TMP/sentinel"'
}

# The command key refuses with the message, and the clipboard keeps what it held.
refuses() {  # KEY MESSAGE
  e2e_clip_set "kept"
  : > "$VELMORA_MESSAGE_LOG"
  e2e_press "$1"
  e2e_answer_message "$2" && e2e_clip_is "kept"
}

# --- No Wine: a PATH without it. -----------------------------------------------------------------
nowine=$E2E_TMP/"Dreamweaver no wine"
mkdir -p "$nowine" "$E2E_TMP/empty-bin"
cp "$WIN_HOST" "$nowine/dreamweaver.exe"
real_velmora=$VELMORA
VELMORA=$E2E_TMP/velmora-without-wine
printf '#!/bin/sh\nPATH=%s exec "%s" "$@"\n' "$E2E_TMP/empty-bin" "$real_velmora" > "$VELMORA"
chmod +x "$VELMORA"
e2e_start_velmora "$nowine"
e2e_check "no Wine: the start-up message" wait_until 20 e2e_message_shown "Problem to run Macromedia file."
e2e_check "no Wine: one line on standard error says why" \
  test "$(grep -c 'Wine is not installed' "$E2E_TMP/velmora.log")" -eq 1
e2e_stop_velmora
VELMORA=$real_velmora

# --- A fresh prefix, made once (without the Mono and Gecko installers). ---------------------------
WINEDLLOVERRIDES="mscoree,mshtml=" timeout -k 10 600 "$WINE" wineboot -i < /dev/null > "$E2E_TMP/wineboot.log" 2>&1
timeout 120 "$WINESERVER" -w
[ -f "$WINEPREFIX/system.reg" ] || { cat "$E2E_TMP/wineboot.log"; echo "the Wine prefix was not made"; exit 1; }

# --- Started in "Dreamweaver 4": the stand-in runs under Wine, maximised, in code page 1255. -----
dreamweaver=$E2E_TMP/"Dreamweaver 4"
mkdir -p "$dreamweaver"
cp "$WIN_HOST" "$dreamweaver/dreamweaver.exe"
file=$TESTDATA/rtf/01-hebrew-plain.lo-odt.rtf
e2e_start_velmora "$dreamweaver" "$file"
e2e_check "Dreamweaver: Wine shows the stand-in's window" wine_window_shown 'dreamweaver\.exe'
e2e_check "Dreamweaver: the stand-in answers" wait_until 60 stand_in --state state
e2e_check "Dreamweaver: maximised" grep -q 'maximized=1' "$E2E_TMP/state"
e2e_check "Dreamweaver: code page 1255" grep -q 'acp=1255' "$E2E_TMP/state"
e2e_check "Dreamweaver: no message box" e2e_no_message_box
echo "host check with a Wine session running: $(timeout 120 "$HOST_CHECK_TIME" 5)"
e2e_check "the host check finds the window inside Wine" timeout 60 "$HOST_CHECK_TIME" 1

# --- What the stand-in reads as CF_TEXT is the converter's Windows-1255 output. -------------------
# Further documents are opened beside a folder whose dreamweaver.exe only ends at once: the
# stand-in already running under Wine is the host window they find.
beside=$E2E_TMP/"Dreamweaver UltraDev 4"
mkdir -p "$beside"
printf '#!/bin/sh\nexit 0\n' > "$beside/ultradev.exe"
chmod +x "$beside/ultradev.exe"
first=1
for job in "01-hebrew-plain.lo-odt 1180 256" "02-mixed-latin-numbers.lo-odt 1000 23" \
           "04-colour-size-combo.lo-html 900 9"; do
  read -r name width length <<< "$job"
  file=$TESTDATA/rtf/$name.rtf
  if [ $first -eq 0 ]; then
    e2e_stop_velmora
    e2e_start_velmora "$beside" "$file"
  fi
  first=0
  # Wide enough that no paragraph of these documents wraps: the converter's layout is --wrap 0.
  xdotool windowsize "$E2E_WINDOW" "$width" 700
  set_line_length "$length" || e2e_check "$name: line length set" false
  for mode in html plain; do
    key=alt+shift+c; [ $mode = plain ] && key=alt+shift+n
    "$CONVERT" --$mode --encoding cp1255 --line-length "$length" --wrap 0 "$file" > "$E2E_TMP/expected"
    if convert_and_read "$key"; then
      e2e_check "$name, width $width, line length $length: $mode as CF_TEXT" cmp "$E2E_TMP/expected" "$E2E_TMP/cf_text"
      echo "compared $name --$mode --line-length $length (window $width px): $(wc -c < "$E2E_TMP/cf_text") bytes"
    else
      e2e_check "$name: the $mode output reached the stand-in" false
    fi
  done
done

# --- Paste from Internet of visual text the stand-in copied in Windows-1255. ----------------------
printf '\xe2\xe1\xe0 abc 12' > "$E2E_TMP/visual"
visual_utf8=$(iconv -f cp1255 -t utf-8 "$E2E_TMP/visual")
stand_in --copy visual
e2e_check "the stand-in's CF_TEXT reaches X11" wait_until 30 e2e_clip_is "$visual_utf8"
logical_utf8=$("$CONVERT" --to-logical --encoding cp1255 "$E2E_TMP/visual" | iconv -f cp1255 -t utf-8)
# The paste reads the stand-in's clipboard through Wine. Under load Wine may answer after the X11
# clipboard has stopped waiting, and the editor then finds nothing to paste and says so, as it
# would to a user, who pastes again: so does each try here. A try copies the visual text from the
# stand-in again (the check's own copies of the document replace it) and closes what the last try
# left up; the document is copied again on every wait, so that a copy made before the paste landed
# is not what the check waits on.
paste_tries=0
paste_from_stand_in() {
  paste_tries=$((paste_tries + 1))
  e2e_dismiss_messages
  local notice
  notice=$(xdotool search --onlyvisible --name '^Paste from Internet$' 2> /dev/null | head -n1)
  [ -n "$notice" ] && e2e_key_in "$notice" Escape
  if [ $paste_tries -gt 1 ]; then
    stand_in --copy visual
    wait_until 30 e2e_clip_is "$visual_utf8" || return 1
  fi
  e2e_press ctrl+a alt+shift+p
  wait_until 15 document_is "$logical_utf8"
}
e2e_check "Paste from Internet pastes the logical text" wait_until 90 paste_from_stand_in
[ $paste_tries -gt 1 ] && echo "Paste from Internet landed on try $paste_tries"

# --- The stand-in closed: the commands refuse and leave the clipboard alone. ---------------------
stand_in --close
e2e_check "the stand-in closed" wait_until 60 stand_in_gone
for key in alt+shift+c alt+shift+n alt+shift+p; do
  e2e_check "host closed: $key refuses" refuses $key 'DreamWeaver is not active.\r\nYou must run it.'
done
e2e_stop_velmora

# --- "Flash 5" with a Windows flash.exe: started, and the commands refuse. -----------------------
flash=$E2E_TMP/"Flash 5"
mkdir -p "$flash"
cp "$WIN_HOST" "$flash/flash.exe"
e2e_start_velmora "$flash" "$TESTDATA/rtf/01-hebrew-plain.lo-odt.rtf"
e2e_check "Flash: Wine shows the stand-in's window" wine_window_shown 'flash\.exe'
e2e_check "Flash: the stand-in answers" wait_until 60 stand_in --state state
e2e_check "Flash: no message box" e2e_no_message_box
e2e_check "Flash: Copy to HTML refuses" refuses alt+shift+c "This action isn't intended work\r\ntogether with Director or Flash"
e2e_stop_velmora
stand_in --close

# --- Wine cannot start the program: the start-up message, and the line saying why. ---------------
broken=$E2E_TMP/"Dreamweaver broken"
mkdir -p "$broken"
printf 'MZ\x90\x00 not really a Windows program' > "$broken/dreamweaver.exe"
e2e_start_velmora "$broken"
e2e_check "Wine fails: the start-up message" wait_until 120 e2e_message_shown "Problem to run Macromedia file."
e2e_check "Wine fails: one line on standard error says why" \
  test "$(grep -c 'not a Windows program Wine can run' "$E2E_TMP/velmora.log")" -eq 1
e2e_stop_velmora

# --- No Wine session at all: the check starts nothing of Wine. -----------------------------------
"$WINESERVER" -k
timeout 120 "$WINESERVER" -w
echo "host check with no Wine session: $(timeout 120 "$HOST_CHECK_TIME" 20)"
# Wine's processes of this prefix: Wine programs carry the prefix in their environment.
prefix_processes() {
  local environ
  for environ in $(grep -lsx -z "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ); do
    case $(readlink "${environ%/environ}/exe") in */wine*) echo "${environ%/environ}" ;; esac
  done
}
no_window_and_no_wine() { timeout 60 "$HOST_CHECK_TIME" 1; [ $? -eq 1 ] && [ -z "$(prefix_processes)" ]; }
e2e_check "no Wine session: no window, and nothing of Wine started" no_window_and_no_wine

e2e_finish
