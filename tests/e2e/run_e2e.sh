#!/usr/bin/env bash
# The real KavrayZade.exe under Wine, in a folder and a Wine prefix of its own
# whose drives are the prefix's c: and a small test tree as d: (no z:).
# First start without index.txt: progress window, then the maximised search
# window, a search for "holiday" and its summary; then the index's lines of
# the tree; then a second start that finds the index and shows no progress.
# Usage: run_e2e.sh KavrayZade.exe e2e_driver.exe
set -euo pipefail
exe=$1
driver=$2
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../scripts/wine-run"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zade-e2e.XXXXXX")
export WINEPREFIX="$tmp/prefix"
export ZADE_NEEDS_DISPLAY=1
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# The prefix, with windows that need no window manager.
"$wine_run" cmd /c exit >/dev/null 2>&1 || true

mkdir -p "$tmp/tree/docs" "$tmp/tree/music" "$tmp/work"
head -c 1500 /dev/zero >"$tmp/tree/docs/Holiday 1.JPG"
head -c 10 /dev/zero >"$tmp/tree/docs/notes.txt"
head -c 300 /dev/zero >"$tmp/tree/music/song.mp3"
head -c 5 /dev/zero >"$tmp/tree/readme.txt"
rm -f "$WINEPREFIX/dosdevices/z:"
ln -sfn "$tmp/tree" "$WINEPREFIX/dosdevices/d:"

status=0
cd "$tmp/work"
"$wine_run" "$exe" &
program=$!
"$wine_run" "$driver" first holiday "Found 1 results. Database contains total " \
    'd:\docs\holiday 1.jpg' | tr -d '\r' | tee "$tmp/first.log" || status=1
if timeout 20 tail --pid=$program -f /dev/null; then
    echo "ok Escape ends the program"
else
    echo "FAIL the program did not end on Escape"; status=1; kill $program 2>/dev/null || true
fi

[ -f index.txt ] || { echo "FAIL no index.txt"; exit 1; }
lines=$(tr -d '\r' <index.txt | wc -l)
if grep -q "Database contains total $lines files\.$" "$tmp/first.log"; then
    echo "ok the summary counts the $lines lines of the index"
else
    echo "FAIL the summary does not count the $lines lines of the index"; status=1
fi
expected=$(printf '%s\n' '00000000 d:\docs' '00000000 d:\music' '00000005 d:\readme.txt' \
    '000005dc d:\docs\Holiday?1.JPG' '0000000a d:\docs\notes.txt' '0000012c d:\music\song.mp3' | sort)
got=$(tr -d '\r' <index.txt | grep '^........ d:' | sort)
if [ "$got" = "$expected" ]; then
    echo "ok the index holds the lines of the tree"
else
    echo "FAIL the index's d: lines differ:"; diff <(echo "$expected") <(echo "$got") || true; status=1
fi
if tr -d '\r' <index.txt | grep -qv '^[0-9a-f]\{8\} [cd]:\\'; then
    echo "FAIL the index holds lines of other drives"; status=1
fi

before=$(md5sum index.txt)
"$wine_run" "$exe" &
program=$!
"$wine_run" "$driver" later | tr -d '\r' | tee "$tmp/later.log" || status=1
timeout 20 tail --pid=$program -f /dev/null || { echo "FAIL the second start did not end"; status=1; }
[ "$(md5sum index.txt)" = "$before" ] && echo "ok a later start leaves the index as it was" ||
    { echo "FAIL a later start changed the index"; status=1; }

grep -q '^FAIL' "$tmp/first.log" "$tmp/later.log" && status=1
exit $status
