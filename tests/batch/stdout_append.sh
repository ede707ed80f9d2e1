#!/usr/bin/env bash
# The plan written to /dev/stdout (and the page to /dev/stderr) while the
# streams are appended to log files: the logs keep their earlier lines.
# Usage: stdout_append.sh BATCH_PROGRAM DATA_DIR
set -u
program=$1
data=$2/batch_failures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

printf 'earlier line\n' >run.log
printf 'earlier error\n' >err.log
"$program" "-stock:$data/stocks.csv" "-piece:$data/pieces.csv" -report:report.txt \
  -json:/dev/stdout -html:/dev/stderr >>run.log 2>>err.log
status=$?
fail=0
[ "$status" -eq 0 ] || { echo "exit status $status"; fail=1; }
[ "$(head -n 1 run.log)" = "earlier line" ] || { echo "run.log lost its first line"; fail=1; }
grep -q '"patterns"' run.log || { echo "run.log has no JSON"; fail=1; }
[ "$(head -n 1 err.log)" = "earlier error" ] || { echo "err.log lost its first line"; fail=1; }
grep -q '<html>' err.log || { echo "err.log has no page"; fail=1; }
[ -f report.txt ] || { echo "no report file"; fail=1; }

# A full or closed standard output is a failure with its cause, never exit 0.
"$program" "-stock:$data/stocks.csv" "-piece:$data/pieces.csv" >/dev/full 2>full.err
status=$?
[ "$status" -eq 1 ] || { echo "stdout on /dev/full: exit status $status"; fail=1; }
grep -q 'No space left on device' full.err || { echo "no cause for /dev/full"; cat full.err; fail=1; }
"$program" "-stock:$data/stocks.csv" "-piece:$data/pieces.csv" >&- 2>closed.err
status=$?
[ "$status" -eq 1 ] || { echo "closed stdout: exit status $status"; fail=1; }
"$program" "-stock:$data/stocks.csv" "-piece:$data/pieces.csv" -json:/dev/full 2>json.err >/dev/null
status=$?
[ "$status" -eq 1 ] || { echo "-json:/dev/full: exit status $status"; fail=1; }
grep -q 'Unable to write to /dev/full: No space left on device' json.err ||
  { echo "wrong message for -json:/dev/full"; cat json.err; fail=1; }
exit $fail
