#!/usr/bin/env bash
# Every deliverable gives the same output in its 32-bit DLL, its 64-bit DLL and
# the native engine, in the 64-bit prefix where both DLLs are installed side by
# side (the 32-bit programs run there through WoW64, as on 64-bit Windows):
# - the example song through nuvfx with the native engine, with the 32-bit DLL
#   (--plugin) and with the 64-bit DLL: the three files equal byte for byte;
# - both DLLs registered with their own regsvr32 (system32 for the 64-bit one,
#   syswow64 for the 32-bit one), each registry view naming its own DLL, and
#   comhost of each width creating its DLL through the registry and COM with
#   the native engine's saved settings: the two output digests equal.
# NuvSloppet's random steps stay switched off: its DLL seeds them from the clock.
# Exit 77 (skipped) when the native nuvfx or the 32-bit build is not built yet.
# usage: builds_agree.sh WINE64_RUN NATIVE_NUVFX BUILD32 BUILD64 SONG WORK_DIR
set -uo pipefail
wine="$1" native="$2" build32="$3" build64="$4" song="$5" work="$6"
[ -x "$native" ] || { echo "no native nuvfx at $native"; exit 77; }
[ -f "$build32/tools/nuvfx/nuvfx.exe" ] && [ -f "$build32/tools/comhost/comhost.exe" ] ||
  { echo "no 32-bit build in $build32"; exit 77; }
mkdir -p "$work"
build32="$(cd "$build32" && pwd)" build64="$(cd "$build64" && pwd)"
regsvr64='regsvr32.exe'
regsvr32='C:\windows\syswow64\regsvr32.exe'

runs=("NuvShiftwell shiftwell {5E7C05D8-1032-4CAF-A6CB-1F86E0A4AF3D} --set shift=5 --set lowkey=C4 --set highkey=A5"
      "NuvOndulo ondulo {0AF8549C-6171-413C-B3F2-22528219FEF9} --set waveform=triangle --set interval=half"
      "NuvSloppet sloppet {500F07AA-BBB6-40FE-9CF3-7158B8F5E940}"
      "NuvGapkeeper gapkeeper {64BAACC1-F425-4356-8FEF-294BBDC99514} --set notemargin=20"
      "NuvVelocurveV2 velocurve {B0D2C5BE-6E1A-40DD-AC44-6EA9B52B88F7} --set p1=60 --set p2=112"
      "NuvWobbleton wobbleton {D029B552-195C-4090-B38C-66E7517AF394} --set amp=16")

registered=()
unregistering=""  # what the last unregister_all saw fail, for the message
unregister_all() {
  local entry code
  unregistering=""
  for entry in "${registered[@]}"; do
    "$wine" "${entry%%|*}" /u /s "${entry#*|}" >/dev/null 2>&1
    code=$?
    [ $code -eq 0 ] || unregistering+=" ${entry%%|*} /u exited $code;"
  done
}
trap unregister_all EXIT

# The default value of the effect's InprocServer32 key in registry view $2.
server_in_view() {
  "$wine" reg query "HKCR\\CLSID\\$1\\InprocServer32" /ve "/reg:$2" 2>/dev/null | sed -n 's/.*REG_SZ *//p' | tr -d '\r'
}
# The output digest comhost ($1) prints for the DLL ($2) created through the registry.
digest_through_registry() {
  "$wine" "$1" --via registry --show 0 --settings "$work/$effect.settings" "$2" "$song" 2>&1 |
    sed -n 's/^ *output digest //p' | tr -d '\r'
}

# The path Wine gives a file of the machine's own file system (drive Z:).
windows_path() { local path="Z:$1"; echo "${path//\//\\}"; }

status=0
fail() { echo "$dll: $*"; status=1; good=0; }
for run in "${runs[@]}"; do
  set -- $run
  dll="$1" effect="$2" class="$3" good=1; shift 3
  dll32="$build32/dist/$dll.dll" dll64="$build64/dist/$dll.dll"
  [ -f "$dll32" ] && [ -f "$dll64" ] || { fail "missing $dll32 or $dll64"; continue; }

  "$native" process "$effect" "$song" "$work/$effect.native.mid" --save-settings "$work/$effect.settings" "$@" \
    >/dev/null || { fail "native engine failed"; continue; }
  "$wine" "$build32/tools/nuvfx/nuvfx.exe" process "$effect" "$song" "$work/$effect.dll32.mid" --plugin "$dll32" "$@" \
    >/dev/null || { fail "32-bit DLL failed"; continue; }
  "$wine" "$build64/tools/nuvfx/nuvfx.exe" process "$effect" "$song" "$work/$effect.dll64.mid" --plugin "$dll64" "$@" \
    >/dev/null || { fail "64-bit DLL failed"; continue; }
  cmp -s "$work/$effect.native.mid" "$work/$effect.dll32.mid" || fail "32-bit DLL output differs from the native engine's"
  cmp -s "$work/$effect.native.mid" "$work/$effect.dll64.mid" || fail "64-bit DLL output differs from the native engine's"

  "$wine" "$regsvr64" /s "$dll64" || { fail "64-bit regsvr32 failed"; continue; }
  registered+=("$regsvr64|$dll64")
  "$wine" "$regsvr32" /s "$dll32" || { fail "32-bit regsvr32 failed"; continue; }
  registered+=("$regsvr32|$dll32")
  in64="$(server_in_view "$class" 64)" in32="$(server_in_view "$class" 32)"
  [ "$in64" = "$(windows_path "$dll64")" ] || fail "the 64-bit registry view names '$in64'"
  [ "$in32" = "$(windows_path "$dll32")" ] || fail "the 32-bit registry view names '$in32'"
  digest64="$(digest_through_registry "$build64/tools/comhost/comhost.exe" "$dll64")"
  digest32="$(digest_through_registry "$build32/tools/comhost/comhost.exe" "$dll32")"
  [ -n "$digest64" ] && [ "$digest64" = "$digest32" ] ||
    fail "through the registry: 64-bit digest '$digest64', 32-bit digest '$digest32'"
  unregister_all
  registered=()
  [ -z "$(server_in_view "$class" 64)$(server_in_view "$class" 32)" ] ||
    fail "still registered after regsvr32 /u (64-bit view '$(server_in_view "$class" 64)'," \
         "32-bit view '$(server_in_view "$class" 32)';${unregistering:- both exited 0})"
  [ $good -eq 1 ] && echo "same: $dll (digest $digest64)"
done
exit $status
