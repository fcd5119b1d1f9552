#!/usr/bin/env bash
# nuvfx --plugin, hosting each deliverable DLL through its class factory, must
# write the same file as nuvfx with the linked engine (both under Wine), for
# the effects whose output does not depend on the clock.
# usage: plugin_matches_engine.sh WINE_RUN WINDOWS_NUVFX DLL_FOLDER SONG WORK_DIR
set -uo pipefail
wine_run="$1" nuvfx="$2" dlls="$3" song="$4" work="$5"
mkdir -p "$work"
runs=("NuvShiftwell shiftwell --set shift=5 --set lowkey=C4 --set highkey=A5"
      "NuvOndulo ondulo --set waveform=triangle --set interval=half"
      "NuvGapkeeper gapkeeper --set notemargin=20"
      "NuvVelocurveV2 velocurve --set p1=60 --set p2=112"
      "NuvWobbleton wobbleton --set amp=16")
status=0
for run in "${runs[@]}"; do
  set -- $run
  dll="$1" effect="$2"; shift 2
  [ -f "$dlls/$dll.dll" ] || { echo "no $dll.dll in $dlls"; status=1; continue; }
  "$wine_run" "$nuvfx" process "$effect" "$song" "$work/$effect.engine.mid" "$@" >/dev/null || { echo "engine $effect failed"; status=1; continue; }
  "$wine_run" "$nuvfx" process "$effect" "$song" "$work/$effect.dll.mid" --plugin "$dlls/$dll.dll" "$@" >/dev/null ||
    { echo "DLL $dll failed"; status=1; continue; }
  if cmp -s "$work/$effect.engine.mid" "$work/$effect.dll.mid"; then echo "same: $dll"; else echo "DIFFERENT: $dll"; status=1; fi
done
exit $status
