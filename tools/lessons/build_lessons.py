#!/usr/bin/env python3
"""Checks the lesson sources and writes the four lesson data files.

The sources are UTF-8 text beside this script, one per data file (KTOSCA.txt,
KTOSCBY.txt, KTOSCBZ.txt, KTOSCC.txt). Each lesson is a marker line "$LEKCE:NN",
the introductory line and its text lines. Blank lines between lessons and lines
that begin with "#" are for the writer only and never reach the data file.

The data files are written to data/ in code page 1250 with CR LF line ends, one
lesson straight after the other, because an empty line would end a lesson.

    build_lessons.py           check, then write data/*.DAT
    build_lessons.py --check   check, and fail when data/*.DAT differ from the sources
"""

import argparse
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
DATA = ROOT / "data"

QWERTZ = "QWERTZ"
QWERTY = "QWERTY"

# What each lesson introduces; a pair is (QWERTZ, QWERTY) where the layouts differ.
# The space bar is always allowed.
INTRODUCES = {
    1: "dfjk",
    2: "sl",
    3: "aů",
    4: "gh",
    5: "ru",
    6: "ei,",
    7: "",
    8: "o.",
    9: "p",
    10: "",
    11: "t",
    12: ("y", "z"),  # the bottom-left letter
    13: "úq",
    14: "",
    15: "",
    16: "v",
    17: "m",
    18: "",
    19: "c",
    20: "xw",
    21: ("z", "y"),  # the top-row letter
    22: "",
    23: "b",
    24: "n",
    25: "",
    # Capitals: lessons 26 and 27 serve both layouts, and Y and Z swap hands between them,
    # so those two capitals wait for the review in lesson 30.
    26: "QWERTASDFGXCVB",  # capitals with the right Shift
    27: "UIOPHJKLNM",  # capitals with the left Shift
    28: "ř",
    29: "á",
    30: "YZ",
    31: "č",
    32: "í",
    33: "",
    34: "š",
    35: "é",
    36: "ě",
    37: "",
    38: "",
    39: "ž",
    40: "ý",
    41: "ďťňó",
    42: "ŠĎŽ",
    43: "?:!/()",
    44: "0123456789%-",
}

# Once lesson 42 has shown how a capital takes a caron, the pupil can write every Czech
# capital with the dead keys; from lesson 43 on the lessons may use them all.
DEAD_KEY_CAPITALS = "ÁČÉĚÍŇÓŘŤÚÝ"
ALL_CAPITALS_FROM = 43

# Which file holds which lessons, and for which layouts a lesson there must be typeable.
FILES = {
    "KTOSCA": (range(1, 12), (QWERTZ, QWERTY)),
    "KTOSCBY": (range(12, 23), (QWERTY,)),
    "KTOSCBZ": (range(12, 23), (QWERTZ,)),
    "KTOSCC": (range(23, 45), (QWERTZ, QWERTY)),
}

MIN_LINES = 14
MAX_LINES = 20
MAX_LENGTH = 68  # the typing line shows 69; the loader cuts there
MAX_INTRO_BYTES = 254  # the loader reads no longer line
MIN_KEYSTROKES = 550  # every line's characters and its Enter
MIN_AVERAGE = 38  # characters per line, from lesson 12 on
AVERAGE_FROM = 12
CAPITALS_FROM = 26  # before it no line may end as a sentence, with a full stop
# A lesson that introduces keys has one of them in every line; from lesson 12 on, most of its
# lines hold them twice or more.
TWICE_FROM = 12
MIN_USES = 5  # of every key a lesson introduces, and of every key a review stresses
# The review lessons (OPAKOVANÍ in the lesson dialog) and what their introductory lines name:
# the keys they stress (a pair where the layouts differ; "," and "." are named "čárka" and
# "tečka"), and the lessons they go over, every letter of which the text types.
REVIEW_OF = {
    7: ("ei,", (1, 6)),
    10: ("op.", (1, 9)),
    14: (("tyúq", "tzúq"), (1, 13)),
    15: (("y", "z"), (1, 13)),
    18: ("vm", (1, 17)),
    22: ("yz", (1, 21)),
    25: ("bn", (1, 24)),
    30: ("řá", None),
    33: ("řáčí", None),
    37: ("ěščřáéí", None),
    38: ("", None),
}
KEY_NAMES = {",": "čárka", ".": "tečka"}
MARKER = "$LEKCE:"


