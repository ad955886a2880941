"""Judges what left the guest's MIDI UART (see wire-drain.py) against the
files sent, in order: every message whole and byte for byte, and the rest on
the wire after each one (from its last byte's end to the next first byte) at
least 300 ms. The adaptor's port selection (F5 01) outside messages is not
part of any message and is skipped.

usage: check-wire.py WIRE_PREFIX FILE...
Prints the figures and one line per problem; exits 1 when there is one."""
import sys

PAUSE_MS = 300.0

prefix, files = sys.argv[1], sys.argv[2:]


def messages(data):
    found, start = [], None
    for i, b in enumerate(data):
        if b == 0xF0:
            start = i
        elif b == 0xF7 and start is not None:
            found.append(bytes(data[start:i + 1]))
            start = None
    return found


expected = [m for f in files for m in messages(open(f, "rb").read())]
wire = open(prefix + ".bin", "rb").read()
timed = []
for line in open(prefix + ".log"):
    if line.startswith("#"):
        continue
    fields = line.split()
    timed.append((float(fields[0]), float(fields[1]), int(fields[2]), len(fields) > 3))

problems = []
# The bytes outside messages may only be the adaptor's port selection.
outside = bytearray()
inside = 0
for b in wire:
    if b == 0xF0:
        inside = 1
    if not inside:
        outside.append(b)
    if b == 0xF7:
        inside = 0
if outside.replace(b"\xf5\x01", b""):
    problems.append("bytes outside messages other than F5 01: %s" % outside.replace(b"\xf5\x01", b"").hex(" "))

got = messages(wire)
if got != expected:
    same = sum(1 for a, b in zip(got, expected) if a == b)
    problems.append("%d messages on the wire, %d sent; the first %d identical" % (len(got), len(expected), same))
    for i, (a, b) in enumerate(zip(got, expected)):
        if a != b:
            problems.append("message %d: %d bytes on the wire, %d sent" % (i + 1, len(a), len(b)))
            break
if any(cut for *_, cut in timed):
    problems.append("a message left the UART unterminated")

print("On the wire (3125 bytes/s), rest after each message:")
rests = []
for i in range(len(timed) - 1):
    first, end, length, _ = timed[i]
    rest = timed[i + 1][0] - end
    rests.append((length, rest))
    wire_ms = end - first
    print("    %6d bytes: %9.1f ms on the wire (%+.1f %%), then %8.1f ms of rest %s" % (
        length, wire_ms, 100.0 * (wire_ms / (length * 0.32) - 1.0), rest,
        "ok" if rest >= PAUSE_MS else "SHORT by %.1f ms" % (PAUSE_MS - rest)))
    if rest < PAUSE_MS:
        problems.append("%.1f ms of rest after a message of %d bytes" % (rest, length))
if rests:
    shortest = min(rests, key=lambda r: (r[0], r[1]))
    longest = max(rests, key=lambda r: (r[0], -r[1]))
    print("Rest after the shortest message (%d bytes): %.1f ms; after the longest (%d bytes): %.1f ms; least: %.1f ms" % (
        shortest[0], shortest[1], longest[0], longest[1], min(r[1] for r in rests)))
for p in problems:
    print("PROBLEM: " + p)
sys.exit(1 if problems else 0)
