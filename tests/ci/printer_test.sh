#!/usr/bin/env bash
# .ci/printer stop reads what start noted as data, and only from a file of this user's alone:
# a planted or shared state file runs nothing and stops nothing. The printer commands are stubs
# that only log; no printer of this machine is touched.
set -euo pipefail
printer="$1"   # .ci/printer
tmp="$(mktemp -d)"
sleeper=""
trap 'if [ -n "$sleeper" ]; then kill "$sleeper" 2>/dev/null || true; fi; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/bin" "$tmp/rt"
chmod 700 "$tmp/rt"
for c in lpadmin cancel; do printf '#!/bin/sh\necho "%s $*" >>"%s/log"\n' "$c" "$tmp" >"$tmp/bin/$c"; done
# shellcheck disable=SC2016  # the stubs' own variables
printf '#!/bin/sh\ncase "$1" in -p|-c) [ "$2" = Office ] || [ "$2" = CI-PDF ];; *) exit 1;; esac\n' >"$tmp/bin/lpstat"
printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
chmod +x "$tmp/bin/"*
# A process that looks like a scheduler start left running (not our child: it is reaped once ended).
cp "$(command -v sleep)" "$tmp/cupsd"
sleeper=$(sh -c '"$1" 60 >/dev/null 2>&1 & echo $!' sh "$tmp/cupsd")
export PATH="$tmp/bin:$PATH" XDG_RUNTIME_DIR="$tmp/rt"
dir="$tmp/rt/ci-printer" state="$tmp/rt/ci-printer/state"

# A state file of that mode and those lines, in a directory of that mode.
plant() {
  local dir_mode="$1" mode="$2"
  shift 2
  rm -rf "$dir" "$tmp/log" "$tmp/ran"
  mkdir -m "$dir_mode" "$dir"
  printf '%s\n' "$@" >"$state"
  chmod "$mode" "$state"
}
# Runs stop and says what it did.
stop() {
  "$printer" stop >/dev/null 2>&1 || true
  cat "$tmp/log" 2>/dev/null || true
}
# Stop did nothing at all with the planted file.
ignored() { if [ -n "$(stop)" ] || [ ! -e "/proc/$sleeper" ]; then fail "$1"; fi; }

plant 700 666 "pid=$sleeper" previous=Office added=yes default_set=yes
ignored "a file others can write was read"
plant 700 620 "pid=$sleeper" added=yes
ignored "a file its group can write was read"
plant 755 600 "pid=$sleeper" added=yes
ignored "a file in a directory others can enter was read"
plant 700 600 && printf 'pid=%s\n' "$sleeper" >"$tmp/elsewhere" && rm "$state" && ln -s "$tmp/elsewhere" "$state"
ignored "a link was followed"

plant 700 600 "previous=\$(touch $tmp/ran)" "pid=1; touch $tmp/ran" "touch $tmp/ran" added=yes
done=$(stop)
[ ! -e "$tmp/ran" ] || fail "a value ran as code"
[ "$done" = "$(printf 'cancel -a -x CI-PDF\nlpadmin -x CI-PDF')" ] || fail "odd values were not just skipped: $done"

plant 700 600 "pid=$sleeper" previous=Office added=yes default_set=yes
done=$(stop)
[ "$done" = "$(printf 'lpadmin -d Office\ncancel -a -x CI-PDF\nlpadmin -x CI-PDF')" ] || fail "its own record was not undone: $done"
for _ in $(seq 50); do [ -e "/proc/$sleeper" ] || break; sleep 0.1; done
[ ! -e "/proc/$sleeper" ] || fail "the scheduler of its own record was not stopped"
[ ! -e "$state" ] || fail "the state file was left"
echo "ok"
