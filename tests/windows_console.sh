#!/bin/sh
# d88ls.exe and d88cut.exe in a Japanese Windows console (code page 932), as
# a user at the home console sees them: Wine in a pseudo-terminal under a
# ja_JP.UTF-8 locale that the test makes, running a .bat through cmd. With
# no LANG or LC_ALL in the console, the tools speak Japanese as Windows'
# display language does; every word and name shows as itself: d88ls
# --check's line for 音楽ディスク.d88, d88cut's lines for a file in a folder
# 資料 that is no image, and the open error. After set LC_ALL=C, English.
# The command d88cut gives to see why, for a name that starts with - and
# holds a quote, spaces and Japanese, runs as shown from a .bat in the
# console's code page, as d88ls does for that name.
# Skips (status 77), saying why, where no pseudo-terminal, `script` or the
# Japanese locale's sources are to be had.
# Usage: windows_console.sh WINE PREFIX TOOLS_DIR SAMPLE WORK
set -u
wine=$1 prefix=$2 tools=$3 sample=$4 work=$5
skip() { echo "skipped: $*"; exit 77; }
command -v script >/dev/null || skip "no script(1) to give Wine a terminal (apt-get install bsdutils)"
script -qec true /dev/null >/dev/null 2>&1 || skip "no pseudo-terminal can be opened here (mount devpts on /dev/pts)"
[ -f /usr/share/i18n/locales/ja_JP ] || skip "no Japanese locale sources (apt-get install locales)"

rm -rf "$work" && mkdir -p "$work/locales" "$work/資料" || exit 1
localedef -i ja_JP -f UTF-8 "$work/locales/ja_JP.UTF-8" 2>/dev/null ||
  [ -d "$work/locales/ja_JP.UTF-8" ] || { echo "cannot make the ja_JP.UTF-8 locale"; exit 1; }
cp "$sample" "$work/音楽ディスク.d88"
printf 'Notes on my disks: the music disk, the game.\n%.0s' $(seq 40) >"$work/資料/notes.dat"
# The .bat names no file outside ASCII: cmd reads it in the console's code
# page. Windows paths of the tools: drive Z is the root.
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
odd="-it's 音楽 x.d88"
cp "$work/資料/notes.dat" "$work/$odd"
printf '@echo off\r\nset LANG=\r\nset LC_ALL=\r\nset LC_MESSAGES=\r\nset LANGUAGE=\r\n%s --check *.d88\r\nfor /r %%%%f in (*.dat) do %s "%%%%f"\r\nfor %%%%f in (-*.d88) do %s "%%%%f"\r\n%s none.d88\r\nset LC_ALL=C\r\n%s --check *.d88\r\n' \
  "$(windows "$tools/d88ls.exe")" "$(windows "$tools/d88cut.exe")" "$(windows "$tools/d88cut.exe")" \
  "$(windows "$tools/d88cut.exe")" "$(windows "$tools/d88ls.exe")" >"$work/console.bat"

# What the terminal shows: Wine's console draws with escape sequences; a
# cursor moved forward is spaces, the rest is left out.
shown=$(cd "$work" &&
  env WINEPREFIX="$prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL= LOCPATH="$work/locales" \
    script -qec "stty cols 250 rows 50; $wine cmd /c console.bat" /dev/null </dev/null |
  perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g; s/\e\][^\a]*\a//g; s/\r//g')
status=0
d88ls=$(windows "$tools/d88ls.exe")
for line in "音楽ディスク.d88: 14 ファイルすべて完全" \
  "d88cut: 何も切り出していません：D88 イメージではない：トラック 0 の開始位置 0x74202C6B がディスクの終わりより後ろ" \
  "d88cut: 理由を調べるには：$d88ls -- \"$(windows "$work/資料/notes.dat")\"" \
  "d88cut: 理由を調べるには：$d88ls -- \"$odd\"" \
  "ファイルをオープンできません." "音楽ディスク.d88: all 14 files complete"; do
  printf '%s\n' "$shown" | grep -qxF -- "$line" || { printf 'not shown: %s\n' "$line"; status=1; }
done

# The command as shown, pasted into cmd: a .bat in code page 932.
command=$(printf '%s\n' "$shown" | sed -n "s/^d88cut: 理由を調べるには：\(.*x\.d88\"\)\$/\1/p")
printf '@echo off\r\n%s\r\n' "$command" | iconv -f UTF-8 -t CP932 >"$work/hint.bat" ||
  { printf 'cannot write the command in code page 932: %s\n' "$command"; status=1; }
run() {
  (cd "$work" && env WINEPREFIX="$prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL= \
    LOCPATH="$work/locales" "$wine" "$@" </dev/null 2>&1 | tr -d '\r')
}
pasted=$(run cmd /c hint.bat)
direct=$(run "$tools/d88ls.exe" -- "$odd")
[ -n "$direct" ] && [ "$pasted" = "$direct" ] ||
  { printf 'the command shown gives:\n%s\nd88ls gives:\n%s\n' "$pasted" "$direct"; status=1; }
[ $status -eq 0 ] || printf 'the terminal showed:\n%s\n' "$shown"
exit $status
