#!/usr/bin/env python3
"""Prints the benchmark results as one table with the ratios the goals name,
each from the best of its repetitions.

Usage: report.py RESULTS.json... [MEMORY.jsonl]
"""
import json
import re
import sys


def load(paths):
    runs = []
    for path in paths:
        with open(path) as f:
            runs += json.load(f)["benchmarks"]
    times = {}
    for run in runs:
        if run.get("run_type") == "aggregate" or run.get("error_occurred"):
            continue
        name = re.sub(r"/(real_time|min_time:[0-9.]+|min_warmup_time:[0-9.]+)", "", run["name"])
        scale = 1
        parts = name.split("/")
        if parts[-1].isdigit():
            scale = int(parts[-1])
            parts = parts[:-1]
        key = ("/".join(parts), scale)
        unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
        times.setdefault(key, []).append(run["real_time"] * unit)
        if "bytes_per_second" in run:
            times.setdefault(("mbps",) + key, []).append(run["bytes_per_second"] / 1e6)
    # The best of the repetitions: other load on the machine only ever
    # slows a run down. For throughputs that is the largest.
    return {k: (max(v) if k[0] == "mbps" else min(v)) for k, v in times.items()}


def verdict(ok):
    return "met" if ok else "MISSED"


def main():
    args = sys.argv[1:]
    t = load([a for a in args if a.endswith(".json")])
    memory = []
    for path in (a for a in args if a.endswith(".jsonl")):
        with open(path) as f:
            memory += [json.loads(line) for line in f if line.strip()]
    rows = []

    def row(what, value, goal, ok):
        rows.append((what, value, goal, verdict(ok) if ok is not None else ""))

    q, b = t.get(("query/round_trip/qel", 1)), t.get(("query/round_trip/bare", 1))
    if q and b:
        row("query round trip / bare spawn+wait", "%.0f us / %.0f us = %.2f" % (q * 1e6, b * 1e6, q / b),
            "<= 1.10", q / b <= 1.10)
    s = t.get(("query/start_and_wait/qel", 1))
    if s and b:
        row("  of which start_and_wait / bare spawn+wait", "%.0f us / %.0f us = %.2f" % (s * 1e6, b * 1e6, s / b),
            "(seam alone)", None)

    # What loading must reach against libxml2 on each document.
    load_goal = {"general": 1.2, "answer": 1.5}
    for kind in ("general", "answer"):
        ours = t.get(("mbps", "load/%s/qel" % kind, 1))
        lx = t.get(("mbps", "load/%s/libxml2" % kind, 1))
        pg = t.get(("mbps", "load/%s/pugixml" % kind, 1))
        if ours and lx and pg:
            row("load %s: qel / libxml2 / pugixml MB/s" % kind, "%.0f / %.0f / %.0f" % (ours, lx, pg),
                "(compared)", None)
            row("  qel / libxml2", "%.2f" % (ours / lx), ">= %.1f" % load_goal[kind],
                ours / lx >= load_goal[kind])

    ours, lx, pg = (t.get(("mbps", "save/general/%s" % p, 1)) for p in ("qel", "libxml2", "pugixml"))
    if ours and lx and pg:
        row("save general: qel / libxml2 / pugixml MB/s", "%.0f / %.0f / %.0f" % (ours, lx, pg),
            "(compared)", None)

    for conv in ("from_utf8", "to_utf8", "to_utf16", "to_cp1252"):
        ours, ic = (t.get(("mbps", "text/%s/%s" % (conv, p), 1)) for p in ("qel", "iconv"))
        if ours and ic:
            row("text %s: qel / iconv MB/s" % conv, "%.0f / %.0f" % (ours, ic), "(compared)", None)

    for name in sorted({k[0] for k in t if k[0] != "mbps" and k[0].endswith("/qel")}):
        if not name.startswith(("load/", "save/", "text/", "answer/")):
            continue
        one, two, four = (t.get((name, s)) for s in (1, 2, 4))
        if one and two and four:
            worst = max(two / one, four / two)
            row("scaling %s: x2 / x4 time" % name[:-4], "%.2f / %.2f" % (two / one, four / two),
                "each doubling <= 2.2", worst <= 2.2)

    # Peak and kept heap as multiples of the input, from the same counting
    # of both libraries: the peak at most one input above what is kept, and
    # what is kept within a factor of libxml2's.
    kept_goal = {"general": 2.0, "answer": 1.0}
    by_name = {m["name"]: m for m in memory}
    for kind in ("general", "answer"):
        ours, lx = by_name.get("memory/%s/qel" % kind), by_name.get("memory/%s/libxml2" % kind)
        if not ours or not lx:
            continue
        row("memory %s peak / kept, x input: qel / libxml2" % kind,
            "%.1f / %.1f  %.1f / %.1f" % (ours["peak_ratio"], ours["kept_ratio"], lx["peak_ratio"], lx["kept_ratio"]),
            "(compared)", None)
        above = (ours["peak"] - ours["kept"]) / float(ours["bytes"])
        row("  qel peak - kept, x input", "%.3f" % above, "<= 1.0", above <= 1.0)
        ratio = ours["kept_ratio"] / lx["kept_ratio"]
        goal = kept_goal[kind]
        row("  qel kept / libxml2 kept", "%.2f" % ratio, ("<= %.1f" if goal > 1 else "< %.1f") % goal,
            ratio <= goal if goal > 1 else ratio < goal)

    widths = [max(len(r[i]) for r in rows + [("what", "measured", "goal", "")]) for i in range(4)]
    line = "  ".join("%-*s" % (w, h) for w, h in zip(widths, ("what", "measured", "goal", "")))
    print(line.rstrip())
    print("-" * len(line.rstrip()))
    for r in rows:
        print("  ".join("%-*s" % (w, c) for w, c in zip(widths, r)).rstrip())


if __name__ == "__main__":
    main()
