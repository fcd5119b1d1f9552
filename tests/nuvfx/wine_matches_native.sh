#!/usr/bin/env bash
# The Windows nuvfx under Wine must write the same files as the native one:
# the example song and a real-world song through each effect and a chain of
# three (random numbers seeded), byte for byte. Exit 77 (skipped) when no
# native tool is built yet.
# usage: wine_matches_native.sh WINE_RUN WINDOWS_NUVFX NATIVE_NUVFX SOURCE_DIR WORK_DIR
set -uo pipefail
wine_run="$1" windows="$2" native="$3" source="$4" work="$5"
[ -x "$native" ] || { echo "no native nuvfx at $native"; exit 77; }
mkdir -p "$work"
songs=("$source/examples/example_song.mid")
[ -f /usr/share/games/openttd/baseset/openmsx/tttheme2.mid ] && songs+=(/usr/share/games/openttd/baseset/openmsx/tttheme2.mid)
runs=("shiftwell --set shift=5 --set lowkey=C4 --set highkey=A5"
      "ondulo --set waveform=triangle --set interval=half"
      "sloppet --seed 3 --set noteon=on --set noteoff=on --set notevel=on --set notevelamount=20"
      "gapkeeper"
      "velocurve --set p1=60 --set p2=112"
      "wobbleton --set amp=16"
      "gapkeeper+sloppet+velocurve --seed 3 --set noteon=on --set notevel=on --set p1=60")
status=0
for song in "${songs[@]}"; do
  for run in "${runs[@]}"; do
    set -- $run
    effect="$1"; shift
    name="$(basename "$song" .mid)_$effect"
    "$native" process "$effect" "$song" "$work/$name.native.mid" "$@" >/dev/null || { echo "native $name failed"; status=1; continue; }
    "$wine_run" "$windows" process "$effect" "$song" "$work/$name.windows.mid" "$@" >/dev/null || { echo "windows $name failed"; status=1; continue; }
    if cmp -s "$work/$name.native.mid" "$work/$name.windows.mid"; then
      echo "same: $name"
    else
      echo "DIFFERENT: $name"; status=1
    fi
  done
done
exit $status
