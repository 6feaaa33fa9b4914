#!/usr/bin/env python3
"""Every target links what it includes.

A project header belongs to the target that lists it among its sources, or
that builds the .cpp file beside it. A file of target T may include headers
of T itself and of the targets T names in its own target_link_libraries; a
header that arrives only through another library's links is reported, since
T would stop building the day that library drops the link. A library whose
own headers include another library's headers links it PUBLIC (or
INTERFACE); one that includes them only from its .cpp files links it
PRIVATE. A link to a project library none of whose headers T includes is
reported too.

A header that belongs to no target is private to the files that include it:
one beside them, or one found through an include directory of T's own (the
tests' doubles under tests/support). Its includes count as T's. A header
owned by no target that T finds only through the project root is reported.

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
    """target name -> (type, source paths, include directories)."""
    reply = build / ".cmake/api/v1/reply"
    index = json.loads(next(reply.glob("index-*.json")).read_text())
    codemodel = next(o for o in index["objects"] if o["kind"] == "codemodel")
    model = json.loads((reply / codemodel["jsonFile"]).read_text())
    targets = {}
    for entry in model["configurations"][0]["targets"]:
        target = json.loads((reply / entry["jsonFile"]).read_text())
        includes = []
        for group in target.get("compileGroups", []):
            for include in group.get("includes", []):
                if include["path"] not in includes:
                    includes.append(include["path"])
        sources = [s["path"] for s in target.get("sources", [])]
        targets[target["name"]] = (target["type"], sources, includes)
    return targets


def load_direct_links(dot_file):
    """target name -> {name it links itself: whether its users see it}.

    Graphviz edges are direct; a dotted one is a PRIVATE link."""
    links = {}
    for line in dot_file.read_text().splitlines():
        match = re.search(r'->\s*"node\d+"(.*)//\s*(\S+)\s*->\s*(\S+)\s*$', line)
        if match:
            links.setdefault(match.group(2), {})[match.group(3)] = "dotted" not in match.group(1)
    return links


def main():
    source, build = (pathlib.Path(p).resolve() for p in sys.argv[1:3])
    targets = load_targets(build)
    links = load_direct_links(build / "links.dot")

    def project_path(path):
        p = pathlib.Path(path)
        p = p if p.is_absolute() else source / p
        try:
            relative = p.resolve().relative_to(source)
        except ValueError:
            return None  # outside the tree
        return None if relative.parts[:1] == ("build",) else relative  # generated

    owner = {}
    own_files = {}
    private_dirs = {}
    for name, (_, paths, includes) in targets.items():
        files = [p for p in map(project_path, paths) if p is not None]
        own_files[name] = set(files)
        for f in files:
            owner.setdefault(f, name)
        dirs = (project_path(d) for d in includes)
        private_dirs[name] = [d for d in dirs if d is not None and d != pathlib.Path(".")]
    for name, files in own_files.items():
        for f in list(files):
            if f.suffix == ".cpp":
                header = f.with_suffix(".h")
                if (source / header).exists():
                    owner.setdefault(header, name)
                    files.add(header)

    with_headers = {o for h, o in owner.items() if h.suffix == ".h"}
    problems = []
    for name, files in sorted(own_files.items()):
        linked = links.get(name, {})
        allowed = {name} | set(linked)
        used = {}  # library -> whether a header of name's includes it
        # (file, whether its includes reach name's users)
        pending = sorted((f, f.suffix == ".h") for f in files if f.suffix in (".cpp", ".h"))
        seen = set(pending)
        while pending:
            f, exported = pending.pop(0)
            for included in INCLUDE.findall((source / f).read_text(encoding="utf-8")):
                dirs = [f.parent] + private_dirs[name] + [pathlib.Path(".")]
                found = next((d for d in dirs if (source / d / included).exists()), None)
                if found is None:
                    continue  # a generated header (ui, moc) or a system one
                header = (source / found / included).resolve().relative_to(source)
                header_owner = owner.get(header)
                used[header_owner] = used.get(header_owner, False) or exported
                if header_owner is None:
                    if found == pathlib.Path(".") and header.parent != f.parent:
                        problems.append(f"{f}: includes {header}, which belongs to no target")
                    elif (header, exported) not in seen:
                        seen.add((header, exported))
                        pending.append((header, exported))  # private: its includes are name's
                elif header_owner not in allowed:
                    problems.append(
                        f"{f} ({name}): includes {header} of {header_owner} without linking it")
        for library in sorted(set(linked) & with_headers):
            if library not in used:
                problems.append(f"{name}: links {library} but includes none of its headers")
            elif "LIBRARY" in targets[name][0] and "MODULE" not in targets[name][0]:
                if used[library] and not linked[library]:
                    problems.append(f"{name}: its headers include {library}, linked PRIVATE")
                elif not used[library] and linked[library]:
                    problems.append(f"{name}: links {library} PUBLIC, used only by its .cpp files")
    for p in problems:
        print(p)
    print(f"check-links: {len(targets)} targets, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
