#!/usr/bin/env python3
"""Starts games on a running `zigzop --serve` table over and over and checks
that every drawn round can be finished: a ladder of at most twenty words over
the game's own word list joins its two words.

    tools/check-round-draws.py PORT [COUNT]     (127.0.0.1 only)

Prints, for five-letter games and for games of all lengths, how many rounds
were drawn and how many no ladder of twenty words can finish."""
import collections
import socket
import sys
from pathlib import Path

FF = b"\xff"
ROOT = Path(__file__).resolve().parent.parent


def load_words(path):
    data = path.read_bytes()
    by_length = collections.defaultdict(set)
    for at in range(0, len(data), 15):
        word = data[at + 1:at + 15].decode("latin-1").strip().lower()
        by_length[len(word)].add(word)
    return by_length


def distance(words, start, end, limit=20):
    if start not in words or end not in words:
        return None
    seen, frontier = {start}, [start]
    for steps in range(1, limit + 1):
        nxt = []
        for word in frontier:
            for i in range(len(word)):
                for c in "abcdefghijklmnopqrstuvwxyz":
                    other = word[:i] + c + word[i + 1:]
                    if other in words and other not in seen:
                        if other == end:
                            return steps
                        seen.add(other)
                        nxt.append(other)
        frontier = nxt
    return None


class Client:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=10)
        self.pending = b""

    def send(self, text):
        self.sock.sendall(text.encode("latin-1") + FF)

    def next_message(self):
        while FF not in self.pending:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise SystemExit("the table closed the connection")
            self.pending += chunk
        message, _, self.pending = self.pending.partition(FF)
        return message.decode("latin-1")

    def wait_for(self, prefix):
        while True:
            message = self.next_message()
            if message.startswith(prefix):
                return message


def main():
    port = int(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 150
    words = load_words(ROOT / "data" / "english.dic")
    client = Client(port)
    seat = client.wait_for("CMD_sendlogininfo+").split("+")[1]
    if seat != "1":
        raise SystemExit("seat 1 must be free: only the owner starts games")
    client.send(f"CMD_logininfo+{seat}+1.0.2+Checker")
    for label, flags in (("five-letter words", "0+0+1"), ("all lengths", "1+1+1")):
        unfinishable, lengths = [], collections.Counter()
        for _ in range(count):
            client.send(f"CMD_startgame+Checker+1000+120+{flags}+")
            fields = client.wait_for("CMD_roundstart+").split("+")
            start, end = fields[2], fields[3]
            lengths[len(start)] += 1
            if distance(words[len(start)], start, end) is None:
                unfinishable.append(f"{start}->{end}")
        by_length = ", ".join(f"{n} letters: {lengths[n]}" for n in sorted(lengths))
        print(f"{label}: {count} rounds ({by_length}), {len(unfinishable)} cannot be finished"
              + (f": {' '.join(unfinishable)}" if unfinishable else ""))


if __name__ == "__main__":
    main()
