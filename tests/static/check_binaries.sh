#!/usr/bin/env bash
# Static checks of a built program: a PE of the right kind for its target, the GUI subsystem,
# the manifest resource, imports from system DLLs only, and GBK narrow literals.
#   check_binaries.sh TRIPLET sysclean.exe
set -u
triplet=$1 exe=$2
objdump=$triplet-objdump
fail=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; fail=1; fi; }

headers=$($objdump -x "$exe")
if [ "$triplet" = i686-w64-mingw32 ]; then
  check "PE32 (i386)" 'grep -q "file format pei-i386" <<<"$headers"'
else
  check "PE32+ (x86-64)" 'grep -q "file format pei-x86-64" <<<"$headers"'
fi
check "GUI subsystem" 'grep -Eq "^Subsystem\s+0+2\s" <<<"$headers"'
# A manifest: resource type 24 (RT_MANIFEST) in the resource directory.
check "manifest resource" '$objdump -s -j .rsrc "$exe" | grep -q "requireAdministrator" || grep -aq "requireAdministrator" "$exe"'
check "common controls 6 in the manifest" 'grep -aq "Microsoft.Windows.Common-Controls" "$exe"'

allowed='^(kernel32|ntdll|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|version|wininet|msvcrt|api-ms-win-crt-[a-z0-9-]+|bcrypt)\.dll$'
dlls=$(grep -i "DLL Name:" <<<"$headers" | awk '{print tolower($3)}' | sort -u)
echo "imports: $(echo $dlls)"
for d in $dlls; do
  check "import $d is a system DLL" '[[ $d =~ $allowed ]]'
done
check "no runtime DLL beside the program" '! grep -Eiq "libgcc|libstdc|libwinpthread|libpng|zlib" <<<"$dlls"'

# GBK literals: "一键清理完成！" as GBK bytes inside the program.
gbk=$(printf '一键清理完成！' | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n')
check "GBK literal in the program" 'od -An -tx1 -v "$exe" | tr -d " \n" | grep -q "$gbk"'
check "true mark as D5 E6" '[ "$(printf "真" | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d " \n")" = d5e6 ]'
exit $fail
