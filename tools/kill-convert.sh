#!/usr/bin/env bash
# Kills `panolcd --convert` of a large project with SIGKILL at many instants. Whatever the
# instant, the target must hold its old or its new version, complete; a complete safety copy
# must stand beside a new version; nothing but hidden temporary files may be left; and what is
# left must load.
#   kill-convert.sh PROGRAM SAMPLE.LCD WORKDIR
set -euo pipefail
# A killed run has no exit to check leaks at; the others need not check them either.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
program=$1
sample=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
cd "$work"

fail() {
  echo "kill-convert: $*" >&2
  exit 1
}

# A large project of our own: many screens with many text objects.
screens=10
objects=600
{
  printf "* \$00 \$5000 { } ['ProjectName';'Screens']\r\n<('Big';\$0001)\r\n"
  printf "  * \$00 \$5012 { } ['ScrNum';'ScrSymb';'ScrName';'Objects']\r\n  <\r\n"
  for ((s = 1; s <= screens; s++)); do
    printf "  (\$%02X;'S%d';'Screen %d';\$0001)\r\n" "$s" "$s" "$s"
    printf "    * \$00 \$5020 { } ['Kind';'Layer';'X1';'Y1';'ObjText';'SubDBLink']\r\n    <\r\n"
    for ((o = 0; o < objects; o++)); do
      printf "    (\$07;\$01;\$%08X;\$%08X;'text %d of screen %d';\$FFFF)\r\n" \
        $((o % 200)) $((o % 120)) "$o" "$s"
    done
    printf "    >\r\n"
  done
  printf "  >\r\n>\r\n"
} >SOURCE.LCD

"$program" --convert SOURCE.LCD NEW.LCD || fail "the large project does not convert"
"$program" --convert "$sample" OLD.LCD || fail "the sample does not convert"

# How long one conversion takes, in milliseconds.
start=$(date +%s%N)
"$program" --convert NEW.LCD OUT.LCD
duration=$((($(date +%s%N) - start) / 1000000))
[ "$duration" -gt 0 ] || duration=1

same() { cmp -s "$1" "$2"; }

kills=20
old=0
new=0
# One conversion of NEW.LCD over OLD.LCD, killed `at` milliseconds after its start.
kill_at() {
  local at=$1
  cp OLD.LCD OUT.LCD
  rm -f OUT.~CD
  "$program" --convert NEW.LCD OUT.LCD 2>/dev/null &
  pid=$!
  sleep "$(printf '%d.%03d' $((at / 1000)) $((at % 1000)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true

  [ -e OUT.LCD ] || fail "no OUT.LCD after a kill at ${at} ms"
  if same OUT.LCD OLD.LCD; then
    old=$((old + 1))
    if [ -e OUT.~CD ] && ! same OUT.~CD OLD.LCD; then
      fail "a damaged safety copy beside the old version (kill at ${at} ms)"
    fi
  elif same OUT.LCD NEW.LCD; then
    new=$((new + 1))
    same OUT.~CD OLD.LCD || fail "the new version without its safety copy (kill at ${at} ms)"
  else
    fail "OUT.LCD is neither version after a kill at ${at} ms"
  fi
  visible=$(ls | grep -v -x -e SOURCE.LCD -e NEW.LCD -e OLD.LCD -e OUT.LCD -e 'OUT.~CD' || true)
  [ -z "$visible" ] || fail "files left in sight after a kill at ${at} ms: $visible"
  hidden=$(ls -A | grep '^\.' | grep -v -E '^\.OUT\.(LCD|~CD)\.~[0-9]+-[0-9]+\.tmp$' || true)
  [ -z "$hidden" ] || fail "other hidden files after a kill at ${at} ms: $hidden"
}

for ((k = 0; k < kills; k++)); do
  # Half the instants spread over the whole run, half around its end, where the file is put
  # in place.
  if ((k % 2 == 0)); then
    kill_at $((duration * k / kills))
  else
    kill_at $((duration * 85 / 100 + duration * 30 * k / (100 * kills)))
  fi
done
# A machine slower than the measurement: later kills until one comes after the save.
for ((late = 120; new == 0 && late <= 400; late += 40)); do
  kill_at $((duration * late / 100))
done
[ "$old" -gt 0 ] && [ "$new" -gt 0 ] || fail "the kills did not fall on both sides of the save"

# What a crash left behind never stands in the way: the next conversion writes and loads.
"$program" --convert NEW.LCD OUT.LCD || fail "converting after the kills failed"
same OUT.LCD NEW.LCD || fail "the conversion after the kills wrote another text"
"$program" --convert OUT.LCD CHECK.LCD || fail "what was left does not load"
echo "kill-convert: ${kills} kills over ${duration} ms: ${old} old, ${new} new"
