#!/usr/bin/env python3
"""Helps the lesson writer: lists Czech words that a lesson's keys can type, and words
of the lesson sources that the Czech spelling dictionary does not know.

Needs the Debian packages hunspell-cs and hunspell-tools (for unmunch); the product
build does not. The word forms are expanded once into a cache file.

    find_words.py 9                 words typeable in lesson 9 on both layouts
    find_words.py 12 --layout QWERTY --new z
    find_words.py --unknown         words of the sources missing from the dictionary
"""

import argparse
import pathlib
import random
import re
import subprocess
import sys

import build_lessons

DICTIONARY = pathlib.Path("/usr/share/hunspell/cs_CZ")
CACHE = pathlib.Path("/tmp/klaptos_cs_forms.txt")


def word_forms():
    if not CACHE.exists():
        forms = subprocess.run(
            ["unmunch", f"{DICTIONARY}.dic", f"{DICTIONARY}.aff"],
            capture_output=True, check=True).stdout.decode("utf-8", "replace")
        words = sorted({w for w in forms.split() if w.isalpha()})
        CACHE.write_text("\n".join(words), encoding="utf-8")
    return CACHE.read_text(encoding="utf-8").split("\n")


def typeable(args):
    layouts = (args.layout,) if args.layout else (build_lessons.QWERTZ, build_lessons.QWERTY)
    keys = build_lessons.allowed_keys(args.lesson, layouts)
    new = set(args.new) if args.new else None
    words = [w for w in word_forms()
             if args.min <= len(w) <= args.max and set(w) <= keys
             and (new is None or set(w) & new)
             and (args.capitals or w[0].islower() or len(w) == 1)]
    if args.sample and len(words) > args.sample:
        words = sorted(random.Random(args.lesson).sample(words, args.sample))
    print(" ".join(words))
    print(f"({len(words)} words)", file=sys.stderr)


def unknown():
    for name in build_lessons.FILES:
        for lesson, _, _, lines in build_lessons.parse(build_lessons.HERE / f"{name}.txt"):
            text = "\n".join(t for _, t in lines)
            words = sorted(set(re.findall(r"[^\W\d_]+", text)))
            result = subprocess.run(["hunspell", "-l", "-d", str(DICTIONARY)],
                                    input="\n".join(words), capture_output=True,
                                    text=True).stdout.split()
            if result:
                print(f"{name} {lesson:2d}: {' '.join(sorted(set(result)))}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("lesson", type=int, nargs="?")
    parser.add_argument("--layout", choices=[build_lessons.QWERTZ, build_lessons.QWERTY])
    parser.add_argument("--new", help="each word holds at least one of these letters")
    parser.add_argument("--min", type=int, default=2)
    parser.add_argument("--max", type=int, default=12)
    parser.add_argument("--sample", type=int, default=0)
    parser.add_argument("--capitals", action="store_true", help="include proper names")
    parser.add_argument("--unknown", action="store_true")
    args = parser.parse_args()
    if args.unknown:
        unknown()
    elif args.lesson:
        typeable(args)
    else:
        parser.error("give a lesson number or --unknown")


if __name__ == "__main__":
    main()
