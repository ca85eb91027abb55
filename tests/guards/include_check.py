#!/usr/bin/env python3
"""Fails when an include of src/ runs upwards or round in a circle.

    include_check.py SOURCE_DIR [BUILD_DIR]

Reads what the compiler opened for every object of the last build (`ninja -t
deps`, BUILD_DIR) and every quoted include of src/ as the compiler resolves it
(beside the includer, then from src/), both as real paths, so no spelling
("content/../frontend/x.h", "./../shell/x.h") gets round it. A file may open
only its own room and the rooms below it. A circle is a set of files that reach
each other through includes, a header and the .cpp of its name counting as one.
"""
import os
import re
import subprocess
import sys

# What each room may open besides itself; CMakeLists.txt builds the same order.
LAYERS = ["platform", "library", "scene", "content", "game", "frontend", "shell"]
LIBRARY_ROOMS = {
    "library/system": [],
    "library/input": [],
    "library/sound": ["library/system"],
    "library/draw": ["library/system"],
    "library/ui": ["library/system", "library/input", "library/sound", "library/draw"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def room_of(path, src):
    """The room of a real path under src/ ("game", "library/draw"), or None."""
    rel = os.path.relpath(path, src)
    if rel.startswith(".."):
        return None
    parts = rel.split(os.sep)
    if len(parts) == 1:
        return "main"
    if parts[0] == "library":
        return "library/" + parts[1] if len(parts) > 2 else "library"
    return parts[0]


def allowed(room, other):
    if room == "main" or other == room:
        return True
    layer, other_layer = room.split("/")[0], other.split("/")[0]
    if layer == "library" and other_layer == "library":
        return other in LIBRARY_ROOMS.get(room, [])
    if other_layer not in LAYERS or layer not in LAYERS:
        return False
    return LAYERS.index(other_layer) < LAYERS.index(layer)


def source_files(src):
    for folder, _, names in os.walk(src):
        for name in sorted(names):
            if name.endswith((".cpp", ".h")):
                yield os.path.realpath(os.path.join(folder, name))


def quoted_includes(path, src):
    """(spelling, real path) of each quoted include that names a file of ours."""
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    for spelled in INCLUDE.findall(text):
        for base in (os.path.dirname(path), src):
            candidate = os.path.realpath(os.path.join(base, spelled))
            if os.path.isfile(candidate):
                yield spelled, candidate
                break


def opened_by_build(build, src):
    """{source: [every file under src/ the compiler opened for it]} from ninja."""
    if build is None:
        return {}
    out = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True)
    if out.returncode != 0:
        sys.exit("ninja -t deps failed in %s: %s" % (build, out.stderr.strip()))
    layers = os.path.realpath(os.path.join(build, "layers"))
    opened, current = {}, None
    for line in out.stdout.splitlines():
        if line and not line[0].isspace():
            current = None
            continue
        name = line.strip()
        if not name:
            continue
        path = os.path.realpath(os.path.join(build, name))
        # The compiler writes "root/content/../frontend/x.h" as "root/frontend/x.h",
        # a path no root holds: every root mirrors src/.
        mirrored = os.path.relpath(path, layers).split(os.sep)[1:]
        if not os.path.exists(path) and path.startswith(layers + os.sep) and mirrored:
            path = os.path.join(src, *mirrored)
        if current is None:
            current = path
            opened.setdefault(current, [])
        elif room_of(path, src) is not None:
            opened[current].append(path)
    return {s: files for s, files in opened.items() if room_of(s, src) is not None}


def upward(src, build):
    faults = []
    for path in source_files(src):
        for spelled, target in quoted_includes(path, src):
            if not allowed(room_of(path, src), room_of(target, src)):
                faults.append('%s: #include "%s" opens %s, above its room' %
                              (os.path.relpath(path, src), spelled, os.path.relpath(target, src)))
    for source, files in sorted(opened_by_build(build, src).items()):
        for target in files:
            if not allowed(room_of(source, src), room_of(target, src)):
                faults.append("%s: the compiler opened %s, above its room" %
                              (os.path.relpath(source, src), os.path.relpath(target, src)))
    return sorted(set(faults))


def circles(src):
    """The sets of files (two or more) that reach each other through includes;
    a header and the .cpp of its name are one node."""
    def node(path):
        return os.path.splitext(path)[0]

    members, edges = {}, {}
    for f in source_files(src):
        members.setdefault(node(f), []).append(f)
        edges.setdefault(node(f), set())
    for name, group in members.items():
        for f in group:
            edges[name].update(node(t) for _, t in quoted_includes(f, src) if node(t) in edges)
        edges[name].discard(name)
    files = sorted(edges)
    # Tarjan's strongly connected components, without recursion.
    index, low, on_stack, stack, found, counter = {}, {}, set(), [], [], [0]
    for root in files:
        if root in index:
            continue
        work = [(root, iter(sorted(edges[root])))]
        index[root] = low[root] = counter[0]
        counter[0] += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                if child not in index:
                    index[child] = low[child] = counter[0]
                    counter[0] += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(edges[child]))))
                elif child in on_stack:
                    low[node] = min(low[node], index[child])
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    found.append(sorted(os.path.relpath(f, src) for m in component
                                        for f in members[m]))
    return found


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: include_check.py SOURCE_DIR [BUILD_DIR]")
    src = os.path.realpath(os.path.join(sys.argv[1], "src"))
    build = sys.argv[2] if len(sys.argv) == 3 else None
    faults = upward(src, build)
    for fault in faults:
        print(fault)
    if faults:
        print("name a header of your own room or a room below it, from src/ (\"layer/file.h\")")
    found = circles(src)
    for component in found:
        print("include circle of %d files: %s" % (len(component), " ".join(component)))
    if found:
        print("break each circle: move what the lower file needs down, or hand it a sink")
    print("%d upward includes, %d include circles" % (len(faults), len(found)))
    return 1 if faults or found else 0


if __name__ == "__main__":
    sys.exit(main())
