#!/usr/bin/env python3
"""Checks the include direction between the program's layers.

  tools/check-layers.py [native build folder]     (default build/native)

Layers from the bottom up: classlib, xml (xml/dom, then xml/parser, then
xml/xpath), app/core, framework/core,
framework/controls3d, framework/tables, components, app/windows and app/forms
(these two side by side). A file may include headers of its own layer and of
the layers below it, never of a layer above.

Portable code, every source the native build compiles and every project
header it reaches, includes no Windows header. Only a block the native build
never sees (#ifdef _WIN32 or #if defined(_WIN32), up to its #else or #endif)
may: that is the Windows half of a file whose other half stands in natively.

Prints each offending include and exits with 1 when there is one.
"""
import json
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

LAYERS = [
    ["classlib"],
    ["xml/dom"],
    ["xml/parser"],
    ["xml/xpath"],
    ["app/core"],
    ["framework/core"],
    ["framework/controls3d"],
    ["framework/tables"],
    ["components"],
    ["app/windows", "app/forms"],
]

# The system headers of the Windows API (and of its C runtime extras).
WINDOWS_HEADERS = re.compile(
    r"^(windows|windowsx|winbase|windef|winnt|winuser|wingdi|winreg|winspool|winsock2?|"
    r"winerror|wincon|winver|commctrl|commdlg|shellapi|shlobj|shlwapi|objbase|ole2|"
    r"oleauto|mapi|mmsystem|richedit|tchar|direct|io|process|dbghelp|psapi|"
    r"ws2tcpip|iphlpapi|setupapi|unknwn|objidl|wtypes)\.h$",
    re.IGNORECASE,
)

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c", ".inl", ".rc")


def rel(path):
    return os.path.relpath(path, ROOT).replace(os.sep, "/")


def layer_of(relpath):
    for rank, areas in enumerate(LAYERS):
        for area in areas:
            if relpath == area or relpath.startswith(area + "/"):
                return rank, area
    return None, None


WIN32_ONLY = re.compile(r"^\s*#\s*(ifdef\s+_WIN32\b|if\s+defined\s*\(?\s*_WIN32\s*\)?\s*$)")
NOT_WIN32 = re.compile(r"^\s*#\s*(ifndef\s+_WIN32\b|if\s+!\s*defined\s*\(?\s*_WIN32\s*\)?\s*$)")
CONDITION = re.compile(r"^\s*#\s*(if|ifdef|ifndef)\b")
ELSE = re.compile(r"^\s*#\s*(else|elif)\b")
ENDIF = re.compile(r"^\s*#\s*endif\b")


def includes(path):
    """(line number, kind, name, Windows build only) of each #include."""
    out = []
    # One entry per open #if: True while in a branch only _WIN32 compiles,
    # False in a branch it never compiles, None for other conditions.
    stack = []
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                if WIN32_ONLY.match(line):
                    stack.append(True)
                elif NOT_WIN32.match(line):
                    stack.append(False)
                elif CONDITION.match(line):
                    stack.append(None)
                elif ELSE.match(line):
                    if stack and stack[-1] is not None:
                        stack[-1] = not stack[-1]
                elif ENDIF.match(line):
                    if stack:
                        stack.pop()
                m = INCLUDE.match(line)
                if m:
                    out.append((number, m.group(1), m.group(2), True in stack))
    except OSError:
        pass
    return out


def resolve(including, name):
    """The project file a quoted include names, or None."""
    for base in (os.path.dirname(including), ROOT):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate) and candidate.startswith(ROOT + os.sep):
            return candidate
    return None


def layered_files():
    for _, areas in enumerate(LAYERS):
        for area in areas:
            top = os.path.join(ROOT, area)
            for folder, _, files in os.walk(top):
                for name in sorted(files):
                    if name.endswith(SOURCE_SUFFIXES):
                        yield os.path.join(folder, name)


def check_direction(faults):
    for path in layered_files():
        rank, area = layer_of(rel(path))
        for number, kind, name, _ in includes(path):
            if kind != '"':
                continue
            target = resolve(path, name)
            if not target:
                continue
            target_rank, target_area = layer_of(rel(target))
            if target_rank is not None and target_rank > rank:
                faults.append(f"{rel(path)}:{number}: {area} includes {name} of the higher layer {target_area}")


def portable_sources(build):
    database = os.path.join(build, "compile_commands.json")
    with open(database, encoding="utf-8") as f:
        entries = json.load(f)
    sources = set()
    for entry in entries:
        path = os.path.normpath(os.path.join(entry.get("directory", ""), entry["file"]))
        relpath = rel(path)
        if layer_of(relpath)[0] is not None:
            sources.add(path)
    return sources


def check_portable(build, faults):
    seen = set()
    queue = sorted(portable_sources(build))
    reached_from = {path: None for path in queue}
    while queue:
        path = queue.pop()
        if path in seen:
            continue
        seen.add(path)
        for number, kind, name, windows_only in includes(path):
            if windows_only:
                continue
            if WINDOWS_HEADERS.match(os.path.basename(name)) and kind == "<":
                chain = []
                at = path
                while at:
                    chain.append(rel(at))
                    at = reached_from.get(at)
                via = f" (reached from {' <- '.join(chain[1:])})" if len(chain) > 1 else ""
                faults.append(f"{rel(path)}:{number}: portable code includes <{name}>{via}")
            elif kind == '"':
                target = resolve(path, name)
                if target and layer_of(rel(target))[0] is not None and target not in seen:
                    reached_from.setdefault(target, path)
                    queue.append(target)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "native")
    faults = []
    check_direction(faults)
    check_portable(build, faults)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) against the layers")
        return 1
    print("layers: every include goes downwards; portable code includes no Windows header")
    return 0


if __name__ == "__main__":
    sys.exit(main())
