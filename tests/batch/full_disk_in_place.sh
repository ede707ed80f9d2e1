#!/usr/bin/env bash
# A full disk while a file is rewritten in place (its folder does not allow a
# temporary file beside it, the file itself is writable): the write fails with
# its cause and the old file stays byte-identical. Needs root to mount a small
# file system and to act as an unprivileged user; skipped otherwise.
# Usage: full_disk_in_place.sh BATCH_PROGRAM DATA_DIR
set -u
program=$1
skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root to mount a small file system"
command -v setpriv >/dev/null || skip "setpriv is missing"
work=$(mktemp -d)
mnt=$work/small
mkdir "$mnt"
mount -t tmpfs -o size=256k,mode=0755 tmpfs "$mnt" 2>/dev/null || { rm -rf "$work"; skip "cannot mount tmpfs"; }
trap 'umount "$mnt"; rm -rf "$work"' EXIT
chmod 0755 "$work"

# Tables whose JSON plan is larger than a page of the file system, so that
# the rewrite needs more room than the old file holds.
printf 'S1,Oak,6000,100,0,0,\n' >"$work/stocks.csv"
for n in $(seq 1 60); do printf 'P%s,Oak,%s,1,1,\n' "$n" $((50 + n)); done >"$work/pieces.csv"
chmod 0644 "$work/stocks.csv" "$work/pieces.csv"

# The old JSON plan, owned by the unprivileged user in a folder only root may write.
printf '{"old": "plan"}\n' >"$mnt/plan.json"
chown 65534:65534 "$mnt/plan.json"
cp "$mnt/plan.json" "$work/expected.json"
# Fill the file system.
dd if=/dev/zero of="$mnt/filler" bs=4k 2>/dev/null
fail=0
setpriv --reuid=65534 --regid=65534 --clear-groups "$program" "-stock:$work/stocks.csv" \
  "-piece:$work/pieces.csv" "-json:$mnt/plan.json" >/dev/null 2>"$work/err.txt"
status=$?
[ "$status" -eq 1 ] || { echo "exit status $status"; fail=1; }
cmp -s "$mnt/plan.json" "$work/expected.json" || { echo "the old file changed"; fail=1; }
grep -q "Unable to write to $mnt/plan.json: No space left on device" "$work/err.txt" ||
  { echo "wrong message"; cat "$work/err.txt"; fail=1; }
[ "$(ls -A "$mnt" | wc -l)" -eq 2 ] || { echo "files left behind"; ls -A "$mnt"; fail=1; }

# With room on the disk the same in-place write succeeds.
rm -f "$mnt/filler"
setpriv --reuid=65534 --regid=65534 --clear-groups "$program" "-stock:$work/stocks.csv" \
  "-piece:$work/pieces.csv" "-json:$mnt/plan.json" >/dev/null 2>"$work/err.txt" ||
  { echo "in-place write with room failed"; cat "$work/err.txt"; fail=1; }
grep -q '"patterns"' "$mnt/plan.json" || { echo "no plan written in place"; fail=1; }
exit $fail
