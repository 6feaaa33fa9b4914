#!/usr/bin/env python3
"""Every target links what it includes.

A project header belongs to the target that lists it among its sources, or
that builds the .cpp file beside it. A file of target T may include headers
of T itself and of the targets T names in its own target_link_libraries; a
header that arrives only through another library's links is reported, since
T would stop building the day that library drops the link.

Usage: check-links.py SOURCE_DIR BUILD_DIR
BUILD_DIR must have been configured with the CMake file API query
codemodel-v2 and with --graphviz=BUILD_DIR/links.dot.
"""

import json
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def load_targets(build):
    reply = build / ".cmake/api/v1/reply"
    index = json.loads(next(reply.glob("index-*.json")).read_text())
    codemodel = next(o for o in index["objects"] if o["kind"] == "codemodel")
    model = json.loads((reply / codemodel["jsonFile"]).read_text())
    targets = {}
    for entry in model["configurations"][0]["targets"]:
        target = json.loads((reply / entry["jsonFile"]).read_text())
        targets[target["name"]] = [s["path"] for s in target.get("sources", [])]
    return targets


def load_direct_links(dot_file):
    """target name -> names it links itself (graphviz edges are direct)."""
    links = {}
    for line in dot_file.read_text().splitlines():
        match = re.search(r'->\s*"node\d+".*//\s*(\S+)\s*->\s*(\S+)\s*$', line)
        if match:
            links.setdefault(match.group(1), set()).add(match.group(2))
    return links


def main():
    source, build = (pathlib.Path(p).resolve() for p in sys.argv[1:3])
    targets = load_targets(build)
    links = load_direct_links(build / "links.dot")

    def project_path(path):
        p = pathlib.Path(path)
        p = p if p.is_absolute() else source / p
        try:
            return p.resolve().relative_to(source)
        except ValueError:
            return None  # generated (moc, qrc) or outside the tree

    owner = {}
    own_files = {}
    for name, paths in targets.items():
        files = [p for p in map(project_path, paths) if p is not None and not str(p).startswith("build")]
        own_files[name] = set(files)
        for f in files:
            owner.setdefault(f, name)
    for name, files in own_files.items():
        for f in list(files):
            if f.suffix == ".cpp":
                header = f.with_suffix(".h")
                if (source / header).exists():
                    owner.setdefault(header, name)
                    files.add(header)

    problems = []
    for name, files in sorted(own_files.items()):
        allowed = {name} | links.get(name, set())
        for f in sorted(files):
            if f.suffix not in (".cpp", ".h"):
                continue
            for included in INCLUDE.findall((source / f).read_text(encoding="utf-8")):
                candidates = [source / f.parent / included, source / included]
                found = next((c for c in candidates if c.exists()), None)
                if found is None:
                    continue  # a generated header (ui, moc) or a system one
                header = found.resolve().relative_to(source)
                header_owner = owner.get(header)
                if header_owner is None:
                    if header.parent == f.parent:
                        continue  # a private header of the files beside it
                    problems.append(f"{f}: includes {header}, which belongs to no target")
                elif header_owner not in allowed:
                    problems.append(
                        f"{f} ({name}): includes {header} of {header_owner} without linking it")
    for p in problems:
        print(p)
    print(f"check-links: {len(targets)} targets, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
