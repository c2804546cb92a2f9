#!/usr/bin/env python3
"""Checks that every Win32 function a target's Windows-only sources call is exported by an import
library the target links: the sources are compiled to MinGW objects, their undefined __imp_
symbols read with nm and looked up in the import libraries of the compiler's default link line and
of the target's own link list. Cheap enough for every test run; the real link is the build's."""

import argparse
import concurrent.futures
import os
import re
import shlex
import struct
import subprocess
import sys
import tempfile

IMPORT_PREFIX = "__imp_"


def run(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def win32_name(symbol, underscored):
    """The C name behind an import symbol, or None for a C++ one (Qt's, the product's own)."""
    name = symbol[len(IMPORT_PREFIX):]
    if underscored:
        name = name[1:]
    if name.startswith("_Z"):
        return None
    return name.split("@")[0]


def compile_object(compiler, flags, source, directory):
    target = os.path.join(directory, os.path.basename(source) + ".o")
    result = subprocess.run([compiler, *flags, "-c", source, "-o", target], capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"FAIL {source}\n{result.stdout}{result.stderr}")
    return source, target


def undefined_imports(nm, objects, underscored):
    """Maps each Win32 function to the sources that call it."""
    calls = {}
    for source, target in objects:
        for line in run([nm, "--undefined-only", "--format=just-symbols", target]).split():
            if line.startswith(IMPORT_PREFIX) and (name := win32_name(line, underscored)):
                calls.setdefault(name, set()).add(os.path.basename(source))
    return calls


def driver_link_line(compiler):
    """The libraries and search directories the compiler's driver adds to every link."""
    lines = subprocess.run([compiler, "-###", "-shared", "-o", "x.dll", "x.o"],
                           capture_output=True, text=True).stderr.splitlines()
    collect = next(line for line in lines if "collect2" in line or line.strip().endswith("ld"))
    words = shlex.split(collect)
    libraries = [w[2:] for w in words if w.startswith("-l")]
    directories = [os.path.normpath(w[2:]) for w in words if w.startswith("-L")]
    return list(dict.fromkeys(libraries)), directories


def find_library(name, directories):
    for directory in directories:
        for candidate in (f"lib{name}.a", f"lib{name}.dll.a", f"{name}.lib"):
            path = os.path.join(directory, candidate)
            if os.path.exists(path):
                return path
    return None


def archive_symbols(path):
    """The global symbols an archive defines, read from its symbol index (GNU ar format)."""
    with open(path, "rb") as archive:
        if archive.read(8) != b"!<arch>\n":
            return set()
        header = archive.read(60)
        if len(header) < 60 or header[:16].strip() != b"/":
            return set()
        index = archive.read(int(header[48:58]))
    count = struct.unpack(">I", index[:4])[0]
    names = index[4 + 4 * count:].split(b"\0")[:count]
    return {name.decode("ascii", "replace") for name in names}


def exports(path, underscored):
    return {name for s in archive_symbols(path) if s.startswith(IMPORT_PREFIX) and (name := win32_name(s, underscored))}


def suppliers(names, directories, underscored):
    """Which import libraries anywhere in the search path export the given functions."""
    found = {}
    for directory in directories:
        for entry in sorted(os.listdir(directory)) if os.path.isdir(directory) else []:
            if entry.endswith(".a"):
                for name in exports(os.path.join(directory, entry), underscored) & names:
                    found.setdefault(name, entry)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--compiler", required=True)
    parser.add_argument("--nm", required=True)
    parser.add_argument("--target", required=True)
    parser.add_argument("--libraries", default="", help="the target's Windows link list, ; separated")
    parser.add_argument("--flags", default="", help="compile flags, ; separated")
    parser.add_argument("sources", nargs="+")
    args = parser.parse_args()

    underscored = "i686" in os.path.basename(args.compiler)
    flags = [f for f in args.flags.split(";") if f]
    with tempfile.TemporaryDirectory() as directory, concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        objects = list(pool.map(lambda s: compile_object(args.compiler, flags, s, directory), args.sources))
        calls = undefined_imports(args.nm, objects, underscored)

    default_libraries, directories = driver_link_line(args.compiler)
    linked = [l for l in args.libraries.split(";") if l]
    provided = set()
    for name in default_libraries + linked:
        path = find_library(name, directories)
        if path is None:
            if name in linked:
                raise SystemExit(f"FAIL {args.target} links {name}, which has no import library")
            continue
        provided |= exports(path, underscored)

    missing = set(calls) - provided
    print(f"{args.target}: {len(calls)} Win32 functions called, linking {' '.join(linked) or 'nothing more'} "
          f"beside the compiler's {' '.join(default_libraries)}")
    if not missing:
        return 0
    where = suppliers(missing, directories, underscored)
    for name in sorted(missing):
        supplier = where.get(name, "no import library")
        print(f"not linked: {name} called by {', '.join(sorted(calls[name]))}: in {supplier}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
