#!/usr/bin/env bash
# Plays kelvaro640.exe from the Windows zip under Wine on a virtual display
# (Xvfb, started here), unpacked in a folder with a Cyrillic name and started
# without arguments from one with a Chinese name, as a double click or a
# shortcut starts it: its window appears, the course choice shows exactly the
# frame the headless run draws (scaled by 2 onto a 1280x1024 desktop), Right
# takes the first course, Up then Right in its menu starts play and the
# picture changes, Alt+Enter switches to a window and back, Escape comes
# back to the choice and Escape there ends it with status 0. A course of the pack by
# name and a course of one's own (a Cyrillic folder with its inp1.txt) start
# the same way. Then that course broken and a missing picture beside the
# program: the same message box texts and standard-error lines as on Linux,
# and status 255 and 1. Last the course pack: "-course welle" won by its
# winning script (kelvaro-headless.exe), the same run won from the course
# choice kept as a replay that plays back to the same trace, an unknown name
# and "-courses" as message boxes with the list, status 1 and 0.
#   play_under_wine.sh ZIP HEADLESS_EXE ARTEFACT_DIR
# Screenshots are left in ARTEFACT_DIR. Needs wine, Xvfb, xdotool, ImageMagick.
set -uo pipefail
zip="$1" headless="$2" artefacts="$3"
export WINEDEBUG=-all
run_under_wine="$(cd "$(dirname "$0")/../../tools/windows" && pwd)/run_under_wine.sh"
# Every Wine program starts as the build's do (see run_under_wine.sh), in
# the place of the shell that starts it, so that its number is the game's.
wine=(bash "$run_under_wine" --in-place wine)
rm -rf "$artefacts"
mkdir -p "$artefacts"
work="$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-wine-XXXXXX")"
# A prefix of this run's own: its desktop belongs on the display started
# here, and the server the other tests share stays untouched.
export WINEPREFIX="$work/prefix"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  # This prefix's server runs until told to stop (see run_under_wine.sh).
  bash "$run_under_wine" --stop
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/stderr.txt" ] && sed 's/^/  stderr: /' "$work/stderr.txt" >&2
  exit 1
}

# A display of our own: Xvfb picks a free number and tells it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 100); do
  display="$(tr -dc 0-9 <"$work/display")"
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "$display" ] || fail "Xvfb did not start"
export DISPLAY=":$display"
# The prefix booted and its server started, once, before any program.
bash "$run_under_wine" wine cmd /c exit >"$work/boot.txt" 2>&1 || { cat "$work/boot.txt" >&2; fail "cannot start Wine"; }

