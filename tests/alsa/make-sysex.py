"""Writes a SysEx file for the driver tests: one message of each given length
(F0 and F7 included), data bytes below 0x80 as anything else would not cross
a MIDI cable unchanged, and each message's bytes its own, so that a message
cut short or run into the next shows.

usage: make-sysex.py OUT LENGTH..."""
import sys

out = bytearray()
for i, n in enumerate(int(a) for a in sys.argv[2:]):
    out += bytes([0xF0, 0x7D]) + bytes((i * 7 + j) & 0x7F for j in range(n - 3)) + bytes([0xF7])
open(sys.argv[1], "wb").write(bytes(out))
