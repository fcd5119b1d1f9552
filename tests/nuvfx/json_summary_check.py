"""The --json summary against the text summary, with the nuvfx program.

usage: json_summary_check.py NUVFX WORK_DIR SONG

1. A chain over SONG, reported as text and as JSON: the JSON parses (also
   with `python3 -m json.tool`), each effect's counts equal the text
   summary's, the tracks' counts add up to the total, and both runs write
   the same file.
2. A folder with a song and a file that is no song, with --out-dir: one
   object per file, the failed one with "ok": false and the error line the
   error output shows.
"""
import json
import os
import re
import subprocess
import sys

CHAIN = ["gapkeeper+sloppet+velocurve", "--seed", "3", "--set", "noteon=on", "--set", "notevel=on",
         "--set", "p1=40"]
NOTES = re.compile(r"notes: (\d+) in, (\d+) out; (\d+) moved, (\d+) transposed, (\d+) velocities changed, "
                   r"(\d+) dropped, (\d+) added")
KINDS = re.compile(r"controllers (\d+) in, (\d+) out.*; wheel (\d+) in, (\d+) out.*; key pressure (\d+) in, "
                   r"(\d+) out.*; channel pressure (\d+) in, (\d+) out")
KEPT = re.compile(r"kept unchanged: (\d+) other events")


def run(nuvfx, *args):
    return subprocess.run([nuvfx, *args], capture_output=True, text=True)


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def counts_of(total):
    notes = total["notes"]
    events = total["events"]
    return ([notes[k] for k in ("in", "out", "moved", "transposed", "velocityChanged", "dropped", "added")],
            [events[kind][k] for kind in ("controllers", "wheel", "keyPressure", "channelPressure")
             for k in ("in", "out")],
            total["keptUnchanged"])


def check_chain(nuvfx, work, song):
    text_out, json_out = os.path.join(work, "text.mid"), os.path.join(work, "json.mid")
    text = run(nuvfx, "process", CHAIN[0], song, text_out, *CHAIN[1:])
    as_json = run(nuvfx, "process", CHAIN[0], song, json_out, *CHAIN[1:], "--json")
    if text.returncode or as_json.returncode:
        fail("runs failed: " + text.stderr + as_json.stderr)
    tool = subprocess.run([sys.executable, "-m", "json.tool"], input=as_json.stdout, capture_output=True, text=True)
    if tool.returncode:
        fail("json.tool refuses the summary: " + tool.stderr)
    summary = json.loads(as_json.stdout)
    notes = [list(map(int, m)) for m in NOTES.findall(text.stdout)]
    kinds = [list(map(int, m)) for m in KINDS.findall(text.stdout)]
    kept = [int(m) for m in KEPT.findall(text.stdout)]
    effects = summary["effects"]
    if len(effects) != 3 or len(notes) != 3:
        fail("three effects expected: %d in JSON, %d in the text" % (len(effects), len(notes)))
    for i, effect in enumerate(effects):
        if counts_of(effect["total"]) != (notes[i], kinds[i], kept[i]):
            fail("effect %d: JSON %s, text %s" % (i + 1, counts_of(effect["total"]), (notes[i], kinds[i], kept[i])))
        per_track = [counts_of(t) for t in effect["tracks"]]
        added = [sum(values) for values in zip(*[t[0] + t[1] + [t[2]] for t in per_track])]
        total = counts_of(effect["total"])
        if added != total[0] + total[1] + [total[2]]:
            fail("effect %d: the tracks add up to %s, the total is %s" % (i + 1, added, total))
    seeds = [e["seed"] for e in effects]
    if seeds[0] is not None or seeds[2] is not None or not isinstance(seeds[1], int):
        fail("only sloppet takes a seed: %s" % seeds)
    if "seed %d" % seeds[1] not in text.stdout:
        fail("the text does not state seed %d" % seeds[1])
    if open(text_out, "rb").read() != open(json_out, "rb").read():
        fail("--json changed the file written")


def check_folder(nuvfx, work, song):
    folder = os.path.join(work, "songs")
    os.makedirs(folder, exist_ok=True)
    with open(song, "rb") as src, open(os.path.join(folder, "good.mid"), "wb") as dst:
        dst.write(src.read())
    with open(os.path.join(folder, "words.mid"), "w") as f:
        f.write("not a song")
    r = run(nuvfx, "process", "gapkeeper", folder, "--out-dir", os.path.join(work, "out"), "--json", "-j", "2")
    if r.returncode != 2:
        fail("status %d, 2 expected" % r.returncode)
    objects = [json.loads(line) for line in r.stdout.splitlines()]
    if [o["ok"] for o in objects] != [True, False]:
        fail("one good and one failed object expected: " + r.stdout)
    if "nuvfx: " + objects[1]["error"] not in r.stderr.splitlines():
        fail("the error differs from the error output's line: " + objects[1]["error"] + " / " + r.stderr)


def main():
    nuvfx, work, song = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    check_chain(nuvfx, work, song)
    check_folder(nuvfx, work, song)
    print("the JSON summaries agree with the text")


if __name__ == "__main__":
    main()
