#!/usr/bin/env python3
"""Measures how many small injected faults the native test suite catches.

Every place in the natively built sources where one small fault can be injected is
listed: a comparison flipped to its opposite, && and || swapped, a negation dropped,
an integer constant changed by one, true and false swapped, + and - swapped. A fixed
random sample of them (seeded, so two runs over the same tree pick the same faults) is
injected one at a time into a copy of the tree; the copy's native test program is
rebuilt and run. A fault counts as caught when the test program fails, crashes or runs
out of time; a fault that does not compile is not counted and the next one of the
sample takes its place.

    scripts/inject-faults.py [--count N] [--seed S] [--work DIR] [--list]

The copy and its build live in DIR (default build/faults); the report goes to standard
output and to DIR/report.tsv.
"""
import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

COMPARISON = {"<": ">=", ">": "<=", "<=": ">", ">=": "<", "==": "!=", "!=": "=="}


def code_mask(text):
    """True for each character of `text` that is code: not inside a comment, a string or
    a character literal."""
    mask = [True] * len(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i)
            delimiter = text[i + 2:open_paren]
            j = text.find(")" + delimiter + '"', open_paren)
            j = n if j < 0 else j + len(delimiter) + 2
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):  # 1'000 digit separators
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
        else:
            i += 1
            continue
        for k in range(i, j):
            mask[k] = False
        i = j
    return mask


SITE_PATTERNS = [
    # (kind, regex, replacement function of the match)
    ("comparison", re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)"), lambda m: COMPARISON[m.group(1)]),
    ("logic", re.compile(r"(?<=\s)(&&|\|\|)(?=\s)"), lambda m: "||" if m.group(1) == "&&" else "&&"),
    ("negation", re.compile(r"(?<![!=<>\w)\]])!(?=[\w(*])"), lambda m: ""),
    ("constant", re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)(?![\w.'])"),
     lambda m: str(int(m.group(1), 10) + 1) if not m.group(1).startswith(("0x", "0X"))
     else hex(int(m.group(1), 16) + 1)),
    ("boolean", re.compile(r"\b(true|false)\b"), lambda m: "false" if m.group(1) == "true" else "true"),
    ("arithmetic", re.compile(r"(?<=\s)([+-])(?=\s)"), lambda m: "-" if m.group(1) == "+" else "+"),
]

SKIPPED_LINE = re.compile(r"^\s*(#|static_assert\b|template\b)")


def list_sites(path, relative):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    mask = code_mask(text)
    sites = []
    offset = 0
    for number, line in enumerate(text.split("\n"), start=1):
        if not SKIPPED_LINE.match(line):
            for kind, pattern, replace in SITE_PATTERNS:
                for m in pattern.finditer(line):
                    if all(mask[offset + k] for k in range(m.start(), m.end())):
                        sites.append({"file": relative, "line": number, "column": m.start() + 1,
                                      "kind": kind, "was": m.group(0), "now": replace(m)})
        offset += len(line) + 1
    return sites


def native_sources(tree, build):
    """The files under src/ that the native build compiles: the compiled .cpp files and
    the headers they include (from ninja's dependency log)."""
    with open(os.path.join(build, "compile_commands.json")) as f:
        commands = json.load(f)
    files = {os.path.realpath(c["file"]) for c in commands}
    deps = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True).stdout
    for line in deps.splitlines():
        if line.startswith("    "):
            files.add(os.path.realpath(os.path.join(build, line.strip())))
    src = os.path.join(os.path.realpath(tree), "src") + os.sep
    return sorted(os.path.relpath(f, os.path.realpath(tree)) for f in files
                  if f.startswith(src) and os.path.isfile(f))


def run(command, cwd, timeout):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout)
        return done.returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def prepare_copy(work):
    """A copy of the tree at the working state, with its own native build."""
    copy = os.path.join(work, "tree")
    if os.path.isdir(copy):
        shutil.rmtree(copy)
    ignore = shutil.ignore_patterns("build", ".git")
    shutil.copytree(ROOT, copy, ignore=ignore, symlinks=True)
    build = os.path.join(copy, "build", "native")
    # Unoptimised and without debug information: each fault costs two compilations.
    if run(["cmake", "--preset", "native", "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
            "-DCMAKE_CXX_FLAGS=-O0"], copy, None) != 0:
        sys.exit("configuring the copy failed")
    if run(["cmake", "--build", "--preset", "native"], copy, None) != 0:
        sys.exit("building the copy failed")
    return copy, build


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=100, help="faults to inject (that compile)")
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--work", default=os.path.join(ROOT, "build", "faults"))
    parser.add_argument("--list", action="store_true", help="only list the sample's sites")
    args = parser.parse_args()

    os.makedirs(args.work, exist_ok=True)
    copy, build = prepare_copy(args.work)
    files = native_sources(copy, build)
    sites = []
    for relative in files:
        sites.extend(list_sites(os.path.join(copy, relative), relative))
    order = list(range(len(sites)))
    random.Random(args.seed).shuffle(order)
    print(f"{len(sites)} fault sites in {len(files)} files; seed {args.seed}, sample of {args.count}")
    if args.list:
        for index in order[:args.count]:
            s = sites[index]
            print(f"{s['file']}:{s['line']}:{s['column']}\t{s['kind']}\t{s['was']} -> {s['now']}")
        return 0

    program = os.path.join(build, "sharpwell-tests")
    start = time.time()
    if run([program, "--gtest_brief=1"], build, None) != 0:
        sys.exit("the native tests fail without any injected fault")
    test_timeout = max(60, 4 * (time.time() - start))

    report = open(os.path.join(args.work, "report.tsv"), "w")
    caught = tried = not_compiling = 0
    for index in order:
        if tried == args.count:
            break
        s = sites[index]
        path = os.path.join(copy, s["file"])
        with open(path, encoding="utf-8") as f:
            original = f.read()
        lines = original.split("\n")
        line = lines[s["line"] - 1]
        column = s["column"] - 1
        lines[s["line"] - 1] = line[:column] + s["now"] + line[column + len(s["was"]):]
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        try:
            if run(["ninja", "-C", build, "sharpwell-tests"], copy, 600) != 0:
                not_compiling += 1
                outcome = "does not compile"
            else:
                tried += 1
                status = run([program, "--gtest_brief=1", "--gtest_fail_fast"], build, test_timeout)
                outcome = "caught" if status != 0 else "missed"
                caught += status != 0
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        where = f"{s['file']}:{s['line']}:{s['column']}"
        print(f"{tried:4d} {outcome:16s} {where}\t{s['kind']}\t{s['was']} -> {s['now']}", flush=True)
        report.write(f"{outcome}\t{where}\t{s['kind']}\t{s['was']}\t{s['now']}\n")
    run(["ninja", "-C", build, "sharpwell-tests"], copy, 600)
    report.close()
    rate = 100.0 * caught / tried if tried else 0.0
    print(f"caught {caught} of {tried} injected faults ({rate:.1f} %); "
          f"{not_compiling} more did not compile; {len(sites)} sites in all")
    return 0


if __name__ == "__main__":
    sys.exit(main())
