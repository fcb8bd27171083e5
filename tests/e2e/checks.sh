# Sourced by the shell tests: counted checks. CHECK_NAME names the test in its failures.
passed=0
failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf '%s %s:\n  expected: %s\n  actual:   %s\n' "$CHECK_NAME" "$1" "$2" "$3"
  fi
}
