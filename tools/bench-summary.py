#!/usr/bin/env python3
"""Summarises engine_bench JSON output: geometric means of engine/native
evaluation time and of engine/peer compile time.

Usage: build/bin/engine_bench --benchmark_format=json | tools/bench-summary.py
"""
import json
import math
import sys


def geomean(values):
    return math.exp(sum(math.log(v) for v in values) / len(values)) if values else float("nan")


def main():
    data = json.load(sys.stdin)
    times = {b["name"]: b["cpu_time"] for b in data["benchmarks"] if b.get("run_type") != "aggregate"}
    names = sorted({n.split("/")[-1] for n in times}, key=lambda s: int(s[1:]))
    rows = []
    for n in names:
        ev, nat = times.get(f"eval/engine/{n}"), times.get(f"eval/native/{n}")
        co, peer = times.get(f"compile/engine/{n}"), times.get(f"compile/peer/{n}")
        rows.append((n, ev, nat, co, peer))
        print(f"{n:4} eval {ev:8.2f} ns native {nat:8.2f} ns ratio {ev / nat:5.2f}   "
              f"compile {co:9.1f} ns" + (f" peer {peer:9.1f} ns ratio {co / peer:5.2f}" if peer else ""))
    evals = [r[1] / r[2] for r in rows]
    print(f"geomean eval/native   {geomean(evals):.2f}   max {max(evals):.2f}")
    peers = [r[3] / r[4] for r in rows if r[4]]
    if peers:
        print(f"geomean compile/peer  {geomean(peers):.2f}")


if __name__ == "__main__":
    main()
