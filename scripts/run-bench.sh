#!/bin/sh
# Runs the benchmark executables in the folder given (make bench: build-bench/bench)
# and prints each path's median against its budget.
#   RUNS: how many runs of each benchmark the median is taken over (default 9).
#   BATCH_RUNS: the same for bench_batch, whose single runs take about 20 s
#   each time (default 3).
#   PAIRS: how many turns of talven-report and the floor (default 41: single
#   process runs scatter by a few milliseconds, so their medians need more
#   samples than the benchmarks' own).
set -u
folder=${1:?usage: run-bench.sh BENCH_FOLDER}
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-9}
batch_runs=${BATCH_RUNS:-3}
pairs=${PAIRS:-41}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime"

failed=0
for program in bench_window bench_report bench_files bench_batch; do
  program_runs=$runs
  [ "$program" = bench_batch ] && program_runs=$batch_runs
  echo "== $program (median of $program_runs runs)"
  if ! "$folder/$program" -median "$program_runs" -o "$work/$program.csv,csv" -o "$work/$program.txt,txt" \
      > "$work/$program.out" 2>&1; then
    failed=1
    cat "$work/$program.out"
  fi
  grep -E '^(FAIL|SKIP|QFATAL|RESULT|  +[0-9.,]+ msecs)' "$work/$program.txt" || true
  cat "$work/$program.csv" >> "$work/all.csv"
done
# Start-up and memory are one sample per process: more processes for them.
echo "== start-up and memory: $runs processes"
: > "$work/first.out"
for run in $(seq 1 "$runs"); do
  "$folder/bench_window" startupToMainWindowShown >> "$work/first.out" 2>&1 || failed=1
done
median() {  # of the numbers on standard input
  sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
first_window=$(sed -n 's/^FIRST_WINDOW_MS \([0-9.]*\)$/\1/p' "$work/first.out" | median)
resident=$(sed -n 's/^RESIDENT_KB \([0-9]*\)$/\1/p' "$work/first.out" | median)
echo "first main window (ms): $(sed -n 's/^FIRST_WINDOW_MS //p' "$work/first.out" | tr '\n' ' ')"
echo "resident (kB): $(sed -n 's/^RESIDENT_KB //p' "$work/first.out" | tr '\n' ' ')"

# talven-report's one-page report beside the floor, a bare program writing
# one A4 page of the same texts with QPdfWriter: run in turns, so that both
# meet the same machine, and compared by their medians.
echo "== talven-report's one page against the floor: $pairs pairs"
: > "$work/pairs"
for run in $(seq 1 "$pairs"); do
  start=$(date +%s%N)
  "$folder/../bin/talven-report" "$here/docs/example.vek" -o "$work/tool.pdf" > /dev/null 2>&1 || failed=1
  middle=$(date +%s%N)
  "$folder/bench_pdf_floor" "$folder/onepage.txt" "$work/floor.pdf" || failed=1
  end=$(date +%s%N)
  echo "$(( (middle - start) / 1000 )) $(( (end - middle) / 1000 ))" >> "$work/pairs"
done
tool_us=$(cut -d ' ' -f 1 "$work/pairs" | median)
floor_us=$(cut -d ' ' -f 2 "$work/pairs" | median)
echo "talven-report (µs): $(cut -d ' ' -f 1 "$work/pairs" | tr '\n' ' ')"
echo "floor (µs): $(cut -d ' ' -f 2 "$work/pairs" | tr '\n' ' ')"

echo
echo "machine: $(nproc) cores, $(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -n 1)"
echo
# One line per path: function/data row, what it measures, budget in ms (empty: none).
cat > "$work/budgets" <<'LIST'
keystrokeInNumberBox/|one keystroke in a number box (change, validate, store, totals)|0.2
drawReportA4Image150dpi/|DrawReport onto an A4 image at 150 dpi|20
drawReportPdf/|DrawReport into an A4 PDF at 600 dpi|
writeReportPdfLongTitles/|the PDF file with every title-block text 1,000,000 characters|1000
readStudyFile/|study file read + validate|2
writeStudyFile/disk|study file write (synced to the disk)|2
writeStudyFile/memory|study file write in /dev/shm (no disk under the sync)|
startupToMainWindowShown/|another main window built and shown (warm process)|
singleRuns/|talven-report: 1,000 studies as 1,000 single runs (-o)|
batchReportsAndTable/|talven-report: the same 1,000 in one batch run (-d, --csv)|
tableOnly/|talven-report: the table alone for 1,000 studies (--csv)|300
LIST
awk -F'|' -v resident="${resident:-}" -v first="${first_window:-}" -v tool="${tool_us:-}" -v floor="${floor_us:-}" '
  FNR == NR {
    # csv: "function","tag","metric",value,total,iterations
    split($0, field, ",")
    name = field[1] "/" field[2]; gsub(/"/, "", name)
    value[name] = field[4]
    next
  }
  BEGIN { print "| path | budget | median | within budget |"; print "|---|---|---|---|" }
  {
    budget = ($3 == "") ? "—" : "< " $3 " ms"
    if (!($1 in value)) { printf "| %s | %s | (no result) | no |\n", $2, budget; over++; next }
    shown = (value[$1] + 0 >= 1000) ? sprintf("%.2f s", value[$1] / 1000) : sprintf("%.4g ms", value[$1])
    within = ($3 == "") ? "—" : ((value[$1] + 0 < $3 + 0) ? "yes" : "NO")
    if (within == "NO") over++
    printf "| %s | %s | %s | %s |\n", $2, budget, shown, within
  }
  END {
    if (first == "") { print "| start-up beyond the title window: first main window shown | < 300 ms | (no result) | no |"; over++ }
    else {
      printf "| start-up beyond the title window: first main window built and shown | < 300 ms | %.4g ms | %s |\n", first, (first + 0 < 300 ? "yes" : "NO")
      if (first + 0 >= 300) over++
    }
    if (resident == "") { print "| resident memory with the main window open | < 80 MB | (no result) | no |"; over++ }
    else {
      mb = resident / 1024
      printf "| resident memory with the main window open | < 80 MB | %.1f MB | %s |\n", mb, (mb < 80 ? "yes" : "NO")
      if (mb >= 80) over++
    }
    if (tool == "" || floor == "" || floor + 0 == 0) { print "| talven-report: one-page report against the floor (QPdfWriter alone) | ≤ 1.3× | (no result) | no |"; over++ }
    else {
      ratio = tool / floor
      printf "| talven-report: one-page report against the floor (QPdfWriter alone) | ≤ 1.3× | %.1f ms / %.1f ms = %.2f× | %s |\n", tool / 1000, floor / 1000, ratio, (ratio <= 1.3 ? "yes" : "NO")
      if (ratio > 1.3) over++
    }
    single = value["singleRuns/"]; batch = value["batchReportsAndTable/"]
    if (single == "" || batch == "" || batch + 0 == 0) { print "| talven-report: batch run against the single runs | ≥ 6× faster | (no result) | no |"; over++ }
    else {
      speedup = single / batch
      printf "| talven-report: batch run against the single runs | ≥ 6× faster | %.1f× | %s |\n", speedup, (speedup >= 6 ? "yes" : "NO")
      if (speedup < 6) over++
    }
    printf "\n%d of the budgets exceeded\n", over + 0
  }
' "$work/all.csv" "$work/budgets"
exit "$failed"
