#!/usr/bin/env python3
"""Packs raw RGBA pictures into a Windows icon (.ico) or cursor (.cur) file.

usage: pack_icon.py ico OUT W H FILE.rgba [W H FILE.rgba ...]
       pack_icon.py cur OUT HOTX HOTY W H FILE.rgba

Every picture is stored as a 32-bit DIB with its alpha channel plus the 1-bit
AND mask (set where a pixel is fully transparent), which every Windows version
from 95 on and Wine can draw.
"""
import struct
import sys


def dib(width, height, rgba):
    if len(rgba) != width * height * 4:
        sys.exit("picture size does not match %dx%d" % (width, height))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = rgba[y * width * 4:(y + 1) * width * 4]
        for x in range(width):
            r, g, b, a = row[x * 4:x * 4 + 4]
            colour += bytes((b, g, r, a))
    stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray(stride)
        for x in range(width):
            if rgba[(y * width + x) * 4 + 3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colour) + bytes(mask)


def pack(kind, entries):
    """entries: list of (width, height, field1, field2, rgba)."""
    out = struct.pack("<HHH", 0, 1 if kind == "ico" else 2, len(entries))
    offset = 6 + 16 * len(entries)
    blobs = []
    for width, height, f1, f2, rgba in entries:
        blob = dib(width, height, rgba)
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, f1, f2, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


def main(argv):
    kind, target = argv[1], argv[2]
    if kind == "ico":
        args = argv[3:]
        entries = []
        while args:
            w, h, path = int(args[0]), int(args[1]), args[2]
            entries.append((w, h, 1, 32, open(path, "rb").read()))
            args = args[3:]
    elif kind == "cur":
        hx, hy, w, h, path = int(argv[3]), int(argv[4]), int(argv[5]), int(argv[6]), argv[7]
        entries = [(w, h, hx, hy, open(path, "rb").read())]
    else:
        sys.exit(__doc__)
    with open(target, "wb") as f:
        f.write(pack(kind, entries))


if __name__ == "__main__":
    main(sys.argv)
