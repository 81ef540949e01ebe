# Sourced by the install tests: a scratch folder removed at exit, and `fail`. At exit every program
# started from under $programs_under (the scratch folder unless set) is stopped first: a
# bus-started program is no child of the test.
scratch=$(mktemp -d)
# $before_cleanup, when set, runs first; nothing mounted inside the folder is crossed.
trap 'eval "${before_cleanup:-}"; pkill -KILL -f "${programs_under:-$scratch}/" || true
      rm -rf --one-file-system "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# expect_started LOG SHARE: Lexotrace's log shows its first window, on the factory files installed
# under SHARE/orthova.
expect_started() {
    grep -q "first window shown" "$1" || { cat "$1" >&2; fail "the installed Lexotrace showed no window"; }
    grep -q "lessonsXMLSourcePath: $2/orthova/Lessons_Initiation_Data.xml" "$1" ||
        { cat "$1" >&2; fail "the installed Lexotrace did not use the installed factory files"; }
}