def introduced(lesson, layout):
    keys = INTRODUCES[lesson]
    if isinstance(keys, tuple):
        return keys[0] if layout == QWERTZ else keys[1]
    return keys


def stressed(lesson, layout):
    keys = REVIEW_OF[lesson][0]
    if isinstance(keys, tuple):
        return keys[0] if layout == QWERTZ else keys[1]
    return keys


def names(intro, key):
    """Whether the introductory line names the key as a word of its own."""
    return re.search(rf"(?<!\w){re.escape(KEY_NAMES.get(key, key))}(?!\w)", intro) is not None


def key_uses(lesson, layout, keys, intro, lines):
    """How a lesson's text drills, on one layout, the keys it introduces and, in a review,
    the keys its introductory line names; keys are the characters the lesson may use.
    Each shortcoming is (source line number or None for the whole lesson, message)."""
    problems = []
    texts = [text for _, text in lines]

    def uses(key):
        return sum(text.count(key) for text in texts)

    new = [key for key in introduced(lesson, layout) if key in keys]
    if new:
        counts = [sum(text.count(key) for key in new) for text in texts]
        for (number, text), count in zip(lines, counts):
            if count == 0:
                problems.append((number, f"none of the lesson's new keys {''.join(new)!r}"))
        twice = sum(count >= 2 for count in counts)
        if lesson >= TWICE_FROM and 2 * twice <= len(texts):
            problems.append((None, f"only {twice} of {len(texts)} lines hold the new keys "
                                   f"twice or more"))
        for key in new:
            if uses(key) < MIN_USES:
                problems.append((None, f"the new key {key!r} typed {uses(key)} times"))
    if lesson in REVIEW_OF:
        for key in stressed(lesson, layout):
            if not names(intro, key):
                problems.append((None, f"the introductory line does not name {key!r}"))
            if uses(key) < MIN_USES:
                problems.append((None, f"the stressed key {key!r} typed {uses(key)} times"))
        span = REVIEW_OF[lesson][1]
        for earlier in range(span[0], span[1] + 1) if span else ():
            for key in introduced(earlier, layout):
                if key.isalpha() and uses(key) == 0:
                    problems.append((None, f"never types {key!r} of lesson {earlier}"))
    return problems


def allowed_keys(lesson, layouts):
    """The characters a lesson may use on every one of the given layouts."""
    sets = []
    for layout in layouts:
        keys = {" "}
        for earlier in range(1, lesson + 1):
            keys.update(introduced(earlier, layout))
        if lesson >= ALL_CAPITALS_FROM:
            keys.update(DEAD_KEY_CAPITALS)
        sets.append(keys)
    return set.intersection(*sets)


def parse(path):
    """[(lesson, source line of marker, intro, [(line number, text)])] of a source file."""
    lessons = []
    current = None
    for number, raw in enumerate(path.read_text(encoding="utf-8").split("\n"), start=1):
        if raw.startswith("#"):
            continue
        if raw.startswith(MARKER):
            current = [int(raw[len(MARKER):len(MARKER) + 2]), number, None, []]
            lessons.append(current)
        elif raw.strip() == "":
            current = None
        elif current is None:
            raise SystemExit(f"{path.name}:{number}: text outside a lesson: {raw!r}")
        elif current[2] is None:
            current[2] = raw
        else:
            current[3].append((number, raw))
    return lessons


