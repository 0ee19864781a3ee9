#!/usr/bin/env python3
"""Regenerate the dictionary and the round-word pool from Debian's scowl lists.

Run from the repository root (needs the Debian package "scowl"):

    python3 tools/make-wordlists.py [--scowl /usr/share/dict/scowl] [--out data]

Writes data/english.dic and data/wordpool.txt. The output depends only on the
scowl files, so running it twice gives identical bytes.

english.dic: 15-byte records, each the byte 0x1E and the word in capitals,
left-aligned and padded with spaces to 14. Words longer than 14 letters are cut
to 14, and the equal records this makes are kept side by side. The records are
sorted by their word field in byte order, so "CAT" comes before "CATS"; the
game's binary search depends on that order.

wordpool.txt: the round words, lower case, 3 to 5 letters, one per line.
"""

import argparse
import pathlib
import re
import sys

DICTIONARY_SIZES = (10, 20, 35, 40, 50, 55, 60, 70)
POOL_SIZES = (10, 20, 35)
LIST_KINDS = ("english-words", "american-words")

MARKER = b"\x1e"
FIELD_WIDTH = 14
MIN_WORD = 2
POOL_LENGTHS = range(3, 6)

# Both ladders must be playable with the list we ship.
CLASSIC_LADDERS = (
    ("cold", "cord", "card", "ward", "warm"),
    ("head", "heal", "teal", "tell", "tall", "tail"),
)
POOL_MUST_HOLD = ("cold", "warm", "head", "tail")

PLAIN_WORD = re.compile(r"[a-z]+")


def read_words(scowl: pathlib.Path, sizes) -> set:
    words = set()
    for kind in LIST_KINDS:
        for size in sizes:
            path = scowl / f"{kind}.{size}"
            if not path.exists():
                sys.exit(f"missing word list: {path}")
            # Latin-1 never fails to decode; anything outside a-z is dropped anyway.
            for line in path.read_bytes().decode("latin-1").splitlines():
                word = line.strip()
                if PLAIN_WORD.fullmatch(word):
                    words.add(word)
    return words


def make_records(words) -> bytes:
    fields = sorted(
        w[:FIELD_WIDTH].upper().ljust(FIELD_WIDTH).encode("ascii")
        for w in words
        if len(w) >= MIN_WORD
    )
    return b"".join(MARKER + f for f in fields)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scowl", type=pathlib.Path, default=pathlib.Path("/usr/share/dict/scowl"))
    parser.add_argument("--out", type=pathlib.Path, default=pathlib.Path("data"))
    args = parser.parse_args()

    dictionary = {w for w in read_words(args.scowl, DICTIONARY_SIZES) if len(w) >= MIN_WORD}
    pool = sorted(w for w in read_words(args.scowl, POOL_SIZES)
                  if len(w) in POOL_LENGTHS and w in dictionary)

    missing = [w for ladder in CLASSIC_LADDERS for w in ladder if w not in dictionary]
    missing += [w for w in POOL_MUST_HOLD if w not in pool]
    if missing:
        sys.exit("classic ladder words missing: " + " ".join(missing))

    records = make_records(dictionary)
    args.out.mkdir(parents=True, exist_ok=True)
    (args.out / "english.dic").write_bytes(records)
    (args.out / "wordpool.txt").write_bytes("".join(w + "\n" for w in pool).encode("ascii"))

    count = len(records) // (1 + FIELD_WIDTH)
    print(f"english.dic: {count} records, {len(records)} bytes")
    by_length = {}
    for w in dictionary:
        n = min(len(w), FIELD_WIDTH)
        by_length[n] = by_length.get(n, 0) + 1
    print("  per length: " + ", ".join(f"{n}:{by_length[n]}" for n in sorted(by_length)))
    runs = sum(1 for i in range(1, count)
               if records[i * 15:(i + 1) * 15] == records[(i - 1) * 15:i * 15])
    print(f"  records repeating their predecessor: {runs}")
    print(f"  first {records[1:15].decode().strip()}, last {records[-14:].decode().strip()}")
    pool_counts = {n: sum(1 for w in pool if len(w) == n) for n in POOL_LENGTHS}
    print(f"wordpool.txt: {len(pool)} words, "
          + ", ".join(f"{n} letters {pool_counts[n]}" for n in POOL_LENGTHS)
          + f", from {pool[0]} to {pool[-1]}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
