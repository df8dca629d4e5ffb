#!/usr/bin/env bash
# Hostile command-line input: each case gives one short message on standard error, the exit
# status expected, and nothing on standard output.
# Usage: hostile_input_test.sh MIROVALE_CLI WORK_FOLDER
set -uo pipefail
cli=$1
work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

head -c 4096 /dev/urandom >binary.script
{ printf 'command '; head -c 1000000 /dev/zero | tr '\0' 9; echo; } >long-line.script
printf 'click 99999999999999999999999 10\n' >huge-number.script
mkdir folder
small=(simulate --series-type 8 --pulses 6:7 --noise 0:1 --repeats 1)
# The default plan runs long enough for a refusal after it to show as progress on stderr.
long=(simulate --series-type 8 --repeats 100 --progress)

failures=0
# expect STATUS MESSAGE COMMAND...: runs the command and checks the status, that standard error
# holds MESSAGE on one line of at most 300 bytes, and that standard output (the file OUT when
# set) is empty.
expect() {
  local status=$1 message=$2
  shift 2
  rm -f out.txt
  "$cli" "$@" >"${OUT:-out.txt}" 2>err.txt
  local got=$?
  local problem=""
  if [ "$got" -ne "$status" ]; then problem="status $got, not $status"
  elif ! grep -qF -- "$message" err.txt; then problem="no '$message' on stderr"
  elif [ "$(wc -l <err.txt)" -ne 1 ] || [ "$(wc -c <err.txt)" -gt 300 ]; then
    problem="stderr is not one short line"
  elif [ -s out.txt ]; then problem="something on stdout"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL: mirovale-cli ${*:1:4}...: $problem"
    head -c 600 err.txt
    failures=$((failures + 1))
  fi
}

expect 2 "cannot read missing.script" script missing.script
expect 2 "cannot read folder" script folder
expect 2 "line 1: unknown action" script binary.script
expect 2 "line 1: bad command id '9999" script long-line.script
expect 2 "line 1: bad x '9999" script huge-number.script
expect 2 "Could not convert: --length" simulate --length 123456789012345678901234567890
expect 2 "--threads: Value 0 not in range" "${small[@]}" --threads 0
expect 2 "--threads: Value 100000 not in range" "${small[@]}" --threads 100000
expect 2 "cannot write missing/results.json" "${long[@]}" --json missing/results.json
expect 2 "cannot write folder: it is a folder" "${long[@]}" --csv folder
OUT=/dev/full expect 2 "cannot write the standard output" "${small[@]}" --json -

# Ctrl-C once the progress line shows the simulation running: status 130, and neither the
# result nor a temporary file is left.
"$cli" "${long[@]}" --json interrupted.json >out.txt 2>err.txt &
pid=$!
for _ in $(seq 600); do grep -q "simulating:" err.txt && break; sleep 0.1; done
kill -INT "$pid"
wait "$pid"
got=$?
if [ "$got" -ne 130 ] || ! grep -q "interrupted; nothing was written" err.txt ||
   [ -e interrupted.json ] || ls -A | grep -q '^\.mirovale-'; then
  echo "FAIL: Ctrl-C during simulate: status $got"
  tail -c 600 err.txt
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "every hostile input refused"
exit $((failures > 0))