def check(name, lessons):
    problems = []
    expected, layouts = FILES[name]
    numbers = [lesson[0] for lesson in lessons]
    if numbers != list(expected):
        problems.append(f"{name}: lessons {numbers}, expected {list(expected)}")
    for lesson, marker_line, intro, lines in lessons:
        where = f"{name}.txt:{marker_line}: lesson {lesson}"
        keys = allowed_keys(lesson, layouts)
        if not intro or intro != intro.strip():
            problems.append(f"{where}: the introductory line is empty or has outer blanks")
        elif len(intro.encode("cp1250", "replace")) > MAX_INTRO_BYTES:
            problems.append(f"{where}: the introductory line is longer than {MAX_INTRO_BYTES}")
        if not MIN_LINES <= len(lines) <= MAX_LINES:
            problems.append(f"{where}: {len(lines)} text lines")
        keystrokes = sum(len(text) + 1 for _, text in lines)
        if keystrokes < MIN_KEYSTROKES:
            problems.append(f"{where}: {keystrokes} keystrokes, fewer than {MIN_KEYSTROKES}")
        if lesson >= AVERAGE_FROM and lines and keystrokes / len(lines) - 1 < MIN_AVERAGE:
            problems.append(f"{where}: lines of {keystrokes / len(lines) - 1:.1f} characters "
                            f"on average, fewer than {MIN_AVERAGE}")
        if "OPAKOVANÍ" in intro:
            problems.append(f"{where}: the introductory line spells OPAKOVANÍ")
        elif lesson in REVIEW_OF and "OPAKOVÁNÍ" not in intro:
            problems.append(f"{where}: the introductory line of a review lacks OPAKOVÁNÍ")
        seen = set()
        for number, text in lines:
            at = f"{name}.txt:{number}"
            if len(text) > MAX_LENGTH:
                problems.append(f"{at}: {len(text)} characters")
            if text != text.strip() or "  " in text:
                problems.append(f"{at}: blank at an end or two blanks in a row")
            stray = sorted(set(text) - keys)
            if stray:
                problems.append(f"{at}: not yet taught in lesson {lesson}: {''.join(stray)!r}")
            if lesson < CAPITALS_FROM and text.endswith("."):
                problems.append(f"{at}: ends in a full stop before capitals are taught")
            if text in seen:
                problems.append(f"{at}: the line repeats")
            seen.add(text)
        for layout in layouts:
            for number, problem in key_uses(lesson, layout, keys, intro, lines):
                located = f"{name}.txt:{number}: {problem}" if number else f"{where}: {problem}"
                if located not in problems:  # a file of both layouts finds most things twice
                    problems.append(located)
        for number, text in [(marker_line + 1, intro)] + lines:
            try:
                text.encode("cp1250")
            except UnicodeEncodeError as error:
                problems.append(f"{name}.txt:{number}: not in code page 1250: {error}")
    return problems


def render(lessons):
    out = []
    for lesson, _, intro, lines in lessons:
        out.append(f"{MARKER}{lesson:02d}")
        out.append(intro)
        out.extend(text for _, text in lines)
    return "".join(line + "\r\n" for line in out).encode("cp1250")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="do not write; fail when a data file differs from its source")
    args = parser.parse_args()

    problems = []
    rendered = {}
    for name in FILES:
        lessons = parse(HERE / f"{name}.txt")
        problems += check(name, lessons)
        rendered[name] = render(lessons)
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1

    stale = []
    for name, content in rendered.items():
        target = DATA / f"{name}.DAT"
        if args.check:
            if not target.exists() or target.read_bytes() != content:
                stale.append(target.name)
        elif not target.exists() or target.read_bytes() != content:
            DATA.mkdir(exist_ok=True)
            target.write_bytes(content)
            print(f"wrote {target.relative_to(ROOT)}")
    if stale:
        print("out of date, run build_lessons.py: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
