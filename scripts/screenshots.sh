#!/usr/bin/env bash
# Remakes the screenshots in docs/: the program runs under a virtual X server, each tool is
# opened through the menus with the keyboard, and its window is captured.
#   scripts/screenshots.sh [BUILD_DIR]        (needs: xvfb xauth xdotool imagemagick)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program=$PWD/$build/korvane
out=$PWD/docs
[ -x "$program" ] || { echo "build the program first (make build)" >&2; exit 1; }
for c in xvfb-run xdotool import; do
  command -v $c > /dev/null || { echo "missing $c: apt-get install -y xvfb xauth xdotool imagemagick" >&2; exit 1; }
done

# shot NAME WINDOW-TITLE KEYS...: start the program, type the keys, capture the titled window.
inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat > "$inner" <<'IN'
#!/usr/bin/env bash
program=$1 out=$2 name=$3 title=$4; shift 4
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
workdir=$(mktemp -d); cd "$workdir"
"$program" & pid=$!
sleep 2
main=$(xdotool search --pid $pid --onlyvisible 2>/dev/null | head -1)
for k in "$@"; do
  # Without a window manager nothing gives a window the focus: keys go to the frame, and
  # keys written "@key …" to the window being shot.
  target=$main
  if [[ "$k" == @* ]]; then
    k=${k#@}
    target=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | tail -1)
  fi
  [ -n "$target" ] && [[ "$k" == key* || "$k" == type* ]] && xdotool windowfocus --sync "$target" 2>/dev/null
  eval "xdotool $k"; sleep 0.5
done
sleep 1
wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | tail -1)
if [ -n "$wid" ]; then import -window "$wid" "$out/$name.png"; else import -window root "$out/$name.png"; fi
kill $pid 2>/dev/null; wait $pid 2>/dev/null
rm -rf "$workdir"
IN
chmod +x "$inner"
shot() { xvfb-run -a -s "-screen 0 1024x768x24" "$inner" "$program" "$out" "$@" && echo "docs/$1.png"; }

shot screenshot Korvane "type 'Hello, Korvane!'" "key Return" "type 2026"
shot calendar 日历 "key alt" "key Right" "key Down" "key Return"
shot calculator 计算器 "key alt" "key Right" "key Down" "key Down" "key Return" "@type 12+30="
shot media 多媒体 "key alt" "key Right" "key Down" "key Down" "key Down" "key Return"
shot blocks 方块 "key alt" "key Right" "key Right" "key Down" "key Return" "@key alt" "@key Down" "@key Return" "sleep 3" "@key Up" "@key Left"
shot puzzle 拼图 "key alt" "key Right" "key Right" "key Down" "key Down" "key Return" "@key F2" "sleep 1"
shot about "关于 Korvane" "key alt" "key Right" "key Right" "key Right" "key Right" "key Return"
