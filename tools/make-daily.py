#!/usr/bin/env python3
"""Extend the daily ladder schedule, data/daily.txt, from the game's word lists.

Run from the repository root:

    python3 tools/make-daily.py [--years 10] [--data data] [--check]

One line per day: "NUMBER YYYY-MM-DD START END PAR". Puzzle 1 is 2026-12-01;
four-letter words from Monday to Friday, five letters on Saturday and Sunday.
Lines already in the file are kept byte for byte (a published day never
changes) and new days are only appended. Each day's pair depends on its number
and on the days before it alone, so the output is the same on every run.

A fair pair: both words and every word of at least two different shortest
ladders are round words (wordpool.txt); par is 4 to 6 steps; the whole
dictionary (english.dic) has no shorter ladder; the pair was never used before
and neither word was in the day before; the two words share no letter in the
same place. --check only checks the file against these rules.
"""

import argparse
import datetime
import pathlib
import sys
from collections import defaultdict, deque

FIRST_DAY = datetime.date(2026, 12, 1)
MIN_PAR, MAX_PAR = 4, 6
RECORD = 15
SEED = 0x5A1AD417


def length_of(day: datetime.date) -> int:
    return 5 if day.weekday() >= 5 else 4


class Random:
    """splitmix64: the same numbers from every Python."""

    def __init__(self, seed: int):
        self.state = seed & (2**64 - 1)

    def below(self, n: int) -> int:
        self.state = (self.state + 0x9E3779B97F4A7C15) & (2**64 - 1)
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & (2**64 - 1)
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & (2**64 - 1)
        return (z ^ (z >> 31)) % n


class Graph:
    """Words of one length; neighbours differ in exactly one letter."""

    def __init__(self, words):
        self.words = sorted(set(words))
        buckets = defaultdict(list)
        for w in self.words:
            for i in range(len(w)):
                buckets[w[:i] + "_" + w[i + 1:]].append(w)
        self.next = {w: [o for i in range(len(w)) for o in buckets[w[:i] + "_" + w[i + 1:]] if o != w]
                     for w in self.words}

    def distances(self, start):
        """Steps from start to every word it reaches, and the number of
        shortest ladders to each (counted up to 2)."""
        dist, count = {start: 0}, {start: 1}
        queue = deque([start])
        while queue:
            w = queue.popleft()
            for o in self.next[w]:
                if o not in dist:
                    dist[o] = dist[w] + 1
                    count[o] = 0
                    queue.append(o)
                if dist[o] == dist[w] + 1:
                    count[o] = min(2, count[o] + count[w])
        return dist, count

    def within(self, a, b, limit) -> bool:
        """True when b is at most limit steps from a (both ends at once)."""
        if a == b:
            return True
        seen = [{a}, {b}]
        front = [{a}, {b}]
        for _ in range(limit):
            side = 0 if len(front[0]) <= len(front[1]) else 1
            nxt = set()
            for w in front[side]:
                for o in self.next[w]:
                    if o in seen[1 - side]:
                        return True
                    if o not in seen[side]:
                        seen[side].add(o)
                        nxt.add(o)
            if not nxt:
                return False
            front[side] = nxt
        return False


def read_lists(data: pathlib.Path):
    raw = (data / "english.dic").read_bytes()
    dictionary = {raw[i + 1:i + RECORD].decode("ascii").strip() for i in range(0, len(raw), RECORD)}
    pool = {w.upper() for w in (data / "wordpool.txt").read_text("ascii").split()}
    return dictionary, pool


def shares_place(a, b) -> bool:
    return any(x == y for x, y in zip(a, b))


class Rules:
    def __init__(self, dictionary, pool):
        self.dict_graph = {n: Graph(w for w in dictionary if len(w) == n) for n in (4, 5)}
        self.pool_graph = {n: Graph(w for w in pool if len(w) == n) for n in (4, 5)}
        self.pool = pool

    def fault(self, day, start, end, par, previous, used):
        """Why a day is unfair, or None."""
        n = length_of(day)
        if len(start) != n or len(end) != n:
            return f"not {n} letters"
        if start not in self.pool or end not in self.pool:
            return "a word outside the round words"
        if not MIN_PAR <= par <= MAX_PAR:
            return "par outside 4..6"
        if shares_place(start, end):
            return "a letter in the same place"
        if frozenset((start, end)) in used:
            return "pair used before"
        if start in previous or end in previous:
            return "a word of the day before"
        dist, count = self.pool_graph[n].distances(start)
        if dist.get(end) != par or count[end] < 2:
            return "fewer than two shortest ladders of round words"
        if self.dict_graph[n].within(start, end, par - 1):
            return "a shorter ladder through the dictionary"
        return None

    def pick(self, number, day, previous, used):
        n = length_of(day)
        graph = self.pool_graph[n]
        rng = Random(SEED * 1_000_003 + number)
        for _ in range(200):
            start = graph.words[rng.below(len(graph.words))]
            if start in previous:
                continue
            dist, count = graph.distances(start)
            ends = [w for w in graph.words
                    if MIN_PAR <= dist.get(w, 0) <= MAX_PAR and count[w] >= 2 and w not in previous
                    and not shares_place(start, w) and frozenset((start, w)) not in used]
            # Each par as likely as the others: longer ladders are far more common.
            pars = sorted({dist[w] for w in ends})
            for _ in range(min(20, len(ends))):
                par = pars[rng.below(len(pars))]
                same = [w for w in ends if dist[w] == par]
                end = same[rng.below(len(same))]
                if not self.dict_graph[n].within(start, end, dist[end] - 1):
                    return start, end, dist[end]
        sys.exit(f"no fair pair for puzzle {number}")


def parse(lines):
    days = []
    for i, line in enumerate(lines, 1):
        number, date, start, end, par = line.split(" ")
        day = datetime.date.fromisoformat(date)
        if int(number) != i or day != FIRST_DAY + datetime.timedelta(days=i - 1):
            sys.exit(f"line {i}: numbers and dates must run on from puzzle 1 on {FIRST_DAY}")
        days.append((i, day, start, end, int(par)))
    return days


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", type=pathlib.Path, default=pathlib.Path("data"))
    parser.add_argument("--years", type=int, default=10)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()

    rules = Rules(*read_lists(args.data))
    path = args.data / "daily.txt"
    text = path.read_text("ascii") if path.exists() else ""
    days = parse(text.splitlines())

    used, previous = set(), set()
    for number, day, start, end, par in days:
        fault = rules.fault(day, start, end, par, previous, used)
        if fault:
            sys.exit(f"puzzle {number} ({day}): {fault}")
        used.add(frozenset((start, end)))
        previous = {start, end}
    if args.check:
        print(f"{path}: {len(days)} days, all fair")
        return 0

    last = FIRST_DAY.replace(year=FIRST_DAY.year + args.years)
    added = []
    number = len(days) + 1
    day = FIRST_DAY + datetime.timedelta(days=number - 1)
    while day <= last:
        start, end, par = rules.pick(number, day, previous, used)
        added.append(f"{number} {day.isoformat()} {start} {end} {par}\n")
        used.add(frozenset((start, end)))
        previous = {start, end}
        number += 1
        day += datetime.timedelta(days=1)
    with path.open("a", encoding="ascii") as out:
        out.writelines(added)
    print(f"{path}: {len(days)} days kept, {len(added)} added, last {day - datetime.timedelta(days=1)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
