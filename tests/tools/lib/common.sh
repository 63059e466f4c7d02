# Sourced by the quizmaker shell tests (not a test itself: CMake runs only
# the scripts directly under tests/tools and tests/tools/win). Gives a
# scratch folder $work removed at exit, fail() that counts failures, run()
# over the command in the array $quizmaker_command, expect() on the last
# run, and finish() that reports.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run ARGS...: runs quizmaker; sets status, keeps stdout in $work/out and
# stderr, line ends as on Linux, in $work/err.
run() {
    "${quizmaker_command[@]}" "$@" >"$work/out" 2>"$work/err"
    status=$?
    sed -i 's/\r$//' "$work/err"
}

# expect STATUS WHAT [PATTERN...]: the last run exited STATUS and has a
# stderr line matching each PATTERN.
expect() {
    local wanted="$1" what="$2" pattern
    shift 2
    if [ "$status" -ne "$wanted" ]; then fail "$what: exited $status, expected $wanted; stderr: $(cat "$work/err")"; fi
    for pattern in "$@"; do
        LC_ALL=C grep -a -q -- "$pattern" "$work/err" || fail "$what: no stderr line matching '$pattern'; got: $(cat "$work/err")"
    done
}

# finish NAME: the exit status and the last line of the script.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures failure(s)" >&2
        exit 1
    fi
    echo "$1: all passed"
}
