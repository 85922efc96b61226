#!/usr/bin/env bash
# Every command, option and exit status a program's own --help names is described in its manual
# page, so a new option cannot be added without its page saying what it does.
# usage: man_options_test.sh BIN_DIR MAN_DIR... (each page is looked for in every MAN_DIR)
set -euo pipefail
bin_dir=$1
shift
man_dirs=("$@")
status=0
for program in moistek humidraw-cli; do
  help=$("$bin_dir/$program" --help)
  page_file=
  for d in "${man_dirs[@]}"; do if [ -f "$d/$program.1" ]; then page_file=$d/$program.1; fi; done
  [ -n "$page_file" ] || { echo "no manual page $program.1"; status=1; continue; }
  page=$(sed 's/\\-/-/g' "$page_file")
  words=$(grep -oE -- '(^|[][ |])--?[a-z][a-z-]*' <<<"$help" | tr -d '[]| ' | sort -u)
  # The commands: the first word after the program's name on a usage line.
  commands=$(grep -oE "^ *$program [a-z]+" <<<"$help" | awk '{print $2}' | sort -u)
  for w in $words $commands; do
    if ! grep -qE -- "(^|[ \"(])$w([^a-z-]|$)" <<<"$page"; then
      echo "$program.1 does not describe '$w'"
      status=1
    fi
  done
  # Exit statuses: "Exit status: 0 done, 1 ..., 2 ..." in the help; ".B N" under EXIT STATUS.
  codes=$(grep -A2 -i '^exit status' <<<"$help" | grep -oE '(^|[ ,:])[0-9]+ ' | tr -d ' ,:' |
    sort -u)
  section=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' <<<"$page")
  [ -n "$codes" ] || { echo "$program --help names no exit status"; status=1; }
  for c in $codes; do
    grep -qx "\.B $c" <<<"$section" || { echo "$program.1 does not give exit status $c"; status=1; }
  done
done
exit $status
