#!/usr/bin/env bash
# Lengths whose sum with the blade width, or twice an edge trim, would pass
# the largest 32-bit length: a failure naming the field, never a plan.
# Usage: overflow.sh BATCH_PROGRAM DATA_DIR
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail=0

expect_failure() {  # name, expected text, switches...
  local name=$1 text=$2
  shift 2
  "$program" "$@" >out.txt 2>err.txt
  local status=$?
  [ "$status" -eq 1 ] || { echo "$name: exit status $status"; fail=1; }
  grep -qF -- "$text" err.txt || { echo "$name: expected '$text'"; cat err.txt; fail=1; }
  [ ! -s out.txt ] || { echo "$name: a plan was written"; fail=1; }
}

printf 'S1,Oak,2147483,10,0,0,\n' >stocks.csv
printf 'P1,Oak,1000,1,1,\n' >pieces.csv
printf '[OPTION]\nBLADE_WIDTH=1\n' >blade.opt
expect_failure "stock plus blade" '"S1" stock length plus the blade width is too large' \
  -stock:stocks.csv -piece:pieces.csv -option:blade.opt

printf 'S1,Oak,2147483.647,10,0,0,\n' >stocks_max.csv
printf '[OPTION]\nBLADE_WIDTH=0.001\n' >thin.opt
expect_failure "largest stock plus thin blade" '"S1" stock length plus the blade width is too large' \
  -stock:stocks_max.csv -piece:pieces.csv -option:thin.opt

printf 'S1,Oak,6000,10,0,0,\n' >stocks_small.csv
printf '[OPTION]\nWIDTH_EDGE=1073741.824\n' >edge.opt
expect_failure "edge trim" '"S1" edge trim WIDTH_EDGE is too large' \
  -stock:stocks_small.csv -piece:pieces.csv -option:edge.opt
exit $fail
