#!/usr/bin/env bash
# Checks the release zip as a user gets it: its listing and checksum, that no packaged program
# needs a DLL that is not part of Windows, and then the wizard end to end from the unpacked
# folder (a path with a blank, Japanese characters and a 0x5C trail byte) in a fresh Wine
# prefix whose .pdf handler records what it is asked to open.
# Expects WINDOWS_BUILD_DIR (for the drive tool and the stand-in viewer), PACKAGE_ZIP, the Wine
# environment of wine_env.sh and a display. Prints "package: N passed, N failed" after the
# end-to-end run's own line.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${WINDOWS_BUILD_DIR:?}"
zip=$(realpath "${PACKAGE_ZIP:?}")
folder=$(basename "$zip" -win64.zip)  # Orvanta-<version>

CHECK_NAME=package
source "$here/../e2e/checks.sh"

# The listing: the folder and exactly what a user needs, nothing of the build.
expected_listing=$(printf '%s\n' "$folder/" "$folder/Orvanta.exe" "$folder/Pellacor.exe" \
  "$folder/Trivandel.exe" "$folder/Velkano.pdf" "$folder/はじめにお読みください.txt" | sort)
check "listing" "$expected_listing" "$(cmake -E tar tf "$zip" | sort)"
check "checksum" "OK" "$(cd "$(dirname "$zip")" && sha256sum --quiet -c "$(basename "$zip").sha256" && echo OK)"

# A fresh prefix, as on a machine that never saw the program.
source "$here/../../scripts/wine_env.sh"
export WINEPREFIX="$build/package-prefix"
rm -rf "$WINEPREFIX"
orvanta_wine_prefix

# Every DLL a packaged program imports must come with Windows.
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll \
oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll "
unpacked="$WINEPREFIX/drive_c/作業 ソート フォルダ"
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
home="$unpacked/$folder"
for program in Orvanta Pellacor Trivandel; do
  foreign=""
  imports=$(x86_64-w64-mingw32-objdump -p "$home/$program.exe" | sed -n 's/^\s*DLL Name: //p' |
    tr 'A-Z' 'a-z')
  for dll in $imports; do
    [[ "$system_dlls" == *" $dll "* ]] || foreign+="$dll "
  done
  check "$program.exe imports only Windows DLLs" "" "$foreign"
  check "$program.exe imports" "yes" "$([ -n "$imports" ] && echo yes || echo no)"
done

# The prefix's .pdf files open in the stand-in viewer, which writes the path down.
open_record="$build/package-opened.txt"
viewer=$(printf 'Z:%s' "${build//\//\\}\\tests\\package\\open_recorder.exe")
record=$(printf 'Z:%s' "${open_record//\//\\}")
wine reg add 'HKCR\.pdf' /ve /d OrvantaTest.Document /f >/dev/null 2>&1
wine reg add 'HKCR\OrvantaTest.Document\shell\open\command' /ve \
  /d "\"$viewer\" \"$record\" \"%1\"" /f >/dev/null 2>&1

ORVANTA_HOME="$home" E2E_OPEN_RECORD="$open_record" bash "$here/../e2e/e2e.sh"
e2e_status=$?
wineserver -k 2>/dev/null
[ "$e2e_status" -eq 0 ] || echo "package: the end-to-end run from the unpacked folder failed"
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$e2e_status" -eq 0 ]
