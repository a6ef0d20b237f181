#!/usr/bin/env bash
# Seeding a data folder twice: missing files come back, a user's changed files stay as they are.
set -euo pipefail
seed="$1"   # scripts/seed-data
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/sample/help"
printf 'food records' > "$tmp/sample/fooddata.bok"
printf 'tip one\r\n' > "$tmp/sample/TIPOFDAY.TXT"
printf '<p>help</p>' > "$tmp/sample/help/1000.html"
printf 'with blank' > "$tmp/sample/name with blank.txt"
user="$tmp/home/data/calories"

"$seed" "$tmp/sample" "$user"
for f in fooddata.bok TIPOFDAY.TXT help/1000.html "name with blank.txt"; do
  cmp -s "$tmp/sample/$f" "$user/$f" || fail "first seeding did not copy $f"
done

printf 'my own foods' > "$user/fooddata.bok"
rm "$user/TIPOFDAY.TXT"
printf 'my notes' > "$user/help/1000.html"
"$seed" "$tmp/sample" "$user"
[ "$(cat "$user/fooddata.bok")" = "my own foods" ] || fail "a changed file was overwritten"
[ "$(cat "$user/help/1000.html")" = "my notes" ] || fail "a changed help page was overwritten"
cmp -s "$tmp/sample/TIPOFDAY.TXT" "$user/TIPOFDAY.TXT" || fail "a missing file was not seeded again"
[ -z "$(find "$user" -name '*.seeding')" ] || fail "temporary files left behind"

"$seed" "$tmp/nothing-here" "$tmp/empty"   # no sample folder: an empty data folder, no error
[ -d "$tmp/empty" ] || fail "data folder not made"
echo "seeding keeps user files: ok"
