#!/usr/bin/env python3
"""Writes firmware/builtin.syx, the stand-in for the Arvella's built-in image.

The layout (message order, lengths, command bytes, repeated messages) is the
product's; the payload is filler from a fixed generator, so every run writes
the same bytes. The header starts with 0x7D, the MIDI manufacturer id kept for
non-commercial use, so these bytes never address a real maker's device.
"""
import os
import sys

HEADER = bytes([0x7D, 0x00, 0x21, 0x06, 0x41])


class Filler:
    """32-bit linear congruential generator; returns 7-bit data bytes."""

    def __init__(self, seed=0x41525645):
        self.state = seed

    def next_byte(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return (self.state >> 24) & 0x7F


def message(command, sub_command, payload):
    return bytes([0xF0]) + HEADER + bytes([command, sub_command]) + payload + bytes([0xF7])


def build():
    filler = Filler()

    def payload(n):
        return bytes(filler.next_byte() for _ in range(n))

    hello = message(0x51, 0x00, b"")
    block_header = message(0x52, 0x02, payload(31))
    messages = [hello, hello, block_header, message(0x52, 0x00, payload(528)), block_header]
    messages += [message(0x52, 0x00, payload(495)) for _ in range(536)]
    messages += [message(0x52, 0x00, payload(122)), block_header, message(0x52, 0x01, b"")]
    return b"".join(messages), len(messages)


def main():
    data, count = build()
    assert count == 544 and len(data) == 270959, (count, len(data))
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "firmware", "builtin.syx")
    with open(out, "wb") as f:
        f.write(data)
    print(f"{out}: {count} messages, {len(data)} bytes")


if __name__ == "__main__":
    main()
