#!/usr/bin/env bash
# The engine as a whole process against harkwell-server on loopback:
#  1. a scan of 10,000 tagged files of which the server wants none (files per second of the
#     engine process, less the gate's ten quiet seconds at the start);
#  2. the sample library, every track wanted (the same time), beside pure
#     decoding of the same files by ffmpeg;
# with the engine's peak resident memory for each.
#   bench/engine_run.sh [BUILD_DIR, default build/release]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
engine="$build/bundles/Harkwell.app/Contents/Resources/Harkwell Engine.app/Contents/MacOS/Harkwell Engine"
server="$build/server/harkwell-server"
work=$(mktemp -d /tmp/harkwell-bench-XXXXXX)
pid=""
trap '[[ -n $pid ]] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT

run() {  # run NAME FOLDER POLICY: the engine once; prints "seconds rss_kib"
  local home="$work/$1"
  mkdir -p "$home/Library/Preferences" "$work/run-$1" && chmod 700 "$work/run-$1"
  printf '{"SearchPath": "%s"}\n' "$2" > "$home/Library/Preferences/com.ashgrove.zomelo.harkwell.engine.json"
  "$server" --lookup 127.0.0.1:18765 --listen 127.0.0.1 --db "$work/$1.db" --policy "$3" 2>/dev/null &
  pid=$!
  sleep 0.5
  local start end
  start=$(date +%s.%N)
  HOME="$home" XDG_RUNTIME_DIR="$work/run-$1" HARKWELL_LOOKUP_HOST=127.0.0.1:18765 \
    /usr/bin/time -f "%M" -o "$work/$1.rss" "$engine"
  end=$(date +%s.%N)
  kill $pid; wait $pid 2>/dev/null || true; pid=""
  # The gate sleeps through its first ten calls (ten seconds) whatever the library holds.
  echo "$(echo "$end - $start - 10" | bc -l) $(cat "$work/$1.rss")"
}

python3 - "$work/tree" <<'PY'
import os, struct, sys
root = sys.argv[1]
def frame(fid, text):
    data = b"\0" + text.encode()
    return fid + struct.pack(">I", len(data)) + b"\0\0" + data
for i in range(10000):
    folder = os.path.join(root, f"artist{i // 500}", f"album{i // 20}")
    os.makedirs(folder, exist_ok=True)
    frames = (frame(b"TIT2", f"Song {i}") + frame(b"TPE1", f"Artist {i // 500}") +
              frame(b"TALB", f"Album {i // 20}") + frame(b"TCON", "Rock"))
    n = len(frames)
    head = b"ID3\3\0\0" + bytes([(n >> 21) & 127, (n >> 14) & 127, (n >> 7) & 127, n & 127])
    with open(os.path.join(folder, f"{i:05d}.mp3"), "wb") as f:
        f.write(head + frames + b"\xff" * 2048)
PY
read -r seconds rss < <(run scan "$work/tree" none)
printf "scan: 10000 files in %.2fs: %.0f files/s, peak RSS %s KiB\n" "$seconds" "$(echo "10000 / $seconds" | bc -l)" "$rss"

scripts/make-sample-library "$work/sample" >/dev/null
read -r seconds rss < <(run sample "$work/sample" all)
start=$(date +%s.%N)
for f in "$work"/sample/*; do ffmpeg -v quiet -threads 1 -i "$f" -f s16le -ac 1 -y /dev/null || true; done
decode=$(echo "$(date +%s.%N) - $start" | bc -l)
printf "sample library: 3 tracks analysed and uploaded in %.2fs (%.0f tracks/min), peak RSS %s KiB; decoding all 6 files alone: %.2fs\n" "$seconds" "$(echo "180 / $seconds" | bc -l)" "$rss" "$decode"
