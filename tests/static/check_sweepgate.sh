#!/usr/bin/env bash
# Static checks of a 32-bit Sweepgate.dll: the sixteen export names undecorated, each export
# removing exactly its own arguments (4 bytes each) at every return, and the one load-time import
# of CreateCleaner from Cleaner.dll. Also that Cleaner.dll exports CreateCleaner undecorated and
# imports system DLLs only.
#   check_sweepgate.sh TRIPLET Sweepgate.dll Cleaner.dll
set -u
triplet=$1 dll=$2 engine=$3
objdump=$triplet-objdump
fail=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; fail=1; fi; }

declare -A args=(
  [Cleaner_Init]=0 [Cleaner_Release]=0 [Cleaner_GetRefCount]=0 [Cleaner_AddType]=2 [Cleaner_DelType]=1
  [Cleaner_GetType]=1 [Cleaner_DelAllType]=0 [Cleaner_SearchFile]=5 [Cleaner_SearchDir]=5
  [Cleaner_IsFileExist]=1 [Cleaner_IsDirExist]=1 [Cleaner_DelDir]=3 [Cleaner_DelFile]=2
  [Cleaner_StopSearch]=0 [Cleaner_GetCurState]=0 [Cleaner_GetObjCurSize]=1)

headers=$($objdump -p "$dll")
names=$(awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[ \t]*\[/{print $3} on && /^[ \t]*$/{on=0}' <<<"$headers" | sort)
check "exactly the sixteen undecorated names" '[ "$names" = "$(printf "%s\n" "${!args[@]}" | sort)" ]'

base=$(awk '/^ImageBase/{print $2}' <<<"$headers")
disassembly=$($objdump -d "$dll")
# Export ordinal -> RVA, then the name table gives each name its ordinal.
declare -A rva_of
while read -r ord rva; do rva_of[$ord]=$rva; done < <(awk '/Export Address Table -- Ordinal Base/{on=1; next} on && /\+base\[/{gsub(/[\[\]]/," "); print $3, $4} on && /^[ \t]*$/{on=0}' <<<"$headers")
while read -r ord name; do
  address=$(printf '%x' $(( 0x$base + 0x${rva_of[$ord]} )))
  body=$(awk -v a="$address" '$0 ~ "^0*"a" <" {on=1; next} on && /^$/{exit} on' <<<"$disassembly")
  rets=$(grep -Eo 'ret[l]? *(\$0x[0-9a-f]+)?$' <<<"$body" | sed 's/ *$//' | sort -u)
  n=${args[$name]:-x}
  if [ "$n" = 0 ]; then want="ret"; else want=$(printf 'ret    $0x%x' $((4 * n))); fi
  check "$name returns with '$want' only (got: $(echo $rets))" '[ -n "$rets" ] && [ "$(sed "s/ \+/ /g" <<<"$rets")" = "$(sed "s/ \+/ /g" <<<"$want")" ]'
done < <(awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[ \t]*\[/{gsub(/[\[\]]/," "); print $1 + 1, $2} on && /^[ \t]*$/{on=0}' <<<"$headers")

check "CreateCleaner imported from Cleaner.dll at load time" 'grep -A3 "DLL Name: Cleaner.dll" <<<"$headers" | grep -q "CreateCleaner$"'
engine_headers=$($objdump -p "$engine")
check "Cleaner.dll exports CreateCleaner undecorated" 'grep -A3 "\[Ordinal/Name Pointer\] Table" <<<"$engine_headers" | grep -q "\] CreateCleaner$"'
allowed='^(kernel32|ntdll|user32|advapi32|bcrypt|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
for d in $(grep -i "DLL Name:" <<<"$engine_headers" | awk '{print tolower($3)}' | sort -u); do
  check "Cleaner.dll imports the system DLL $d" '[[ $d =~ $allowed ]]'
done
exit $fail
