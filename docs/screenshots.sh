#!/usr/bin/env bash
# Takes the user guide's screenshots from the real program, under a virtual display of its own with
# the openbox window manager, on a bank of sample resumes in a temporary data folder, and writes
# them to docs/images/. Needs a built tree (scripts/run.sh builds build/release) and the packages
# xvfb, openbox, xdotool, x11-utils, imagemagick and sqlite3. Usage: docs/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
images=docs/images
talvanor=$build/app/talvanor
[ -x "$talvanor" ] || { echo "no program at $talvanor: build it first (scripts/run.sh)" >&2; exit 1; }
for tool in Xvfb openbox xdotool xwininfo import sqlite3; do
    command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install xvfb openbox xdotool x11-utils imagemagick sqlite3)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and tells it.
Xvfb -displayfd 3 -screen 0 1180x760x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
export QT_QPA_PLATFORM=xcb

# The sample bank: made as talvanor-init makes it, then our own sample candidates.
"$build/tools/talvanor-init" >/dev/null
bank=$XDG_DATA_HOME/talvanor/TalvanorData.mdb
add_resume() { # id name experience email organization status qualifications specializations locations text
    local id=$1
    sqlite3 "$bank" "INSERT INTO [Abstract Information] VALUES ($id, '$2', '$3', '$4', '$5', '$6');"
    local value
    IFS=',' read -ra value <<<"$7"; for v in "${value[@]}"; do sqlite3 "$bank" "INSERT INTO Qualifications VALUES ($id, '$v');"; done
    IFS=',' read -ra value <<<"$8"; for v in "${value[@]}"; do sqlite3 "$bank" "INSERT INTO Specializations VALUES ($id, '$v');"; done
    IFS=',' read -ra value <<<"$9"; for v in "${value[@]}"; do sqlite3 "$bank" "INSERT INTO Locations VALUES ($id, '$v');"; done
    sqlite3 "$bank" "INSERT INTO Resume VALUES ($id, '${10}');"
}
add_resume 1 "Asha Raman" "5-7" "asha.raman@example.com" "Northwind Systems" "Active For Proccesing" \
    "B.E." "JAVA,ORACLE DEV/DES" "Bangalore,Pune" \
    "Asha Raman. Senior Java developer: Spring Boot services, Oracle schemas, team lead for four developers."
add_resume 2 "Daniel Okafor" "2-5" "d.okafor@example.net" "Bluefin Retail" "Hold" \
    "B.Sc." "WEB DESIGN" "Mumbai" "Daniel Okafor. Web designer: HTML, CSS, JavaScript, Node.js and accessibility reviews."
add_resume 3 "Meera Iyer" "7-10" "meera.iyer@example.org" "Crescent Bank" "Selected" \
    "M.C.A.,B.Sc." "JAVA,TESTING" "Chennai,Anywhere in India" \
    "Meera Iyer. Java and Spring developer, test automation with JUnit, Selenium; mentors interns."
add_resume 4 "Tomás Varga" "10-15" "tomas.varga@example.com" "Polar Freight" "Active For Proccesing" \
    "M.Tech." "UNIX ADMINISTRATORS,NETWORKING" "Overseas" \
    "Tomás Varga. Unix administrator, TCP/IP networks, shell scripting, AS/400 migration."
add_resume 5 "Lina Haddad" "1-2" "lina.haddad@example.com" "Sunrise Media" "Active For Proccesing" \
    "BCA" "C/C++,VC++" "Hyderabad" "Lina Haddad. C++ and C# developer, Qt desktop tools, some Java and Spring."
add_resume 6 "Rahul Mehta" "More than 15" "rahul.mehta@example.net" "Atlas Consulting" "Rejected" \
    "M.B.A.,B.Com." "ERP" "Delhi,Gurgaon" "Rahul Mehta. ERP consultant, finance and logistics modules, PL/SQL reports."
add_resume 7 "Sara Lindqvist" "2-5" "" "Fjord Labs" "Active For Proccesing" \
    "M.Sc." "JAVA" "Overseas" "Sara Lindqvist. Java developer: Spring, Kotlin, cloud services; team lead on two projects."

"$talvanor" &
pids+=($!)

# Waits for a window titled exactly so, makes it active and prints its id.
window() {
    local id
    id=$(xdotool search --sync --onlyvisible --name "^$1\$" | tail -1)
    xdotool windowactivate --sync "$id" 2>/dev/null || true
    sleep 0.4
    echo "$id"
}
# A window with its frame and whatever pops up over it, as the user sees it: cut from the screen,
# once it has painted.
shot() {
    sleep 0.8
    eval "$(xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ {print "x=" $2} /Absolute upper-left Y/ {print "y=" $2}
                                       /Width/ {print "w=" $2} /Height/ {print "h=" $2}' | tr -d ' ')"
    import -window root -crop "$((w + 2))x$((h + 21))+$((x - 1))+$((y - 20))" +repage "$images/$2"
    echo "wrote $images/$2"
}
# Clicks at a point of a window, counted from its top left corner below the title bar.
click_at() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; sleep 0.3; }
keys() { xdotool key --delay 120 "$@"; sleep 0.4; }
type_text() { xdotool type --delay 25 "$1"; }

main=$(window Talvanor)
sleep 1
import -window root "$images/main-window.png" && echo "wrote $images/main-window.png"

# The input form, filled in, and the list it chooses qualifications from.
keys alt+a m
form=$(window "Resume Input Form")
type_text "Priya Nair"; keys Tab; type_text "priya.nair@example.com"; keys Tab; type_text "Harbour Analytics"
keys Tab Down Down Down
click_at "$form" 200 260
for line in "Priya Nair" "Data analyst, Harbour Analytics (2021-today)" "" \
            "SQL, Python and Power BI dashboards for retail chains." "Leads a team of three analysts." "" \
            "B.E. in computer science; M.C.A."; do
    type_text "$line"; keys Return
done
keys alt+q
select=$(window Select)
# The list's items stand 14 pixels apart from 37 down: B.E. and M.C.A. chosen.
click_at "$select" 40 65
xdotool keydown ctrl; click_at "$select" 40 177; xdotool keyup ctrl
shot "$select" value-list.png
keys Return
xdotool windowactivate --sync "$form"
shot "$form" resume-input-form.png
keys Escape

# A keyword search, its results and one resume's text.
keys alt+v q
search=$(window "Search The Resume")
keys alt+k; type_text "java spring"
shot "$search" query-form.png
keys Return
results=$(window "Result Window")
shot "$results" result-window.png
keys Return
view=$(window "File View")
shot "$view" file-view.png
keys Return
xdotool windowactivate --sync "$results"; keys Escape
xdotool windowactivate --sync "$search"; keys Escape

# A PDF resume handed to the running program, as the file manager does: its name tagged, its
# e-mail address selected and the tagging menu open.
"$talvanor" "$PWD/tests/data/documents/resume.pdf"
text=$(window "Text Resume")
xdotool mousemove --window "$text" 30 22 click --repeat 2 --delay 100 1; keys shift+End
click_at "$text" 60 22 3; click_at "$text" 100 32
click_at "$text" 247 36; xdotool keydown shift; click_at "$text" 392 36; xdotool keyup shift
click_at "$text" 360 36 3
shot "$text" text-resume.png
keys Escape
keys Escape

xdotool windowactivate --sync "$main"; keys alt+a x
wait "${pids[2]}" || true
