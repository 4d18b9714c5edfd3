#!/bin/sh
# Runs every test of the Windows build under Wine, headless (each test's
# environment comes from ctest), in a Wine prefix of the build's own, and
# sums up the passes, the skips with their reasons, and the failures.
#   sh scripts/test-windows.sh BUILD_DIR
set -u
build="$(cd "$1" && pwd)"
export WINEPREFIX="$build/wine"
export WINEDEBUG=-all
# A new prefix would offer to install Mono and Gecko, which no test needs.
export WINEDLLOVERRIDES="mscoree=;mshtml="
if [ ! -d "$WINEPREFIX" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
log="$build/test-windows.log"
start=$(date +%s)
ctest --test-dir "$build" --output-on-failure -V --timeout 600 >"$log" 2>&1
status=$?
seconds=$(($(date +%s) - start))

# Qt Test's TAP totals and skips, as ctest -V shows them ("N: # pass 12").
grep -E '^[0-9]+: # (tests|pass|fail) [0-9]+$' "$log" | awk '
  { count[$3] += $4 }
  END { printf "Qt Test functions and rows: %d passed, %d failed, %d skipped\n",
               count["pass"], count["fail"], count["tests"] - count["pass"] - count["fail"] }'
echo "Skipped, with the reasons:"
grep -E '^[0-9]+: ok [0-9]+ - .* # SKIP' "$log" | sed -E 's/^[0-9]+: ok [0-9]+ - /  /' | sort
grep -E 'tests passed|tests failed out of' "$log"
grep -E '^[[:space:]]*[0-9]+ - .*\((Failed|Timeout|SEGFAULT|Subprocess aborted|Not Run)' "$log" | sed 's/^/  failed: /'
echo "Time under Wine: ${seconds} s; the whole output in $log"
exit $status
