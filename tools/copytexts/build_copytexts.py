#!/usr/bin/env python3
"""Checks the copy texts of the timed copy test and writes them as data files.

The sources are UTF-8 files beside this script, named NN-slug.txt (NN two digits, the
slug plain lower-case ASCII): line 1 the title, line 2 empty, then the paragraphs,
separated by one empty line; a paragraph may span several source lines, which are joined
with one space.

Each is written to data/opisy/NN-slug.txt in code page 1250 with CR LF line ends: the
title, an empty line, then every paragraph as one line, paragraphs separated by one empty
line, the last line ended too.

A text's keystrokes are counted by the Czech norm for the paragraphs alone (not the title,
nor anything between paragraphs): what the pupil must type on the Czech keyboard, each key
and each Shift or AltGr held for it. The table below is what the keyboard model
(src/core/keyboard) gives on both layouts; tests/core/lessons/CopyTextDataTest.cpp checks
the staged files against the model itself.

    build_copytexts.py           check, then write data/opisy/*.txt and print each text's measures
    build_copytexts.py --check   check, and fail when data/opisy differs from the sources
"""

import argparse
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
OUT = ROOT / "data" / "opisy"

MIN_TEXTS = 12
MIN_KEYSTROKES = 3500  # a 10-minute copy at the lowest passing speed needs 2,000
LONG_KEYSTROKES = 9000  # enough for a 20-minute copy at 400 a minute
MIN_LONG_TEXTS = 2
NAME = re.compile(r"^(\d\d)-([a-z0-9]+(?:-[a-z0-9]+)*)\.txt$")

