#!/bin/sh
# Makes the pictures of docs/: the program's three tabs with a worked example
# filled in, and the first page of its report.
#   sh scripts/make-screenshots.sh [BUILD_DIR]     (make screenshots)
# Builds the program if needed, runs it under Xvfb, types the example with
# xdotool, takes the window with ImageMagick's import, and renders the report
# with talven-report and pdftoppm. The window's positions below are those of
# the main window at 96 dpi.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build="$here/$build" ;; esac

if [ "${TALVEN_SHOTS_INSIDE:-}" != 1 ]; then
  sh "$here/scripts/ensure-packages.sh" xvfb xauth xdotool imagemagick poppler-utils
  if [ ! -x "$build/bin/talven" ] || [ ! -x "$build/bin/talven-report" ]; then
    cmake -S "$here" -B "$build" -G Ninja
    cmake --build "$build" --target talven talven-report
  fi
  mkdir -p "$here/docs"
  TALVEN_SHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" sh "$0" "$build"
fi

# ---- inside the virtual screen ----
work=$(mktemp -d)
trap 'kill "$program" 2>/dev/null || true; rm -rf "$work"' EXIT INT TERM
mkdir -m 700 "$work/runtime"
# Settings of its own: the study saved here stays out of the user's recent list.
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_SCALE_FACTOR=1
docs="$here/docs"

"$build/bin/talven" &
program=$!

# The title window stays a second; then the main window, captioned タルヴェン.
window=""
for attempt in $(seq 1 50); do
  window=$(xdotool search --onlyvisible --name '^タルヴェン$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the main window did not appear" >&2; exit 1; }
sleep 0.5

click() {  # x y, relative to the main window
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.3
}
typed() {  # text, then a pause for the window to follow
  xdotool type --delay 60 "$1"
  sleep 0.2
}
enter() {
  xdotool key Return
  sleep 0.2
}
shot() {  # file name under docs/
  sleep 0.6
  import -window "$window" "$docs/$1"
  echo "docs/$1"
}

# Tab 0: names, then the values, Enter moving down each column.
click 96 214
typed "本体"; enter
typed "翼壁(川表)"; enter
typed "翼壁(川裏)"; enter
typed "外水位"; enter
typed "内水位"
click 215 214
typed "3"; enter
typed "2"; enter
typed "1"; enter
typed "3"; enter
typed "1"
click 366 328   # 極めて細かい砂またはシルト
shot tab-method.png

# Tab 1: "次へ" leaves the cursor in the first length box.
click 612 472
typed "3"; enter
typed "1.5"
click 96 121
typed "川表"; enter
typed "川裏"
click 350 472   # 計算結果を見る
shot tab-vertical.png

# Tab 2.
click 612 472
typed "2.5"; enter
typed "2.5"
click 96 121
typed "左岸"; enter
typed "右岸"
click 350 472
shot tab-horizontal.png

# The study saved through File > 上書き保存 (the save dialog, as it has no file yet), for the report.
xdotool key ctrl+s
sleep 1.5
xdotool key ctrl+a
typed "$work/example.vek"
enter
sleep 1
[ -s "$work/example.vek" ] || { echo "File > 上書き保存 wrote no study file" >&2; exit 1; }
cp "$work/example.vek" "$docs/example.vek"
echo "docs/example.vek"

# The report of the saved study as it is handed in, first page at 100 dpi; a
# fixed date, so that the picture changes only with the page.
"$build/bin/talven-report" --job "○○川樋門詳細設計業務" --structure "樋門A" --date "2026年12月7日" \
  "$work/example.vek" -o "$work/report.pdf" | tee "$work/verdicts"
# The example typed as meant: vertical (6/3 + 9) / 2, horizontal (6/3 + 10) / 2.
grep -q '5\.50' "$work/verdicts" && grep -q '6\.00' "$work/verdicts" \
  || { echo "the study typed is not the worked example: check the window positions" >&2; exit 1; }
pdftoppm -png -r 100 -singlefile "$work/report.pdf" "$docs/report"
echo "docs/report.png"

# The calculation sheet's page of the checks and the section drawing (the third page).
"$build/bin/talven-report" --job "○○川樋門詳細設計業務" --structure "樋門A" --date "2026年12月7日" \
  --sheet --page-label "3-12" "$work/example.vek" -o "$work/sheet.pdf" >/dev/null
pdftoppm -png -r 100 -f 3 -l 3 -singlefile "$work/sheet.pdf" "$docs/sheet"
echo "docs/sheet.png"
