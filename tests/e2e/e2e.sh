#!/usr/bin/env bash
# The wizard as a user meets it: Orvanta.exe runs from the folder a user unpacked, under Wine,
# and is driven from outside by control ids alone. On each page a sample file is dropped or
# named, keys are added, the command is copied and then run: the console it starts runs the
# real sorter from that folder, whose output is checked. The messages, the delimiter entry, the
# keyboard guards and the manual button are met on the way.
# Expects the Wine environment of wine_env.sh and a display, ORVANTA_HOME (the unpacked folder)
# and E2E_OPEN_RECORD (the file the prefix's .pdf handler writes the opened path to).
# Prints "e2e: N passed, N failed".
set -uo pipefail
build="${WINDOWS_BUILD_DIR:?}"
home="${ORVANTA_HOME:?}"
open_record="${E2E_OPEN_RECORD:?}"
work="$build/e2e"
rm -rf "$work"
mkdir -p "$work"
drive() { wine "$build/tools/drive/orvanta_drive.exe" "$@" | tr -d '\r'; }
# Paths inside the prefix's drive C are seen as C:\..., the rest of the file system as Z:\...
windows_path() {
  local path=$1 drive=Z: c_drive="$WINEPREFIX/drive_c"
  if [[ "$path" == "$c_drive/"* ]]; then
    path=${path#"$c_drive"}
    drive=C:
  fi
  printf '%s%s' "$drive" "${path//\//\\}"
}
module_dir=$(windows_path "$home/")

CHECK_NAME=e2e
source "$(dirname "$0")/checks.sh"
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

wine "$home/Orvanta.exe" &
program=$!
if ! drive wait sleep=1500 >/dev/null; then
  echo "e2e: 0 passed, 1 failed"
  exit 1
fi

# CSV page: the file is dropped together with a folder, which is passed over.
drive "drop=csv:$(windows_path "$work")|$csv_in" sleep=500 >/dev/null
check "csv dropped input" "$csv_in" "$(drive get=csv:1003)"
check "csv field count" "3" "$(drive get=csv:1020)"
check "csv proposed output" "${csv_in%.csv}_" "$(drive get=csv:1005 | sed 's/[0-9]\{6\}\.csv$//')"

# Without a key the command is copied with a message, and not run.
drive "set=csv:1005:$csv_out" sleep=300 >/dev/null
no_key="Orvanta: ソートキーが指定されていません。\\nキーを追加してください。"
check "csv copy without a key" "$no_key" "$(drive click=csv:3 message=10000)"
check "csv clipboard without a key" "\"${module_dir}Pellacor.exe\" \"$csv_in\" \"$csv_out\"" \
  "$(drive clipboard)"
check "csv execute without a key" "$no_key" "$(drive click=csv:1 message=10000)"
sleep 2
check "csv not run without a key" "no output" "$([ -e "$work/sales_sorted.csv" ] && echo output || echo no output)"

# The delimiter fields mirror each other; an invalid pair gives way to the comma after 4 s.
drive set=csv:1022:3b sleep=200 >/dev/null
check "delimiter character" ";" "$(drive get=csv:1048)"
check "delimiter in the preview" "Pellacor.exe sales.csv sales_sorted.csv {0x3b}" "$(drive get=csv:1016)"
drive set=csv:1022:00 sleep=200 >/dev/null
check "invalid delimiter empties the character" "" "$(drive get=csv:1048)"
drive sleep=4500 >/dev/null
check "comma back after 4 s" "2C ," "$(drive get=csv:1022 get=csv:1048 | paste -sd ' ')"

# The amount with thousands commas descending (the heading, without a number, goes last),
# then the id.
drive set=csv:1006:3 click=csv:1010 sleep=300 click=csv:1012 sleep=300 >/dev/null
check "csv item value" "amount" "$(drive get=csv:1013)"
check "csv key definition" "key(3)attr(d;z)" "$(drive get=csv:1015)"
drive click=csv:1014 sleep=300 click=csv:1007 sleep=300 click=csv:1011 sleep=300 set=csv:1006:1 \
  sleep=300 click=csv:1014 sleep=300 >/dev/null
check "csv preview" "Pellacor.exe sales.csv sales_sorted.csv key(3)attr(d;z) key(1,32)" \
  "$(drive get=csv:1016)"
csv_command="\"${module_dir}Pellacor.exe\" \"$csv_in\" \"$csv_out\" key(3)attr(d;z) key(1,32)"
drive click=csv:3 sleep=500 >/dev/null
check "csv clipboard" "$csv_command" "$(drive clipboard)"

# Text page: columns 2-5 ascending.
drive tab=1 "set=txt:1003:$txt_in" sleep=300 >/dev/null
check "text record length" "10" "$(drive get=txt:1020)"

# Without a key the text sorter still runs, on whole lines, after a message.
drive "set=txt:1005:$(windows_path "$work/items_whole.txt")" sleep=300 >/dev/null
check "text execute without a key" \
  "Orvanta: ソートキーが指定されていないため\\n★行全体をキーとしてソートします。" \
  "$(drive click=txt:1 message=10000)"
if wait_for_file "$work/items_whole.txt"; then
  check "text sorted on whole lines" "$(printf 'A0001apple\r\nB0002fig  \r\nC0003pear \r\n')" \
    "$(cat "$work/items_whole.txt")"
else
  check "text sorted on whole lines" "an output file" "none"
fi
drive "set=txt:1005:$txt_out" set=txt:1006:2 set=txt:1009:4 sleep=300 >/dev/null
check "text column value" "0003" "$(drive get=txt:1013)"
drive click=txt:1014 sleep=300 >/dev/null
check "text preview" "Trivandel.exe items.txt items_sorted.txt key(2,4)" "$(drive get=txt:1016)"

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

# "CMD 仕様" opens the manual that lies beside the program.
rm -f "$open_record"
drive click=main:1 >/dev/null
if wait_for_file "$open_record"; then
  check "manual opened" "$(windows_path "$home/Velkano.pdf")" "$(cat "$open_record")"
else
  check "manual opened" "a record of the opened document" "none"
fi

# The keyboard: Escape in the page keeps the keys and Enter copies (the default button) but
# never runs.
drive tab=0 sleep=300 >/dev/null
rm -f "$work/sales_sorted.csv"
drive key=csv:1006:escape sleep=500 >/dev/null
check "escape keeps the keys" "Pellacor.exe sales.csv sales_sorted.csv key(3)attr(d;z) key(1,32)" \
  "$(drive get=csv:1016)"
drive key=csv:1006:enter >/dev/null
check "enter shows nothing" "(none)" "$(drive message=1000)"
check "enter copies" "$csv_command" "$(drive clipboard)"
sleep 3
check "enter runs nothing" "no output" "$([ -e "$work/sales_sorted.csv" ] && echo output || echo no output)"

# A Japanese name dropped on the page: 表 ends in the byte of a backslash in Shift-JIS, which
# the preview must not take for a separator.
printf 'a,b\r\n' >"$work/表示.csv"
drive "drop=csv:$(windows_path "$work/表示.csv")" sleep=500 >/dev/null
check "japanese input" "$(windows_path "$work/表示.csv") 2" "$(drive get=csv:1003 get=csv:1020 | paste -sd ' ')"
check "japanese preview" "Pellacor.exe 表示.csv 表示_" "$(drive get=csv:1016 | cut -d ' ' -f 1-3 | sed 's/[0-9]\{6\}\.csv$//')"

drive tab=0 close >/dev/null
sleep 1
kill "$program" 2>/dev/null
wineserver -k 2>/dev/null
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
