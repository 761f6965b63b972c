#!/usr/bin/env bash
# Whole-process CPU time per file, side by side in one run: harkwell-inspect fingerprint, pure
# decoding by ffmpeg, and fpcalc (Debian's libchromaprint-tools) over the whole file; with the
# peak resident memory of each.
#   bench/fingerprint_vs_decode.sh [BUILD_DIR, default build/release] [ROUNDS, default 3]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
rounds=${2:-3}
inspect="$build/tools/harkwell-inspect"
command -v fpcalc >/dev/null || { echo "install libchromaprint-tools for fpcalc" >&2; exit 1; }
work=$(mktemp -d /tmp/harkwell-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
music=/usr/share/games/warzone2100/music/albums/original_soundtrack
for n in 1 2 3; do
  ffmpeg -nostdin -v error -y -i "$music/track$n.opus" -ar 44100 -ac 2 -c:a libmp3lame -b:a 192k "$work/t$n.mp3"
  ffmpeg -nostdin -v error -y -i "$music/track$n.opus" -ar 44100 -ac 2 -c:a aac -b:a 128k "$work/t$n.m4a"
  ffmpeg -nostdin -v error -y -i "$music/track$n.opus" -ar 44100 -ac 2 "$work/t$n.aiff"
done
measure() {  # prints "cpu_seconds max_rss_kib" for one command, summed over the rounds
  local total=0 rss=0
  for _ in $(seq "$rounds"); do
    /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null 2>&1 || true
    read -r user system kib < <(tail -n 1 "$work/time")
    total=$(echo "$total + $user + $system" | bc -l)
    (( kib > rss )) && rss=$kib
  done
  echo "$total $rss"
}
printf "%-6s %10s %12s %12s %12s %9s %9s %8s %8s %8s\n" format audio_s fingerprint decode fpcalc fp/dec fp/fpcalc rss_fp rss_dec rss_fpc
for format in mp3 m4a aiff; do
  seconds=0; fp=0; dec=0; fpc=0; rfp=0; rdec=0; rfpc=0
  for n in 1 2 3; do
    file="$work/t$n.$format"
    length=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
    seconds=$(echo "$seconds + $length * $rounds" | bc -l)
    read -r c r < <(measure "$inspect" fingerprint "$file"); fp=$(echo "$fp + $c" | bc -l); (( r > rfp )) && rfp=$r
    read -r c r < <(measure ffmpeg -v quiet -threads 1 -i "$file" -f s16le -ac 1 -y /dev/null); dec=$(echo "$dec + $c" | bc -l); (( r > rdec )) && rdec=$r
    read -r c r < <(measure fpcalc -length 0 "$file"); fpc=$(echo "$fpc + $c" | bc -l); (( r > rfpc )) && rfpc=$r
  done
  printf "%-6s %10.1f %12.2f %12.2f %12.2f %9.2f %9.2f %8d %8d %8d\n" "$format" "$seconds" "$fp" "$dec" "$fpc" \
    "$(echo "$fp / $dec" | bc -l)" "$(echo "$fp / $fpc" | bc -l)" "$rfp" "$rdec" "$rfpc"
done
echo "(CPU seconds summed over 3 tracks x $rounds rounds; audio seconds per CPU second = audio_s / column; rss in KiB)"
