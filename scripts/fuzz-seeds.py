#!/usr/bin/env python3
"""Seeds for the fuzz targets whose inputs the game ships none of, or none
small enough: scripts/fuzz-seeds.py CORPUS_DIR (one folder per target)."""
import os
import struct
import sys
import zlib


def records():
    name = lambda s: s.encode().ljust(64, b"\0")
    yield "empty.dat", struct.pack("<3i", 0, -1, 0)
    profiles = struct.pack("<i", 2) + b"".join(name(n) + struct.pack("<4i", 120, 3, 2, 1) for n in ("Ann", "Bo"))
    best = struct.pack("<ii", 0, 2) + b"".join(name(n) + struct.pack("<i", s) for n, s in (("Ann", 900), ("Bo", 40)))
    yield "two.dat", profiles + best + struct.pack("<i", 0x32444D4E) + struct.pack("<12i", *range(12))


def level_stats():
    yield "two.stt", struct.pack("<13i", 3, 40, 20, 2, 1, 310, 0, 1, 0, 0, 1, 0, -111) * 2


def png(width, height, colour, depth, rows, extra=b""):
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    pixels = zlib.compress(b"".join(b"\0" + row for row in rows))
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", pixels) + chunk(b"IEND", b"")


def jpeg(width, height, tiles):
    """Baseline, no subsampling, each 8 x 8 block flat (its DC term alone);
    tiles(x, y) gives a block's components, 0..255."""
    segment = lambda marker, body: bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body
    comps = len(tiles(0, 0))
    out = b"\xff\xd8" + segment(0xE0, b"JFIF\0\1\1\0\0\1\0\1\0\0") + segment(0xDB, b"\0" + b"\1" * 64)
    out += segment(0xC0, struct.pack(">BHHB", 8, height, width, comps) + b"".join(bytes([c + 1, 0x11, 0]) for c in range(comps)))
    # DC: the twelve sizes, four-bit codes; AC: end of block alone, code 0.
    out += segment(0xC4, b"\x00" + bytes([0, 0, 0, 12] + [0] * 12) + bytes(range(12)))
    out += segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\0")
    out += segment(0xDA, bytes([comps]) + b"".join(bytes([c + 1, 0]) for c in range(comps)) + b"\0\x3f\0")
    bits, last = "", [0] * comps
    for by in range((height + 7) // 8):
        for bx in range((width + 7) // 8):
            for c, value in enumerate(tiles(bx, by)):
                dc = (value - 128) * 8
                diff, last[c] = dc - last[c], dc
                size = abs(diff).bit_length()
                bits += format(size, "04b") + (format(diff if diff >= 0 else diff + (1 << size) - 1, f"0{size}b") if size else "") + "0"
    bits += "1" * (-len(bits) % 8)
    scan = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8)).replace(b"\xff", b"\xff\0")
    return out + scan + b"\xff\xd9"


def image():
    ramp = lambda w, n: bytes((i * 37) & 255 for i in range(w * n))
    yield "rgba.png", png(16, 16, 6, 8, [ramp(16, 4)] * 16)
    yield "rgb.png", png(12, 10, 2, 8, [ramp(12, 3)[y:] + ramp(12, 3)[:y] for y in range(10)])
    yield "grey.png", png(8, 8, 0, 8, [bytes(range(y * 8, y * 8 + 8)) for y in range(8)])
    yield "grey-alpha16.png", png(5, 3, 4, 16, [ramp(5, 4)] * 3)
    palette = b"".join(struct.pack("BBB", i * 16, 255 - i * 16, 128) for i in range(16))
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    yield "palette.png", png(6, 5, 3, 4, [bytes([0x01, 0x23, 0x45])] * 5, chunk(b"PLTE", palette) + chunk(b"tRNS", b"\x80\xff"))
    yield "colour.jpg", jpeg(24, 16, lambda x, y: (40 + 60 * x, 128 + 30 * y, 200 - 50 * x))
    yield "grey.jpg", jpeg(16, 8, lambda x, y: (90 + 100 * x,))


def fnv(data):
    h = 2166136261
    for x in data:
        h = ((h ^ x) * 16777619) & 0xFFFFFFFF
    return h


def framed(magic, body):
    """bests.dat and replays (docs/REPLAYS.md): a magic and a version, closed
    by the FNV-1a of every byte before it."""
    data = magic + struct.pack("<I", 1) + body
    return data + struct.pack("<I", fnv(data))


def bests():
    name = lambda s: s.encode().ljust(64, b"\0")
    entries = [("Ann", 0, 1, 41, 1200), ("Bo", 2, 17, 0, 90)]
    yield "two.dat", framed(b"NBBS", struct.pack("<I", len(entries)) +
                            b"".join(name(n) + struct.pack("<4i", *f) for n, *f in entries))
    yield "empty.dat", framed(b"NBBS", struct.pack("<I", 0))


def replay():
    events = [(0, 0, 3, 4, 5), (10, 2, 0, 0, 11), (30, 2, 0, 0, 1), (31, 1, 3, 4, 0), (90, 0, 7, 7, 6)]
    head = struct.pack("<iIiIB4iIii", 5, 0x1234ABCD, 1, 99, 1, 300, 2, 1000, 0, 120, 45, 800)
    yield "five.nbr", framed(b"NBRP", head + struct.pack("<I", len(events)) +
                             b"".join(struct.pack("<IBiii", *e) for e in events))


for target, make in (("records", records), ("level_stats", level_stats), ("image", image), ("bests", bests),
                     ("replay", replay)):
    folder = os.path.join(sys.argv[1], target)
    os.makedirs(folder, exist_ok=True)
    for name, data in make():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
