#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/.

Each sequencer seed is a script in the target's op encoding (see
SequencerFuzz.cpp): ticks, replies, Get, Send, edits and port events.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def ticks(n):
    out = b""
    while n > 0:
        t = min(n, 16)
        for x in range(16):
            op = (t - 1) << 4 | x
            if op % 10 in (0, 1, 2):
                out += bytes([op])
                break
        n -= t
    return out


def reply(kind, values=None, cut=0):
    """kind: 0 process, 1 controls, 2 echo, 3 other; +4 for a 3-byte frame."""
    out = bytes([4, kind])
    if not kind & 4:
        raw = b"".join(struct.pack(">h", v) for v in (values or [0] * 200))
        out += raw
    return out + bytes([cut])


def raw(data):
    return bytes([3, len(data)]) + data


GET, SEND = bytes([5]), bytes([6])


def edit(which, value):
    return bytes([7, which]) + struct.pack(">h", value)


def port(sub, number=0):
    return bytes([8, sub]) + (bytes([number]) if sub == 3 else b"")


def poll_cycle():
    return ticks(1) + ticks(4) + reply(0, list(range(200)), 100) + ticks(2)


seeds_seq = {
    "poll": poll_cycle() * 3,
    "get": poll_cycle() + GET + ticks(1) + reply(1, [i * 3 - 300 for i in range(200)]) + ticks(2) + poll_cycle(),
    "send": poll_cycle() + GET + ticks(1) + reply(1) + ticks(2) + edit(10, 55) + edit(11, -7) + SEND + ticks(1)
    + reply(2, [55 if i == 5 else 0 for i in range(200)]) + ticks(2) + reply(4 + 3) + ticks(3),
    "send_nothing": poll_cycle() + SEND + ticks(4) + poll_cycle(),
    "silence": ticks(16) * 5 + poll_cycle(),
    "garbage": ticks(1) + raw(bytes(range(0, 250, 3))) + ticks(2) + raw(b"\x53\x00") + ticks(2),
    "overrun": ticks(1) + raw(bytes(255)) * 4 + ticks(2),
    "port_lost": poll_cycle() + port(0) + ticks(16) + ticks(8) + port(2) + ticks(16) + port(1) + ticks(16) + poll_cycle(),
    "renumber": poll_cycle() + port(2) + port(3, 5) + ticks(16) * 2 + port(1) + port(3, 1) + poll_cycle(),
}


def controls_file(values):
    body = b"".join(struct.pack("<i", v) for v in values)
    check = (0x12E45687 + sum(v & 0xFFFFFFFF for v in values)) & 0xFFFFFFFF
    return body + struct.pack("<I", check)


wrap = [(-2**31 if i % 2 else 2**31 - 1) for i in range(200)]
seeds_ctl = {
    "zeros": controls_file([0] * 200),
    "wraparound": controls_file(wrap),
    "long": controls_file(list(range(200))) + bytes(196),
    "short": controls_file([1] * 200)[:803],
    "altered": (lambda b: b[:40] + bytes([b[40] ^ 1]) + b[41:])(controls_file([7] * 200)),
}


def log_file(records, series=15, count=None, magic=0xEFFE7007):
    out = struct.pack("<Iii", magic, len(records) if count is None else count, series)
    for t, values in records:
        out += struct.pack("<d", t) + b"".join(struct.pack("<d", v) for v in values)
    return out


day = 46000.0
rec15 = [(day + i / 86400 * 10, [i * 0.5 + k for k in range(15)]) for i in range(4)]
seeds_log = {
    "empty": log_file([]),
    "full_records": log_file(rec15),
    "thirteen_series": log_file([(t, v[:13]) for t, v in rec15], series=13),
    "seventeen_series": log_file([(t, v + [9.0, 9.5]) for t, v in rec15], series=17),
    "cut_short": log_file(rec15)[:12 + 128 * 2 + 40],
    "more_announced": log_file(rec15, count=1000),
    "unsorted_nan": log_file([(day + 1, [1.0] * 15), (float("nan"), [2.0] * 15), (day, [3.0] * 15)]),
    "bad_magic": log_file(rec15, magic=0x12345678),
    "header_only_magic": struct.pack("<I", 0xEFFE7007) + b"\x01\x00",
}


# Every row of the parameter table (259) with the values at the edges of its
# formats and of 32 bits, each also under one of a round of format codes; in
# files of at most 4000 bytes (the fuzz runs read no more of an input).
edge_values = [-2**31, -2**31 + 1, -1, 0, 1, 27, 28, 59, 1439, 18263, 200001, 2**31 - 1]
format_codes = [-3, -2, -1, 0, 1, 2, 11, 12, 21, 30, -11, -2**31, 2**31 - 1]
pairs = [struct.pack("<Hii", row, value, format_codes[(row + i) % len(format_codes)])
         for row in range(259) for i, value in enumerate(edge_values)]
per_file = 4000 // 10
seeds_format = {"edges_%02d" % (k // per_file): b"".join(pairs[k:k + per_file])
                for k in range(0, len(pairs), per_file)}


def write(target, seeds):
    d = os.path.join(HERE, "corpus", target)
    os.makedirs(d, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(d, name), "wb") as f:
            f.write(data)


write("sequencer", seeds_seq)
write("controls_file", seeds_ctl)
write("log_file", seeds_log)
write("format", seeds_format)
