#!/usr/bin/env python3
"""Writes the word list of practice texts (slova.txt): Czech word forms, the most common
first, one a line, in code page 1250.

The words come from two places, in this order:

1. Vetted words: every form the program's own lesson texts and copy texts use that the
   Czech hunspell dictionary knows, ranked by how often those texts use it. Proper nouns
   keep their capital ("Praha", "Cyril"); a sentence's first word is written small when
   the dictionary knows it so. Drill lines of the first lessons ("fdf jkj") are left out:
   a lesson line counts only when every word of it is a dictionary word.
2. Other forms of the same words, from the dictionary (the lessons say "ruka", the list
   also gets "rukou"), ranked by how often the texts use the word they belong to. A
   dictionary entry counts as used when the texts use a form only it has, or two of its
   forms. Forms a pupil should not copy are left out: archaic and colloquial endings
   ("dělati", "dělals", "těma", "kraluju"), vocatives of things ("vodo"), negated forms
   the texts do not use ("necesta"), transgressives, passive participles ("sahány"),
   words derived from adjectives other than their plain forms ("malost"), repeated
   syllables ("čičiči"), and every form whose letters without diacritics are those of
   another dictionary form with more diacritics or a better rank ("more" beside "moře"),
   and the few forms unmunch writes that hunspell itself rejects ("skonč").

Dictionary entries the texts never use are left out altogether: without knowing how
common a word is, nothing tells a rude, slang or rare word from a plain one, and a
practice text with too few words takes letter groups instead. Entries hunspell marks as
not to be suggested or forbidden (its vulgar and offensive words) are never used.

Usage: make_word_list.py UNMUNCH HUNSPELL DIC AFF LESSON_DIR COPY_TEXT_DIR OUTPUT"""

import collections
import os
import pathlib
import re
import subprocess
import sys

SMALL = "abcdefghijklmnopqrstuvwxyzáčďéěíňóřšťúůýž"
CAPITAL = SMALL.upper()
VOWELS = set("aeiouyáéěíóúůý")
CONSONANTS = set(SMALL) - VOWELS
ONE_LETTER_WORDS = set("aikosuvz")
MAX_LENGTH = 16
MAX_OTHER_FORM_LENGTH = 12
TOKEN = re.compile("[" + SMALL + CAPITAL + "]+")
SEPARATOR = "@@@"

# Flags of the Czech dictionary's affix file for entries not to be suggested (its vulgar
# and offensive words) and forbidden forms.
NOSUGGEST_FLAG, FORBIDDEN_FLAG = "w", "q"

# Stems a practice text for a school pupil should not show, whatever the texts say.
UNWANTED = ("srát", "sral", "sere", "serou", "kurv", "prdel", "prd", "chcan", "chcá", "mrd",
            "píč", "čurá", "hovn", "kokot", "šuk", "buzer", "debil", "kret", "zmrd", "děvk",
            "smrď", "feťák", "frťan", "ťunť", "keťas")

ADJECTIVE_ENDINGS = {"ý": ("ý", "á", "é", "ého", "ému", "ém", "ým", "ou", "í", "ých", "ými"),
                     "í": ("í", "ího", "ímu", "ím", "ích", "ími")}


PLAIN = str.maketrans("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ", "acdeeinorstuuyzACDEEINORSTUUYZ")


def without_diacritics(word):
    return word.translate(PLAIN)


def diacritics(word):
    return sum(1 for c in word if c in "áčďéěíňóřšťúůýž")


def pronounceable(word):
    """A syllable of its own: a vowel, or r or l between consonants ("vlk"); one-letter
    words only the prepositions and conjunctions. Leaves out "Kč", "km", "ff"."""
    small = word.lower()
    if len(word) == 1:
        return word in ONE_LETTER_WORDS
    if any(c in VOWELS for c in small):
        return True
    return any(small[i] in "rl" and small[i - 1] in CONSONANTS and small[i + 1] in CONSONANTS
               for i in range(1, len(small) - 1))


def repeats_syllable(word):
    return any(word[i:i + n] == word[i + n:i + 2 * n]
               for n in (2, 3) for i in range(len(word) - 2 * n + 1))


def acceptable(word):
    return pronounceable(word) and not repeats_syllable(word.lower()) and \
        not any(u in word.lower() for u in UNWANTED)


def is_verb(forms):
    head = forms[0]
    return (head.endswith("t") or head.endswith("ci")) and any(f.endswith("la") for f in forms)


