#!/usr/bin/python3
"""Splits callgrind profiles of quorl_bench frames into the game's own code and the rest.

Usage: callgrind_split.py LABEL:FRAMES:ELEMENTS:FILE ...

ELEMENTS is the number of trail elements in use (0 for none); the scenes with elements are
also fitted with a line, instructions per frame against elements.

Each FILE is a callgrind output collected only inside quorlBenchFrame. The self cost (Ir) of
every function is summed per object file ("ob=" lines). The game's own code is the
quorl_bench executable (the game's sources are linked into it); C and C++ runtime functions
it calls itself (snprintf, cos, sin, hypot) are shown on their own line, counted by the
inclusive cost of those calls. Only the standard library is used.
"""
import os
import re
import sys
from collections import defaultdict

RUNTIME = ("libc.so", "libm.so", "libstdc++.so", "libgcc_s.so")
NAME_DEF = re.compile(r"^\((\d+)\)(?: (.*))?$")


def category(path):
    base = os.path.basename(path)
    if base in ("quorl_bench", "quorl"):
        return "game code (quorl_bench)"
    if path.startswith("(benchmark"):
        return path
    if path == "???":
        return "JIT code (llvmpipe shaders, fetch)"
    if base.startswith("libLLVM"):
        return "LLVM"
    if base.startswith(("swrast_dri", "libgallium", "kms_swrast")):
        return "Mesa driver (swrast_dri.so)"
    if base.startswith(("libGL", "libglapi", "libEGL", "libGLX", "libGLdispatch")):
        return "GL dispatch (libGL*/libglapi/libEGL*)"
    if base.startswith(RUNTIME):
        return "C/C++ runtime (libc, libm, ...)"
    return "other: " + base


HOOKS = re.compile(r"^(malloc|calloc|realloc|operator new|operator delete)\b")


def object_of_cost(ob, fn):
    """The benchmark's counting allocator lives in the executable but serves every caller."""
    if category(ob).startswith("game") and fn and HOOKS.match(fn):
        return "(benchmark allocation-counting hooks)"
    return ob


def parse(path):
    """Returns (self cost per object path, inclusive cost of game -> runtime calls,
    self cost per game function, inclusive cost per game function)."""
    names = {"ob": {}, "fn": {}}
    self_cost = defaultdict(int)
    game_runtime_calls = 0
    game_functions = defaultdict(int)
    game_inclusive = defaultdict(int)
    ob = fn = cob = cfn = None
    after_calls = False

    def resolve(kind, value):
        match = NAME_DEF.match(value)
        if not match:
            return value
        number, name = match.groups()
        if name is not None:
            names[kind][number] = name
        return names[kind].get(number, value)

    with open(path, encoding="utf-8", errors="replace") as text:
        for line in text:
            line = line.rstrip("\n")
            if not line:
                continue
            head = line[0]
            if head.isdigit() or head in "+-*":
                fields = line.split()
                cost = int(fields[1]) if len(fields) > 1 else 0
                if after_calls:
                    caller = object_of_cost(ob, fn)
                    if category(caller).startswith("game"):
                        game_inclusive[fn] += cost
                    # The program's entry reaches main (and everything) through libc.
                    if (category(caller).startswith("game") and category(cob).startswith("C/C++")
                            and not (cfn or "").startswith("__libc_start")):
                        game_runtime_calls += cost
                    after_calls = False
                    cob = ob  # a called object is named for one call only
                else:
                    owner = object_of_cost(ob, fn)
                    self_cost[owner] += cost
                    if category(owner).startswith("game"):
                        game_functions[fn] += cost
                        game_inclusive[fn] += cost
                continue
            key, _, value = line.partition("=")
            if key == "ob":
                ob = resolve("ob", value)
                cob = ob
            elif key == "cob":
                cob = resolve("ob", value)
            elif key == "fn":
                fn = resolve("fn", value)
                cob = ob
            elif key == "cfn":
                cfn = resolve("fn", value)
            elif key == "calls":
                after_calls = True
    return self_cost, game_runtime_calls, game_functions, game_inclusive


def fit_line(points):
    n = len(points)
    sx = sum(x for x, _ in points)
    sy = sum(y for _, y in points)
    sxx = sum(x * x for x, _ in points)
    sxy = sum(x * y for x, y in points)
    slope = (n * sxy - sx * sy) / (n * sxx - sx * sx)
    return (sy - slope * sx) / n, slope


def main(arguments):
    if not arguments:
        print(__doc__)
        return 2
    summary = []
    for argument in arguments:
        label, frames, elements, path = argument.split(":", 3)
        frames, elements = int(frames), int(elements)
        self_cost, runtime_calls, game_functions, game_inclusive = parse(path)
        total = sum(self_cost.values())
        by_category = defaultdict(int)
        for ob, cost in self_cost.items():
            by_category[category(ob)] += cost
        game = by_category.get("game code (quorl_bench)", 0)
        print(f"\nScenario {label}: {frames} frames, {total / frames / 1e6:.2f} M instructions "
              f"per frame (callgrind Ir, self cost per object)")
        for name, cost in sorted(by_category.items(), key=lambda item: -item[1]):
            if cost / total >= 0.0001:
                print(f"    {name:42s} {cost / frames / 1e6:10.3f} M/frame "
                      f"{100.0 * cost / total:7.2f}%")
        print(f"    {'  of the runtime: called by game code':42s} "
              f"{runtime_calls / frames / 1e6:10.3f} M/frame "
              f"{100.0 * runtime_calls / total:7.2f}%")
        top = sorted(game_functions.items(), key=lambda item: -item[1])[:4]
        print("    game code's heaviest functions: " +
              ", ".join(f"{name} {100.0 * cost / total:.3f}%" for name, cost in top))
        # Where the driver's work is set off: the game functions' inclusive costs (nested ones
        # are inside their callers), the frame's own wrappers left out.
        wrappers = ("quorlBenchFrame", "runFrame", "gameSceneFrame", "runScenarioForProfile",
                    "main", "_start", "0x", "(below main)")
        calls_out = sorted(((name, cost) for name, cost in game_inclusive.items()
                            if name and not name.startswith(wrappers)), key=lambda item: -item[1])
        print("    inclusive cost of the game's calls (nested): " +
              ", ".join(f"{name.split('(')[0]} {100.0 * cost / total:.1f}%"
                        for name, cost in calls_out[:6]))
        summary.append((label, elements, total / frames, game / total,
                        (game + runtime_calls) / total))

    floor = summary[0][2]
    print("\nShare of each frame's instructions in the game's own code (target: under 2%)")
    print(f"    {'scenario':12s} {'elements':>8s} {'M instr/frame':>14s} {'/first':>7s} "
          f"{'game code':>10s} {'+ its libc/libm calls':>22s}  target")
    for label, elements, per_frame, game, with_runtime in summary:
        verdict = "MET" if with_runtime < 0.02 else "MISSED"
        print(f"    {label:12s} {elements:8d} {per_frame / 1e6:14.2f} {per_frame / floor:7.1f} "
              f"{100 * game:9.2f}% {100 * with_runtime:21.2f}%  {verdict}")
    points = [(elements / 1000.0, per_frame / 1e6)
              for _, elements, per_frame, _, _ in summary if elements >= 1000]
    if len(points) >= 2:
        intercept, slope = fit_line(points)
        offs = " ".join(f"{100.0 * (y - (intercept + slope * x)) / (intercept + slope * x):+.1f}%"
                        for x, y in points)
        print(f"\nInstructions per frame against trail elements (scenes with trails): "
              f"{intercept:.1f} M + {slope:.2f} M per 1000 elements; points off the line by {offs}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
