#!/bin/sh
# make test: builds and tests each preset named on the command line through
# its `make test-<preset>` target, says beforehand which runs hold long
# waits, and ends with one summary of all presets. Exits 1 when any preset
# failed to build or had a failing test.
make=${MAKE:-make}
logs=build/test-logs
mkdir -p "$logs"
started=$(date +%s)
summary=""
failed=0
passed_all=0
failed_all=0

for preset in "$@"; do
    echo "== $preset"
    begin=$(date +%s)
    # Configured and built first, so that the test list can be read.
    if ! $make --no-print-directory "build-$preset"; then
        summary="$summary$(printf '%-10s build failed' "$preset")
"
        failed=1
        continue
    fi
    tests=$(ctest --preset "$preset" -N 2>/dev/null)
    if echo "$tests" | grep -q "querytimeout\|qel_timeout_tests"; then
        echo "== $preset: the time-limit tests wait 60 s (beside the others)"
    fi
    if [ "$preset" = windows ]; then
        echo "== $preset: every test program starts under wine, which takes a few seconds each"
    fi
    ctest --preset "$preset" 2>&1 | tee "$logs/$preset.log"
    end=$(date +%s)
    result=$(grep -E "tests passed, [0-9]+ tests? failed out of" "$logs/$preset.log" | tail -n 1)
    total=$(echo "$result" | sed -n 's/.* out of \([0-9]*\).*/\1/p')
    bad=$(echo "$result" | sed -n 's/.*passed, \([0-9]*\) tests\{0,1\} failed.*/\1/p')
    if [ -z "$total" ]; then
        summary="$summary$(printf '%-10s no test results (%d s)' "$preset" $((end - begin)))
"
        failed=1
        continue
    fi
    [ "$bad" = 0 ] || failed=1
    passed_all=$((passed_all + total - bad))
    failed_all=$((failed_all + bad))
    summary="$summary$(printf '%-10s %3d passed, %d failed (%d s)' "$preset" $((total - bad)) "$bad" $((end - begin)))
"
done

finished=$(date +%s)
echo
echo "== make test: all presets"
printf '%s' "$summary"
elapsed=$((finished - started))
printf 'total time %d min %02d s: %s\n' $((elapsed / 60)) $((elapsed % 60)) \
    "$([ $failed = 0 ] && echo 'all passed' || echo 'FAILED')"
# The last line counts every preset's tests, in the form test reports end with.
echo "tests: $passed_all passed, $failed_all failed"
exit $failed
