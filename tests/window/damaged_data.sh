#!/usr/bin/env bash
# Damaged data: files of the shipped zavi3/ and base/ are, one at a time,
# removed, cut to half their size or overwritten with random bytes of their
# size, and each time the game plays the same path with the player's
# settings and saved game in place: main menu, Play, slot 1, Easy, a few
# seconds of driving, Escape, "Yes", Exit.  Every file of zavi3/ is damaged
# all three ways; base/ is too big for that, so each of its files is damaged
# one way and more cases are added up to a sample of at least sixty, all
# chosen by a fixed seed.  No case may end by a signal (a crash, or a
# sanitizer's abort) or with a code other than 0 or 1, what the game says
# (its errors and messages) must name the damaged file, and the player's
# files must load afterwards.
# An undamaged control run goes first and must play the whole path.
# Usage: damaged_data.sh KELVANE_EXE RUN_FOLDER
#   KELVANE_SWEEP_JOBS: games played side by side (2)
#   KELVANE_SWEEP_TABLE: a file to keep the table of cases in
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
exe=$(readlink -f "$1")
run_folder=$(readlink -f "$2")
jobs=${KELVANE_SWEEP_JOBS:-2}
seed=14
base_cases=60

work=$(mktemp -d /tmp/kelvane-damaged-data.XXXXXX)
workers=()
stop() {
  local p
  for p in "${workers[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

seeded_stream() { LC_ALL=C awk -v seed="$1" 'BEGIN { srand(seed); for (i = 0; i < 65536; i++) printf "%c", int(rand() * 256) }'; }
shipped() { (cd "$run_folder" && find "$1" -type f ! -path 'base/savegames/*' ! -name '.*' | LC_ALL=C sort); }

{
  for file in $(shipped zavi3); do
    for how in remove half random; do echo "$file $how"; done
  done
  # Each file of base/ once, its way picked by the seed; then the other ways
  # in seeded order until the sample is full.
  all=$(for file in $(shipped base); do
    for how in remove half random; do echo "$file $how"; done
  done | shuf --random-source=<(seeded_stream "$seed"))
  firsts=$(awk '!seen[$1]++' <<<"$all")
  echo "$firsts"
  grep -vxF -f <(echo "$firsts") <<<"$all" | head -n $((base_cases - $(wc -l <<<"$firsts")))
} | awk '{ print NR, $0 }' >"$work/cases"

base_count=$(grep -c ' base/' "$work/cases")
[ "$base_count" -ge 60 ] || fail "only $base_count cases for base/"
[ "$(grep -c ' zavi3/' "$work/cases")" -eq $((3 * $(shipped zavi3 | wc -l))) ] || fail "zavi3/ is not covered all three ways"

mkdir -p "$work/player"
echo "0 - none" >"$work/control"
bash "$here/support/damaged_case.sh" "$exe" "$run_folder" "$work/player" "$work/control" "$work/table" \
  >"$work/control.log" 2>&1 || fail "control run: $(cat "$work/control.log")"
read -r _ _ _ result detail <"$work/table"
[ "$result" = clean ] || fail "the undamaged game did not play the path: $detail"

for k in $(seq 1 "$jobs"); do
  awk -v k="$k" -v n="$jobs" '(NR - 1) % n == k - 1' "$work/cases" >"$work/cases.$k"
  bash "$here/support/damaged_case.sh" "$exe" "$run_folder" "$work/player" "$work/cases.$k" "$work/table" \
    >"$work/worker.$k.log" 2>&1 &
  workers+=($!)
  # Displays are taken one after another.
  sleep 1
done
for k in $(seq 1 "$jobs"); do
  wait "${workers[$((k - 1))]}" || fail "worker $k: $(cat "$work/worker.$k.log")"
done
workers=()

sort -n "$work/table" >"$work/sorted"
[ -z "${KELVANE_SWEEP_TABLE:-}" ] || cp "$work/sorted" "$KELVANE_SWEEP_TABLE"
cat "$work/sorted"
ran=$(($(wc -l <"$work/sorted") - 1))
[ "$ran" -eq "$(wc -l <"$work/cases")" ] || fail "$ran of $(wc -l <"$work/cases") cases ran"
echo "cases: $ran; clean: $(grep -c ' clean ' "$work/sorted"); named the file: $(grep -c ' named ' "$work/sorted" || true);" \
  "failed: $(grep -c ' failed ' "$work/sorted" || true)"
! grep -q ' failed ' "$work/sorted" || fail "$(grep ' failed ' "$work/sorted")"
echo "damaged data: ok"
