#!/usr/bin/env python3
"""Prints each lesson's measures from the sources: text lines, keystrokes (every line's
length plus its Enter), average line length, and for lessons from 17 on the share of words
of three or more letters that the Czech spelling dictionary knows (needs hunspell-cs).

    lesson_stats.py            one row per lesson and source file
"""

import re
import subprocess

import build_lessons

DICTIONARY = "/usr/share/hunspell/cs_CZ"


def unknown_words(words):
    result = subprocess.run(["hunspell", "-l", "-d", DICTIONARY], input="\n".join(words),
                            capture_output=True, text=True, check=True)
    return set(result.stdout.split())


def main():
    print("file     lesson lines keys  avg   known")
    for name in build_lessons.FILES:
        for lesson, _, _, lines in build_lessons.parse(build_lessons.HERE / f"{name}.txt"):
            texts = [t for _, t in lines]
            keys = sum(len(t) + 1 for t in texts)
            avg = sum(len(t) for t in texts) / len(texts)
            words = [w for t in texts for w in re.findall(r"[^\W\d_]+", t) if len(w) >= 3]
            known = ""
            if lesson >= 17 and words:
                missing = unknown_words(sorted(set(words)))
                share = sum(w not in missing for w in words) / len(words)
                known = f"{share:6.1%}  {' '.join(sorted(missing))}"
            print(f"{name:8s} {lesson:5d} {len(texts):5d} {keys:5d} {avg:5.1f}  {known}")


if __name__ == "__main__":
    main()
