#!/usr/bin/env bash
# A named pipe given as an input file is refused at once (exit 1, a message
# naming it) instead of blocking in open() for a writer that never comes.
# Usage: fifo_input.sh BATCH_PROGRAM DATA_DIR
set -u
program=$1
data=$2/batch_failures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkfifo pipe
fail=0
for switch in -stk: -dst: -option:; do
  start=$(date +%s%N)
  timeout 5 "$program" "-stock:$data/stocks.csv" "-piece:$data/pieces.csv" "${switch}pipe" \
    >out.txt 2>err.txt
  status=$?
  elapsed_ms=$((($(date +%s%N) - start) / 1000000))
  [ "$status" -eq 1 ] || { echo "$switch: exit status $status"; fail=1; }
  [ "$elapsed_ms" -lt 1000 ] || { echo "$switch: took $elapsed_ms ms"; fail=1; }
  grep -q 'Cannot read file "pipe". Not a regular file' err.txt ||
    { echo "$switch: no message naming the pipe"; cat err.txt; fail=1; }
done
# The default types file of the start folder as a pipe.
mkfifo default.typ
timeout 5 "$program" "-stock:$data/stocks.csv" "-piece:$data/pieces.csv" >out.txt 2>err.txt
status=$?
[ "$status" -eq 1 ] || { echo "default.typ: exit status $status"; fail=1; }
grep -q 'default.typ". Not a regular file' err.txt || { echo "default.typ: no message"; fail=1; }
exit $fail
