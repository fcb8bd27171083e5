#!/usr/bin/env bash
# The wizard as a user meets it: Orvanta.exe runs under Wine and is driven from outside by
# control ids alone. On each page a sample file is named, keys are added, the command is
# copied and then run: the console it starts runs the real sorter, whose output is checked.
# Saves a screenshot of each page in use. Expects the Wine environment of wine_env.sh and a
# display. Prints "e2e: N passed, N failed".
set -uo pipefail
build="${WINDOWS_BUILD_DIR:?}"
work="$build/e2e"
rm -rf "$work"
mkdir -p "$work" "$build/screenshots"
drive() { wine "$build/tools/drive/orvanta_drive.exe" "$@" | tr -d '\r'; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
module_dir=$(windows_path "$build/ui/")

passed=0
failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'e2e %s:\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  fi
}
wait_for_file() {
  for _ in $(seq 100); do
    [ -s "$1" ] && sleep 1 && return 0
    sleep 0.2
  done
  return 1
}

printf 'id,name,amount\r\n3,pear,"1,200"\r\n1,"apple, red",30\r\n2,fig,"1,200"\r\n4,kiwi,5\r\n' >"$work/sales.csv"
printf 'C0003pear \r\nA0001apple\r\nB0002fig  \r\n' >"$work/items.txt"
csv_in=$(windows_path "$work/sales.csv")
csv_out=$(windows_path "$work/sales_sorted.csv")
txt_in=$(windows_path "$work/items.txt")
txt_out=$(windows_path "$work/items_sorted.txt")

wine "$build/ui/Orvanta.exe" &
program=$!
drive wait sleep=1500 >/dev/null

# CSV page: the amount with thousands commas descending (the heading, without a number, goes
# last), then the id.
drive "set=csv:1003:$csv_in" sleep=300 >/dev/null
check "csv field count" "3" "$(drive get=csv:1020)"
drive "set=csv:1005:$csv_out" set=csv:1006:3 click=csv:1010 sleep=300 click=csv:1012 sleep=300 >/dev/null
check "csv item value" "amount" "$(drive get=csv:1013)"
check "csv key definition" "key(3)attr(d;z)" "$(drive get=csv:1015)"
drive click=csv:1014 sleep=300 click=csv:1007 sleep=300 click=csv:1011 sleep=300 set=csv:1006:1 \
  sleep=300 click=csv:1014 sleep=300 >/dev/null
check "csv preview" "Pellacor.exe sales.csv sales_sorted.csv key(3)attr(d;z) key(1,32)" \
  "$(drive get=csv:1016)"
import -window root -crop "$(drive rect)" +repage "$build/screenshots/csv-page-in-use.png"
csv_command="\"${module_dir}Pellacor.exe\" \"$csv_in\" \"$csv_out\" key(3)attr(d;z) key(1,32)"
drive click=csv:3 sleep=500 >/dev/null
check "csv clipboard" "$csv_command" "$(drive clipboard)"

# Text page: columns 2-5 ascending.
drive tab=1 "set=txt:1003:$txt_in" sleep=300 >/dev/null
check "text record length" "10" "$(drive get=txt:1020)"
drive "set=txt:1005:$txt_out" set=txt:1006:2 set=txt:1009:4 sleep=300 >/dev/null
check "text column value" "0003" "$(drive get=txt:1013)"
drive click=txt:1014 sleep=300 >/dev/null
check "text preview" "Trivandel.exe items.txt items_sorted.txt key(2,4)" "$(drive get=txt:1016)"
import -window root -crop "$(drive rect)" +repage "$build/screenshots/text-page-in-use.png"

# Both commands run in consoles of their own; the sorters' outputs are checked.
drive tab=0 sleep=300 >/dev/null
drive click=csv:1 >/dev/null
if wait_for_file "$work/sales_sorted.csv"; then
  check "csv sorted" "$(printf '2,fig,"1,200"\r\n3,pear,"1,200"\r\n1,"apple, red",30\r\n4,kiwi,5\r\nid,name,amount\r\n')" \
    "$(cat "$work/sales_sorted.csv")"
else
  check "csv sorted" "an output file" "none"
fi

drive tab=1 sleep=300 >/dev/null
drive click=txt:1 >/dev/null
if wait_for_file "$work/items_sorted.txt"; then
  check "text sorted" "$(printf 'A0001apple\r\nB0002fig  \r\nC0003pear \r\n')" "$(cat "$work/items_sorted.txt")"
else
  check "text sorted" "an output file" "none"
fi

drive tab=0 close >/dev/null
sleep 1
kill "$program" 2>/dev/null
wineserver -k 2>/dev/null
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