def odd_form(word, forms, form_set):
    """A form of the entry `forms` that is archaic, colloquial or rare beside the others."""
    head = forms[0]
    verb = is_verb(forms)
    if word.endswith("ti") and word[:-1] in form_set:
        return True  # "dělati" beside "dělat"
    if word.endswith("s") and word[:-1] in form_set and "l" in word[-3:]:
        return True  # "dělals": the spoken second person of the past
    if word.startswith("ne") and word[2:] in form_set:
        return True  # negated forms the texts do not use
    if word.endswith("ma") and word[:-1] + "i" in form_set:
        return True  # "těma" for "těmi"
    if (word.endswith("uju") and word[:-1] + "i" in form_set) or \
            (word.endswith("ujou") and word[:-2] + "í" in form_set):
        return True  # "kraluju" for "kraluji"
    if head.endswith("a") and word == head[:-1] + "o":
        return True  # the vocative of a thing: "vodo"
    if head[-1] in ADJECTIVE_ENDINGS and not verb and len(head) > 3 and \
            not any(word == head[:-1] + e for e in ADJECTIVE_ENDINGS[head[-1]]):
        return True  # "malost", "male" beside "malý"
    if verb and word.endswith(("vši", "vše", "íc", "íce", "ouc", "ouce")):
        return True  # transgressives
    if verb and passive(word, form_set):
        return True  # "sahány", "vystoupeno": rare beside the active forms
    return False


def passive(word, form_set):
    """A form of a verb's passive participle: "dělán", "dělána", ... "dělánu"."""
    stem = word if word[-1] in "nt" else word[:-1]
    return stem[-1:] in ("n", "t") and (word == stem or word[-1] in "aoiyu") and \
        all(stem + ending in form_set for ending in ("", "a", "o", "y"))


def known_to_hunspell(hunspell, words, dic):
    """The words the dictionary accepts: unmunch writes a few forms hunspell rejects
    ("skonč", "ležej")."""
    listed = subprocess.run([hunspell, "-d", dic[:-len(".dic")], "-i", "utf-8", "-l"],
                            input="\n".join(words).encode("utf-8"), check=True,
                            stdout=subprocess.PIPE).stdout.decode("utf-8").split()
    unknown = set(listed)
    return [w for w in words if w not in unknown]


