"""The far end of the guest's MIDI UART: takes its bytes from qemu's pipe at
exactly 3125 bytes a second, as a MIDI 1.0 cable would, and notes when each
one is on the wire. The pipe is made as small as Linux allows, so the UART
in the guest waits for the wire as it would for a real one.

A byte starts on the wire when the one before it has ended, or when it is
taken from an idle pipe; it is taken no earlier than that. Times are on the
host's CLOCK_MONOTONIC, in milliseconds.

usage: wire-drain.py FIFO PREFIX
Writes PREFIX.bin (every byte, unchanged) and PREFIX.log: one line per SysEx
message, "<first byte start ms> <last byte end ms> <length>", and one per
byte outside a message, "# outside <hex> <ms>". Ends on SIGTERM, after a
last read."""
import fcntl
import os
import select
import signal
import sys
import time

BYTE_NS = 320_000          # 10 bits at 31250 baud
F_SETPIPE_SZ = 1031

fifo, prefix = sys.argv[1], sys.argv[2]
stopping = False


def on_term(signum, frame):
    global stopping
    stopping = True


signal.signal(signal.SIGTERM, on_term)

fd = os.open(fifo, os.O_RDONLY | os.O_NONBLOCK)
try:
    fcntl.fcntl(fd, F_SETPIPE_SZ, 4096)
except OSError:
    pass

out = open(prefix + ".bin", "wb")
log = open(prefix + ".log", "w")
wire_free = 0        # when the wire is done with the last byte taken
idle = True
message_start = None
message_length = 0


def take(data, start_ns):
    global message_start, message_length
    out.write(data)
    for i, b in enumerate(data):
        t = start_ns + i * BYTE_NS
        if b == 0xF0:
            if message_length:
                log.write("%.3f %.3f %d unterminated\n" % (message_start / 1e6, t / 1e6, message_length))
            message_start, message_length = t, 0
        if message_start is not None and (b == 0xF0 or message_length):
            message_length += 1
            if b == 0xF7:
                log.write("%.3f %.3f %d\n" % (message_start / 1e6, (t + BYTE_NS) / 1e6, message_length))
                message_length = 0
                message_start = None
        elif not message_length:
            log.write("# outside %02x %.3f\n" % (b, t / 1e6))


while True:
    now = time.monotonic_ns()
    if not idle and now < wire_free:
        time.sleep((wire_free - now) / 1e9)
        continue
    # As many bytes as the wire has had room for since it was last free.
    room = 1 if idle else 1 + (now - wire_free) // BYTE_NS
    # An empty pipe with no writer (qemu not there yet, or gone) reads as
    # end of file, one with a writer as "try again".
    no_writer = False
    try:
        data = os.read(fd, min(room, 256))
        no_writer = not data
    except BlockingIOError:
        data = b""
    if data:
        start = now if idle else wire_free
        take(data, start)
        wire_free = start + len(data) * BYTE_NS
        idle = False
        continue
    idle = True
    if stopping:
        break
    if no_writer:
        time.sleep(0.01)
    else:
        select.select([fd], [], [], 0.05)

if message_length:
    log.write("%.3f %.3f %d unterminated\n" % (message_start / 1e6, wire_free / 1e6, message_length))
out.close()
log.close()
