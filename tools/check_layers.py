#!/usr/bin/env python3
"""Checks that every #include keeps to the layers: a library includes only its own headers and
those of the libraries it links directly, each of a lower floor; a core includes no Qt; and a
library links no library of ours that it does not include.

Arguments: the source folder and the build folder. The build folder holds
compile_commands.json (which source belongs to which target) and the link lists that the root
CMakeLists.txt writes to bwick_links.txt ("target: library;library;...").
"""
import json
import os
import re
import sys

# The floors, lowest first. A library may include and link only libraries of lower floors.
FLOORS = {
    "common": 0,
    "format": 1,
    "designer/model": 2,
    "builder/convert": 2,
    "viewer/search": 2,
    "spreadsheet": 1,
    "cli": 3,
    "window_common": 3,
    "handheld": 3,
    "builder/window": 4,
    "designer/window": 4,
    "viewer/window": 4,
}
# Cores: no Qt header, whatever links them.
CORES = {"common", "format", "designer/model", "builder/convert", "viewer/search", "spreadsheet"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
TARGET_DIR = re.compile(r"CMakeFiles/([^/]+)\.dir/")


def folder_of(path):
    """The layer folder a repository path belongs to, or None (tests, fuzz, bench, tools)."""
    best = None
    for folder in FLOORS:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def is_test_file(path):
    name = os.path.basename(path)
    return "/test/" in "/" + path or name.endswith("_test.cpp") or path.startswith(("fuzz/", "bench/"))


def read_links(build):
    links = {}
    with open(os.path.join(build, "bwick_links.txt"), encoding="utf-8") as f:
        for line in f:
            target, _, libraries = line.partition(":")
            links[target.strip()] = {lib for lib in libraries.strip().split(";") if lib}
    return links


def read_sources(source, build):
    """{target: [repository paths of its .cpp files]} for our libraries."""
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as f:
        commands = json.load(f)
    sources = {}
    for command in commands:
        match = TARGET_DIR.search(command.get("output", "") or command["command"])
        path = os.path.relpath(command["file"], source)
        if match and folder_of(path) or match and path.startswith(("fuzz/", "bench/")):
            sources.setdefault(match.group(1), []).append(path)
    return sources


def header_owners(source, sources, links):
    """{header path: libraries that build it}: the library compiling the .cpp of the same name,
    else every library of the header's folder."""
    by_stem, by_folder = {}, {}
    for target, paths in sources.items():
        if target not in links:
            continue
        for path in paths:
            folder = folder_of(path)
            if folder and not is_test_file(path):
                by_stem.setdefault(os.path.splitext(path)[0], set()).add(target)
                by_folder.setdefault(folder, set()).add(target)
    owners = {}
    for folder, libraries in by_folder.items():
        for name in os.listdir(os.path.join(source, folder)):
            if name.endswith(".h"):
                path = folder + "/" + name
                owners[path] = by_stem.get(os.path.splitext(path)[0], libraries)
    return owners


def check_include(path, header, target, ours, owners):
    """The fault of one include of `path` in `target`, or None; the libraries it uses."""
    libraries = owners.get(header)
    if libraries is None or target in libraries:
        return None, set()
    linked = libraries & ours
    if not linked:
        return (f"{path}: includes {header}, but {target} does not link "
                f"{' or '.join(sorted(libraries))}"), set()
    folder = folder_of(header)
    if folder != folder_of(path) and FLOORS[folder] >= FLOORS[folder_of(path)]:
        return f"{path}: includes {header} of the same or a higher floor", linked
    return None, linked


def check(source, build):
    links = read_links(build)
    sources = read_sources(source, build)
    owners = header_owners(source, sources, links)
    faults = []
    for target, paths in sorted(sources.items()):
        if target not in links:
            continue  # an executable: tests and programs may use what they link
        files = {p for p in paths if folder_of(p) and not is_test_file(p)}
        files |= {h for h, libraries in owners.items() if target in libraries}
        ours = {lib for lib in links[target] if lib.startswith("bwick_")}
        used = set()
        for path in sorted(files):
            with open(os.path.join(source, path), encoding="utf-8") as f:
                text = f.read()
            for kind, header in INCLUDE.findall(text):
                if kind == "<":
                    if folder_of(path) in CORES and re.match(r"Q[A-Za-z]+$|Qt", header):
                        faults.append(f"{path}: a core includes Qt's <{header}>")
                    continue
                fault, linked = check_include(path, header, target, ours, owners)
                if fault:
                    faults.append(fault)
                used |= linked
        for unused in sorted(ours - used):
            faults.append(f"{target} links {unused} but includes none of its headers")
    return faults


def main():
    if len(sys.argv) != 3:
        print("usage: check_layers.py SOURCE_DIR BUILD_DIR", file=sys.stderr)
        return 2
    faults = check(sys.argv[1], sys.argv[2])
    for fault in faults:
        print(fault)
    print(f"layers: {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