unpack() {  # a fresh copy of the zip's folder in $1
  mkdir -p "$1"
  (cd "$1" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
  [ -f "$1/Kelvaro/kelvaro640.exe" ] || fail "no kelvaro640.exe in the zip"
}

wait_for_window() {  # title, seconds; prints the window id
  local id pattern
  pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$"
  for _ in $(seq $(($2 * 10))); do
    id="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

shot() { import -window root "$artefacts/$1.png" 2>/dev/null || fail "no screenshot $1"; }
differs() {  # number of pixels in which two pictures differ
  compare -metric AE "$1" "$2" null: 2>&1 | sed 's/ .*//' | cut -d. -f1
}
press() {  # held long enough for a frame to see it
  xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"; sleep 0.2
}
width_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p'; }

# --- play --------------------------------------------------------------
# Unpacked where a Russian user's downloads go, named in letters that no
# ANSI code page of the West has.
unpack "$work/Пользователь/Downloads"
game="$work/Пользователь/Downloads/Kelvaro"
# The frame the choice must show, drawn headless in the program's data with
# no records yet (as the fresh prefix has none).
(cd "$game/data" && "${wine[@]}" "$headless" --frames 2 --shot "1:$work/menu.bmp" --player-files "$work/no-records" \
  -- -choose) >/dev/null 2>&1 || fail "headless course choice frame"
convert "$work/menu.bmp" -sample 200% "$work/menu-x2.png" || fail "cannot scale the menu frame"

# Started from another folder, as a shortcut without a working folder
# would: the data beside the program is found, and the choice opens.
elsewhere="$work/桌面"
mkdir -p "$elsewhere"
(cd "$elsewhere" && exec "${wine[@]}" "$game/kelvaro640.exe") 2>"$work/stderr.txt" &
game_pid=$!
window="$(wait_for_window Kelvaro 60)" || fail "no window titled Kelvaro"
xdotool mousemove 640 512
sleep 2
shot 0-choice
convert "$artefacts/0-choice.png" -crop 1280x960+0+32 +repage "$work/menu-shown.png"
[ "$(differs "$work/menu-shown.png" "$work/menu-x2.png")" = "0" ] ||
  fail "the course choice on screen is not the headless frame scaled by 2"

press Right
sleep 1
shot 1-menu
[ "$(differs "$artefacts/0-choice.png" "$artefacts/1-menu.png")" != "0" ] || fail "the choice took no course"
press Up
press Right
sleep 1
shot 2-playing
sleep 1
shot 3-playing-later
[ "$(differs "$artefacts/1-menu.png" "$artefacts/2-playing.png")" != "0" ] || fail "play did not start"
[ "$(differs "$artefacts/2-playing.png" "$artefacts/3-playing-later.png")" != "0" ] ||
  fail "the playing picture does not change"

[ "$(width_of "$window")" = "1280" ] || fail "not full screen at the start"
xdotool keydown alt keydown Return; sleep 0.3; xdotool keyup Return keyup alt
sleep 2
shot 4-windowed
w="$(width_of "$window")"
{ [ -n "$w" ] && [ "$w" -ge 640 ] && [ "$w" -lt 1280 ]; } || fail "Alt+Enter gave no window (width $w)"
xdotool mousemove 640 512
xdotool keydown alt keydown Return; sleep 0.3; xdotool keyup Return keyup alt
sleep 2
shot 5-full-screen-again
[ "$(width_of "$window")" = "1280" ] || fail "the second Alt+Enter did not return to full screen"

# Waits up to 10 s for the program to end with the wanted status; `what`
# names the cause in a failure.
program_ends() {  # what wanted-status
  local status
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "$1 did not end the program"
  wait "$game_pid"
  status=$?
  game_pid=""
  [ "$status" = "$2" ] || fail "$1 ended it with status $status, not $2"
}
escape_ends() {  # what
  press Escape
  program_ends "$1: Escape" 0
}
press Escape
sleep 1
shot 6-back-to-choice
[ "$(differs "$artefacts/0-choice.png" "$artefacts/6-back-to-choice.png")" = "0" ] ||
  fail "Escape in play did not come back to the choice as it was"
escape_ends "the zip's program"

# A start that shows the game full screen (not a message box), ended by
# Escape with status 0.
plays_and_ends() {  # name folder program [game arguments]
  local name="$1" folder="$2"
  shift 2
  (cd "$folder" && exec "${wine[@]}" "$@") 2>"$work/stderr.txt" &
  game_pid=$!
  window="$(wait_for_window Kelvaro 60)" || fail "$name: no window titled Kelvaro"
  sleep 1
  shot "$name"
  [ "$(width_of "$window")" = "1280" ] || fail "$name: no full-screen game window"
  escape_ends "$name"
}

# A course of the pack chosen by name, the pack found beside the program.
plays_and_ends 5a-course-from-pack "$elsewhere" "$game/kelvaro640.exe" -course sprung
# A course of one's own in a folder of its own, named in Cyrillic too.
own="$work/Мой курс"
mkdir -p "$own"
cp "$game/data/inp1.txt" "$own/inp1.txt"
plays_and_ends 5b-own-course "$own" "$game/kelvaro640.exe"

# --- fatal ends --------------------------------------------------------
# Runs the program in its folder, answers the message box with Enter and
# checks the box's caption, the standard-error line and the status.
fatal_case() {  # name folder caption line status program [game arguments]
  local name="$1" folder="$2" caption="$3" line="$4" want="$5" box
  shift 5
  (cd "$folder" && exec "${wine[@]}" "$@") 2>"$work/stderr.txt" >"$work/stdout.txt" &
  game_pid=$!
  box="$(wait_for_window "$caption" 60)" || fail "$name: no message box \"$caption\""
  sleep 0.5
  shot "$name"
  xdotool windowfocus "$box" 2>/dev/null
  xdotool key Return
  program_ends "$name: the message's OK" "$want"
  grep -qxF "$line" <(tr -d '\r' <"$work/stderr.txt") || fail "$name: no line \"$line\" on standard error"
}

# The course of one's own is the one read: broken, it is named as broken.
sed -i 's/^b:.*/b:x;/' "$own/inp1.txt"
fatal_case 6-broken-course "$own" "Wichtige Mitteilung (Kelvaro)" \
  "Wichtige Mitteilung (Kelvaro): ungültige Ball-Startposition" 255 "$game/kelvaro640.exe"

unpack "$work/missing"
rm "$work/missing/Kelvaro/data/BITMAPS/leben.bmp"
fatal_case 7-missing-picture "$work/missing/Kelvaro/data" "RK Fatal Error!" \
  "RK Fatal Error!: Bitmap file was not found: leben.bmp" 1 ../kelvaro640.exe

# --- the course pack ---------------------------------------------------
# A course chosen by name is the one played: its winning script wins it.
scripts="$(cd "$(dirname "$0")/../../assets/scripts" && pwd)"
(cd "$game/data" && "${wine[@]}" "$headless" --keys "$scripts/welle-win.keys" --clock-step 16 --frames 6000 \
  --trace "$work/welle.trace" -- -course welle) >/dev/null 2>"$work/stderr.txt"
status=$?
[ "$status" = "255" ] || fail "-course welle with its winning script: status $status, not 255"
grep -q "Sie haben gewonnen" "$work/stderr.txt" || fail "-course welle: not won"

# The same run won from the course choice (four courses down, Right, the
# script from the pass after Right is let go) is kept as welle's best run,
# and that replay plays back under Wine to the trace of the run above.
{ printf '%s\n' "0 +down" "1 -down" "2 +down" "3 -down" "4 +down" "5 -down" "6 +down" "7 -down" "8 +right" "9 -right"
  awk '$1 ~ /^[0-9]+$/ { print $1 + 10, $2 }' "$scripts/welle-win.keys"
  echo "1400 +escape"; } >"$work/choose-welle.keys"
(cd "$game/data" && "${wine[@]}" "$headless" --keys "$work/choose-welle.keys" --frames 1500 --player-files "$work/records" \
  -- -choose) >/dev/null 2>"$work/stderr.txt"
status=$?
[ "$status" = "0" ] || fail "welle won from the choice: status $status, not 0"
grep -q 'Erster Sieg auf "welle"' "$work/stderr.txt" || fail "welle won from the choice: no first record"
[ -f "$work/records/welle.replay" ] || fail "no replay of welle kept"
(cd "$game/data" && "${wine[@]}" "$headless" --keys "$work/records/welle.replay" --clock-step 16 --frames 6000 \
  --trace "$work/replayed.trace") >/dev/null 2>"$work/stderr.txt"
status=$?
[ "$status" = "255" ] || fail "welle's replay: status $status, not 255"
cmp -s "$work/welle.trace" "$work/replayed.trace" || fail "welle's replay does not play back to the winning run's trace"

# A window program's refusal and list are message boxes too, with the list
# also on standard error (and -courses' list on standard output).
fatal_case 8-unknown-course "$game" "Kelvaro" 'Kelvaro: Unbekannter Kurs "nirgendwo".' 1 \
  ./kelvaro640.exe -course nirgendwo
grep -q "^  welle  " <(tr -d '\r' <"$work/stderr.txt") || fail "unknown course: no list on standard error"
fatal_case 9-course-list "$game" "Kelvaro" "Kelvaro: Verfügbare Kurse:" 0 ./kelvaro640.exe -courses
grep -q "^  marathon  " <(tr -d '\r' <"$work/stdout.txt") || fail "-courses: no list on standard output"

echo "played under Wine; screenshots in $artefacts"
