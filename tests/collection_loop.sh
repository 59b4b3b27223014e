#!/bin/sh
# README's bash loop over a collection, run as it stands there, on images
# whose names start with -, have spaces, are Japanese or end in .D88, one
# that is no D88 image, and a folder of one image's name that is there
# already: each image is cut into a folder of its own, the folder that was
# there is left alone, no empty folder is left, and the check follows.
# Usage: collection_loop.sh README TOOLS_DIR SAMPLE WORK
set -u
readme=$1 tools=$2 sample=$3 work=$4
fail() { printf 'collection loop: %s\n' "$*"; status=1; }
loop=$(sed -n '/tests\/collection_loop.sh runs this loop/,/^```$/p' "$readme" | sed '1,2d;$d')
[ -n "$loop" ] || { echo "no loop in $readme"; exit 1; }

rm -rf "$work" && mkdir -p "$work/home/disks" "$work/here/taken" || exit 1
disks=$work/home/disks
for name in -dash.d88 UPPER.D88 "with space.d88" 音楽ディスク.d88 taken.d88; do
  cp "$sample" "$disks/$name"
done
printf 'Notes on my disks: the music disk, the game.\n%.0s' $(seq 40) >"$disks/notes.d88"
touch "$work/here/taken/mine"

status=0
out=$(cd "$work/here" && HOME="$work/home" PATH="$tools:$PATH" LC_ALL=C bash -c "$loop" 2>&1)
ran=$?
[ $ran -eq 1 ] || fail "status $ran, not 1 (a file that is no image is a finding)"
for folder in -dash UPPER "with space" 音楽ディスク; do
  count=$(ls -A "$work/here/$folder" 2>/dev/null | wc -l)
  [ "$count" -eq 14 ] || fail "$folder holds $count files, not 14"
done
[ "$(ls -A "$work/here/taken")" = mine ] || fail "the folder that was there was changed"
[ ! -e "$work/here/notes" ] || fail "an image that gives nothing left a folder"
expected="$disks/-dash.d88: all 14 files complete
$disks/UPPER.D88: all 14 files complete
$disks/notes.d88: not a D88 image: track 0 starts at 0x74202C6B, past the disk's end
$disks/taken.d88: all 14 files complete
$disks/with space.d88: all 14 files complete
$disks/音楽ディスク.d88: all 14 files complete"
[ "$(printf '%s\n' "$out" | tail -n 6)" = "$expected" ] || fail "the check does not end the run"
[ $status -eq 0 ] || printf 'the run printed:\n%s\n' "$out"

# A folder with no image in it, or none at all, is said so.
for disks in "$work/home/empty" "$work/home/missing"; do
  mkdir -p "$work/home/empty"
  out=$(cd "$work/here" && HOME="$work/home" PATH="$tools:$PATH" LC_ALL=C \
        bash -c "$(printf '%s\n' "$loop" | sed "s|^disks=.*|disks='$disks'|")" 2>&1)
  [ "$out" = "no .d88 image in $disks" ] || { fail "for $disks: $out"; status=1; }
done
exit $status
