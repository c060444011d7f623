#!/usr/bin/env bash
# Adds up the results of CTest runs from their logs:
#   ctest-counts.sh LOG...   prints "N passed, F failed, S skipped"
# CTest's own line "P% tests passed, F tests failed out of T" counts a skipped
# test among the passed ones; the skipped ones are those it lists as
# "(Skipped)" under "The following tests did not run:", and are counted apart.
# A log without that line (a run that did not finish) counts as one failure.
set -euo pipefail
passed=0 failed=0 skipped=0
for log in "$@"; do
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    continue
  fi
  read -r total fail < <(echo "$line" | awk '{print $NF, $4}')
  skip=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log" || true)
  passed=$((passed + total - fail - skip))
  failed=$((failed + fail))
  skipped=$((skipped + skip))
done
echo "$passed passed, $failed failed, $skipped skipped"