# Keystrokes by the norm of each character a copy text may use. Characters the Czech
# layout writes with AltGr only (such as the degree sign) are left out on purpose: a pupil
# copies what the keys show. Czech quotation marks and the dash cannot be typed at all.
PLAIN = "abcdefghijklmnopqrstuvwxyzěščřžýáíéúů ,.-;+=)§"
SHIFTED = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789%/(\"!?:_'"
KEYSTROKES = {c: 1 for c in PLAIN}
KEYSTROKES.update({c: 2 for c in SHIFTED})
KEYSTROKES["ó"] = 2  # the acute dead key, then o
KEYSTROKES.update({c: 3 for c in "ďťň"})  # Shift with the caron dead key, then the letter
KEYSTROKES.update({c: 3 for c in "ÁÉÍÓÚÝ"})  # the acute dead key, then Shift with the letter
KEYSTROKES.update({c: 4 for c in "ČĎĚŇŘŠŤŽ"})  # Shift twice: the caron, then the capital
KEYSTROKES["Ů"] = 4  # Shift with the ring dead key, then Shift with U


def keystrokes(text):
    return sum(KEYSTROKES[c] for c in text)


def parse(path):
    """(title, [paragraph], [problem]) of a source file."""
    problems = []
    raw = path.read_bytes()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as error:
        return "", [], [f"{path.name}: not UTF-8: {error}"]
    if "\r" in text or "\t" in text:
        problems.append(f"{path.name}: carriage return or tab")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    for number, line in enumerate(lines, start=1):
        if line != line.strip(" "):
            problems.append(f"{path.name}:{number}: a space at the start or end of the line")
        if "  " in line:
            problems.append(f"{path.name}:{number}: two spaces in a row")
    if len(lines) < 3 or not lines[0] or lines[1] != "":
        problems.append(f"{path.name}: line 1 must be the title and line 2 empty")
        return "", [], problems
    paragraphs = []
    current = []
    for line in lines[2:] + [""]:
        if line:
            current.append(line)
        elif current:
            paragraphs.append(" ".join(current))
            current = []
    if "\n\n\n" in text or text.endswith("\n\n") or lines[2] == "":
        problems.append(f"{path.name}: paragraphs must be separated by exactly one empty line")
    return lines[0], paragraphs, problems


# Mistakes of Czech typography a keyboard lets through, each with what to write instead.
TYPOGRAPHY = [
    (re.compile(r" [,.;:?!)]"), "a space before a punctuation mark"),
    (re.compile(r"\( "), "a space after an opening parenthesis"),
    (re.compile(r"[,;:?!][^\s\d\")]|[a-zěščřžýáíéúůóďťň]\.[A-ZĚŠČŘŽÝÁÍÉÚŮÓĎŤŇ]"),
     "no space after a punctuation mark"),
    (re.compile(r"\d{5,}"), "five or more digits without a space between the thousands"),
    (re.compile(r"\d\.\d\d?\.\d{4}"), "a date without spaces: write 8. 12. 2026"),
    (re.compile(r"\d%"), "a space before %"),
    (re.compile(r"\d[a-zA-Z]{1,3}\b"), "a space between a number and its unit"),
]


def typography(title, paragraphs):
    problems = []
    for paragraph in [title] + paragraphs:
        for pattern, what in TYPOGRAPHY:
            for match in pattern.finditer(paragraph):
                start = max(0, match.start() - 20)
                problems.append(f"{what}: ...{paragraph[start:match.end() + 20]}...")
        if paragraph.count('"') % 2 or paragraph.count("(") != paragraph.count(")"):
            problems.append(f"unpaired quotation marks or parentheses: {paragraph[:50]}...")
    return problems


def check(path, title, paragraphs):
    problems = []
    if not NAME.match(path.name):
        problems.append(f"{path.name}: the name must be NN-slug.txt")
    for paragraph in [title] + paragraphs:
        stray = sorted(set(paragraph) - KEYSTROKES.keys())
        if stray:
            problems.append(f"{path.name}: characters the copy may not use: {''.join(stray)!r}")
    if not problems:
        problems += [f"{path.name}: {p}" for p in typography(title, paragraphs)]
        count = keystrokes("".join(paragraphs))
        if count < MIN_KEYSTROKES:
            problems.append(f"{path.name}: {count} keystrokes, fewer than {MIN_KEYSTROKES}")
    return problems


def render(title, paragraphs):
    return "\r\n\r\n".join([title] + paragraphs).encode("cp1250") + b"\r\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="do not write; fail when a data file differs from its source")
    args = parser.parse_args()

    problems = []
    rendered = {}
    rows = []
    for path in sorted(HERE.glob("*.txt")):
        title, paragraphs, found = parse(path)
        problems += found
        if found:
            continue
        found = check(path, title, paragraphs)
        problems += found
        if found:
            continue
        rendered[path.name] = render(title, paragraphs)
        body = "".join(paragraphs)
        rows.append((path.name[:2], title, keystrokes(body),
                     sum(len(p.split()) for p in paragraphs), len(body)))
    numbers = [path.name[:2] for path in HERE.glob("*.txt")]
    if len(set(numbers)) != len(numbers):
        problems.append("two texts share a number")
    if not problems:
        if len(rows) < MIN_TEXTS:
            problems.append(f"{len(rows)} texts, fewer than {MIN_TEXTS}")
        if sum(row[2] >= LONG_KEYSTROKES for row in rows) < MIN_LONG_TEXTS:
            problems.append(f"fewer than {MIN_LONG_TEXTS} texts of {LONG_KEYSTROKES} keystrokes")
    print(f"{'NN':2}  {'keystrokes':>10}  {'words':>5}  {'characters':>10}  title")
    for number, title, count, words, characters in rows:
        print(f"{number:2}  {count:>10}  {words:>5}  {characters:>10}  {title}")
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1

    stale = []
    targets = {OUT / name: content for name, content in rendered.items()}
    for target, content in targets.items():
        if target.exists() and target.read_bytes() == content:
            continue
        if args.check:
            stale.append(target.name)
        else:
            OUT.mkdir(parents=True, exist_ok=True)
            target.write_bytes(content)
            print(f"wrote {target.relative_to(ROOT)}")
    for orphan in sorted(OUT.glob("*.txt")) if OUT.exists() else []:
        if orphan not in targets:
            if args.check:
                stale.append(orphan.name)
            else:
                orphan.unlink()
                print(f"removed {orphan.relative_to(ROOT)}")
    if stale:
        print("out of date, run build_copytexts.py: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