def expand(unmunch, dic, aff, workdir):
    """The flags of each dictionary entry, and the text of its forms: one a line, the
    entry's own form first."""
    lines = pathlib.Path(dic).read_text(encoding="utf-8").splitlines()[1:]
    separated = pathlib.Path(workdir) / "separated.dic"
    with open(separated, "w", encoding="utf-8") as out:
        out.write(f"{2 * len(lines)}\n")
        for line in lines:
            out.write(line + "\n" + SEPARATOR + "\n")
    expanded = subprocess.run([unmunch, str(separated), aff], check=True,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
    separated.unlink()
    text = expanded.decode("utf-8", "replace")
    entries = text.split("\n" + SEPARATOR + "\n")
    if len(entries) != len(lines) + 1:
        sys.exit("unmunch wrote no form for some dictionary entry")
    return [line.split("/", 1)[1] if "/" in line else "" for line in lines], entries[:-1]


def tokens(text):
    """(word, whether it starts a sentence): the first of a text or a paragraph, or after
    . ! ? (a paragraph of a copy text spans several lines)."""
    end = 0
    for match in TOKEN.finditer(text):
        between = text[end:match.start()]
        end = match.end()
        word = match.group()
        if len(word) > 1 and word.isupper():
            continue  # abbreviations
        yield word, match.start() == 0 or "\n\n" in between or any(c in between for c in ".!?")


def spelling(token, starts_sentence, known, proper_nouns):
    """How a word of the texts is kept: as written inside a sentence, where a capital is a
    proper noun's; small at a sentence's start, unless the texts write it with a capital
    inside sentences too ("Ďáblice leží", "v Ďáblicích"). None when the dictionary lacks it."""
    if not starts_sentence or token in proper_nouns:
        return token if token in known else None
    small = token[0].lower() + token[1:]
    return next((w for w in (small, token) if w in known), None)


def proper_nouns(texts):
    return {token for _, text in texts for token, start in tokens(text)
            if not start and token[0].isupper()}


# What one use of a word weighs, by where it stands. A lesson's introduction speaks of keys and
# fingers ("ukazováček", "klávesa") in every lesson, more often than a pupil meets them.
WEIGHT = {"prose": 1.0, "lesson line": 1.0, "introduction": 0.25}


def vetted_lines(lesson_dir, copy_text_dir):
    """(kind, text) of every vetted text, each lesson line once."""
    lesson_lines = set()
    for path in sorted(pathlib.Path(lesson_dir).glob("*.txt")):
        lines = path.read_text(encoding="utf-8").splitlines()
        for i, line in enumerate(lines):
            if not line.strip() or line.startswith(("#", "$")):
                continue
            lesson_lines.add(("introduction" if lines[i - 1].startswith("$") else "lesson line",
                              line))
    texts = sorted(lesson_lines)
    for path in sorted(pathlib.Path(copy_text_dir).glob("[0-9][0-9]-*.txt")):
        texts.append(("prose", path.read_text(encoding="utf-8")))
    return texts


def count_vetted(texts, known, proper):
    """How often the texts use each known form. A lesson line counts each form once, and only
    when every word of it is one: the first lessons drill letter groups ("fdf jkj")."""
    counts = collections.defaultdict(float)
    for kind, text in texts:
        words = [spelling(token, start, known, proper) for token, start in tokens(text)]
        if kind == "lesson line":
            if None in words:
                continue
            words = set(words)
        for word in words:
            if word:
                counts[word] += WEIGHT[kind]
    return counts


def usage_of_entries(vetted, entries_of, usable):
    """How much the texts use each dictionary entry (a form shared by several entries counts
    for each in part), for the entries the texts use: a form only the entry has, or two of
    its forms ("při" does not make "přít" a word of the texts)."""
    used = collections.defaultdict(float)
    attested = collections.defaultdict(list)
    for word, n in vetted.items():
        owners = [i for i in entries_of[word] if usable[i]]
        for i in owners:
            used[i] += n / len(owners)
            attested[i].append(len(owners) == 1)
    return {i: weight for i, weight in used.items() if any(attested[i]) or len(attested[i]) > 1}


def other_forms(used, entries, vetted):
    """The forms of the used entries the texts do not use, each with its entry's use."""
    others = {}
    for i, weight in used.items():
        forms = entries[i].split("\n")
        form_set = set(forms)
        for form in form_set:
            if form in vetted or not 2 <= len(form) <= MAX_OTHER_FORM_LENGTH:
                continue
            if not set(form) <= set(SMALL) or not acceptable(form) or \
                    odd_form(form, forms, form_set):
                continue
            others[form] = max(others.get(form, 0.0), weight)
    return others


def misspellings(others, entries, rank):
    """The other forms that read like another dictionary form written without its diacritics,
    or like a better ranked one."""
    keys = {without_diacritics(w) for w in others}
    twins = collections.defaultdict(set)
    for forms in entries:
        plain = without_diacritics(forms).split("\n")
        if keys.isdisjoint(plain):
            continue
        for form, key in zip(forms.split("\n"), plain):
            if key in keys:
                twins[key].add(form)
    return {w for w in others
            if any(t != w and (diacritics(t) > diacritics(w) or rank.get(t, len(rank)) < rank[w])
                   for t in twins[without_diacritics(w)])}


def main():
    unmunch, hunspell, dic, aff, lesson_dir, copy_text_dir, output = sys.argv[1:8]
    texts = vetted_lines(lesson_dir, copy_text_dir)
    spellings = set()
    for _, text in texts:
        for token, _ in tokens(text):
            spellings.update((token, token[0].lower() + token[1:]))

    flags, entries = expand(unmunch, dic, aff, os.path.dirname(os.path.abspath(output)))
    usable = [NOSUGGEST_FLAG not in f and FORBIDDEN_FLAG not in f for f in flags]
    entries_of = collections.defaultdict(set)
    for i, forms in enumerate(entries):
        for form in spellings.intersection(forms.split("\n")):
            entries_of[form].add(i)

    counts = count_vetted(texts, entries_of, proper_nouns(texts))
    vetted = {w: n for w, n in counts.items()
              if len(w) <= MAX_LENGTH and acceptable(w) and any(usable[i] for i in entries_of[w])}
    used = usage_of_entries(vetted, entries_of, usable)
    others = other_forms(used, entries, vetted)

    def entry_use(word):
        return max(used.get(i, 0.0) for i in entries_of[word])

    ranked = sorted(vetted, key=lambda w: (-vetted[w], -entry_use(w), w))
    ranked += sorted(others, key=lambda w: (-others[w], w))
    misspelt = misspellings(others, entries, {w: r for r, w in enumerate(ranked)})

    words = known_to_hunspell(hunspell, [w for w in ranked if w not in misspelt], dic)
    with open(output + ".tmp", "wb") as out:
        out.write("".join(w + "\n" for w in words).encode("cp1250"))
    os.replace(output + ".tmp", output)


if __name__ == "__main__":
    main()
