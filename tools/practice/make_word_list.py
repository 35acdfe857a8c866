#!/usr/bin/env python3
"""Writes the word list of practice texts: the forms of the Czech hunspell dictionary as
expanded by unmunch, kept when they are lower-case Czech words
of 2 to 7 letters, one a line, sorted, in code page 1250.

Usage: make_word_list.py UNMUNCH DIC AFF OUTPUT"""

import os
import subprocess
import sys

LETTERS = set("abcdefghijklmnopqrstuvwxyzáčďéěíňóřšťúůýž")
MIN_LENGTH, MAX_LENGTH = 2, 7

# Word stems a practice text for a school pupil should not show.
UNWANTED = ("srát", "sral", "sere", "serou", "kurv", "prdel", "prd", "chcan", "chcá", "mrd",
            "píč", "čurá", "hovn", "kokot", "šuk", "buzer", "debil", "kret", "zmrd", "děvk")


def colloquial(word, words):
    # "dělals", "hudls": the spoken second person of the past, made by the affix rules.
    return word.endswith("s") and word[:-1] in words and word[-2] in "laoiy" and "l" in word[-3:]


def main():
    unmunch, dic, aff, output = sys.argv[1:5]
    expanded = subprocess.run([unmunch, dic, aff], check=True, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL).stdout
    words = set()
    for raw in expanded.splitlines():
        word = raw.decode("utf-8", "replace").strip().split("/")[0]
        if MIN_LENGTH <= len(word) <= MAX_LENGTH and set(word) <= LETTERS:
            words.add(word)
    kept = sorted(w for w in words
                  if not colloquial(w, words) and not any(u in w for u in UNWANTED))
    with open(output + ".tmp", "wb") as out:
        out.write("".join(w + "\n" for w in kept).encode("cp1250"))
    os.replace(output + ".tmp", output)


if __name__ == "__main__":
    main()
