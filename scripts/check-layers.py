#!/usr/bin/env python3
"""Checks that the sources keep the layering of docs/architecture.md.

Each folder may include only itself and the layers below it, and no header
of a folder includes itself through others. Prints every breach and exits
with 1 when there is one.

    scripts/check-layers.py
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

# What a folder's sources may include, by the first folder of an include path
# (headers are included by their installed names). Export headers and headers
# of the same folder included without a path are always allowed.
PLATFORM_BASE = {"genicam", "utils", "servicecore", "camerapool"}
ALLOWED = {
    "platform/genicam": {"genicam"},
    "platform/utils": {"utils"},
    "platform/servicecore": {"servicecore"},
    "platform/camerapool": {"camerapool"},
    "platform/parametercollection": {"genicam", "camerapool", "utils", "parametercollection"},
    "platform/parametercollection/memory": {"genicam", "camerapool", "utils", "parametercollection"},
    "platform/parametercollection/aravis": {"genicam", "utils", "parametercollection"},
    "src/common": {"common"},
    "src/widgets": {"common", "widgets"} | PLATFORM_BASE,
    "src/services": {"common", "services", "parametercollection"} | PLATFORM_BASE,
    "src/featuretree/editors": {"common", "widgets", "featuretree", "parametercollection"} | PLATFORM_BASE,
    "src/featuretree": {"common", "widgets", "featuretree", "parametercollection"} | PLATFORM_BASE,
}
# The editors know the parameter interfaces, never the tree around them.
EDITOR_HEADERS = {"abstractitemeditor", "checkboxeditor", "enumeditor", "toolbuttoneditor", "hexvalidator",
                  "inteditor", "intslidereditor", "floateditor", "floatslidereditor"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def sources(folder):
    path = os.path.join(ROOT, folder)
    for name in sorted(os.listdir(path)):
        if name.endswith((".h", ".cpp")):
            yield name, open(os.path.join(path, name), encoding="utf-8").read()


def main():
    breaches = []
    for folder, allowed in ALLOWED.items():
        graph = {}
        for name, text in sources(folder):
            for include in INCLUDE.findall(text):
                if "/" not in include:
                    continue  # a header of the same folder, or an export header
                first = include.split("/")[0]
                base = os.path.basename(include)
                if first not in allowed:
                    breaches.append(f"{folder}/{name} includes {include}")
                if folder == "src/featuretree/editors" and first == "featuretree" \
                        and os.path.splitext(base)[0] not in EDITOR_HEADERS:
                    breaches.append(f"{folder}/{name} includes {include}: editors never know the tree")
                if name.endswith(".h"):
                    graph.setdefault(name, set()).add(base)
        breaches += [f"{folder}: include cycle among {', '.join(c)}" for c in cycles(graph)]
    for b in breaches:
        print("check-layers: " + b)
    if not breaches:
        print(f"check-layers: {len(ALLOWED)} folders keep their layers, no header includes itself")
    return 1 if breaches else 0


def cycles(graph):
    """The strongly connected components with more than one member (Tarjan)."""
    index, low, stack, on, found, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in graph.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for v in list(graph):
        if v not in index:
            visit(v)
    return found


if __name__ == "__main__":
    sys.exit(main())
