#!/usr/bin/env python3
"""Writes the seed corpus of the png_picture fuzz target: every colour type
at every bit depth, plain and interlaced, each filter type, and the ancillary
chunks a picture may carry. Run it from the top of the repository after a
change here; the files are committed.

    python3 tools/png-corpus.py fuzz/corpus/png_picture
"""
import os
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
DEPTHS = {0: (1, 2, 4, 8, 16), 2: (8, 16), 3: (1, 2, 4, 8), 4: (8, 16), 6: (8, 16)}
NAMES = {0: "grey", 2: "rgb", 3: "palette", 4: "grey_alpha", 6: "rgba"}
# Adam7: the first column and row of each pass and its steps.
PASSES = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2))
# Sizes that fill a texture exactly and ones it pads, with some passes empty.
SIZES = ((7, 5), (2, 2), (9, 9), (1, 1), (16, 3), (3, 8))


def chunk(kind, data=b""):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def sample(x, y, channel, depth, color_type):
    """A pattern that reaches the top value of each depth, with magenta (the
    game's colour key) in the RGB pictures."""
    if color_type in (2, 6) and (x + y) % 4 == 0 and channel < 3:
        return (1 << depth) - 1 if channel != 1 else 0
    top = 4 if color_type == 3 else (1 << depth)
    return (x * 7 + y * 13 + channel * 5) % min(top, 1 << depth)


def packed_row(pixels, color_type, depth):
    bits, value = 0, 0
    out = bytearray()
    for x, y in pixels:
        for channel in range(CHANNELS[color_type]):
            v = sample(x, y, channel, depth, color_type)
            if depth == 16:
                out += struct.pack(">H", v * 257 % 65536)
                continue
            value = (value << depth) | v
            bits += depth
            if bits == 8:
                out.append(value)
                bits, value = 0, 0
    if bits:
        out.append(value << (8 - bits))
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def filtered(rows, step):
    """Each row with its filter byte, the filter types taken in turn."""
    out = bytearray()
    previous = bytes(len(rows[0])) if rows else b""
    for index, row in enumerate(rows):
        kind = index % 5
        out.append(kind)
        for i, byte in enumerate(row):
            left = row[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            guess = (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]
            out.append((byte - guess) % 256)
        previous = row
    return bytes(out)


def image_data(width, height, color_type, depth, interlaced):
    step = max(1, CHANNELS[color_type] * depth // 8)
    passes = PASSES if interlaced else ((0, 0, 1, 1),)
    data = b""
    for x0, y0, dx, dy in passes:
        rows = [packed_row([(x, y) for x in range(x0, width, dx)], color_type, depth)
                for y in range(y0, height, dy)]
        if rows and rows[0]:
            data += filtered(rows, step)
    return zlib.compress(data, 9)


def png(color_type, depth, interlaced=False, before_data=(), split_data=1, after_data=(), size=SIZES[0]):
    width, height = size
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, int(interlaced)))
    for kind, data in before_data:
        out += chunk(kind, data)
    packed = image_data(width, height, color_type, depth, interlaced)
    size = -(-len(packed) // split_data)
    for start in range(0, len(packed), size):
        out += chunk(b"IDAT", packed[start:start + size])
    for kind, data in after_data:
        out += chunk(kind, data)
    return out + chunk(b"IEND")


def text_chunks():
    return [(b"tEXt", b"Title\0Duskhold"),
            (b"zTXt", b"Comment\0\0" + zlib.compress(b"drawn by our own script")),
            (b"iTXt", b"Author\0\0\0en\0Author\0the stage makers"),
            (b"iTXt", b"Note\0\1\0\0\0" + zlib.compress(b"packed international text"))]


def corpus():
    files = {}
    palette = (b"PLTE", bytes([0, 0, 0, 255, 0, 255, 40, 90, 200, 250, 250, 250]))
    for color_type, depths in DEPTHS.items():
        for depth in depths:
            for interlaced in (False, True):
                name = NAMES[color_type] + str(depth) + ("_interlaced" if interlaced else "")
                size = SIZES[len(files) % len(SIZES)]
                files[name] = png(color_type, depth, interlaced, [palette] if color_type == 3 else [], size=size)
    files["grey8_chunks"] = png(0, 8, False, [
        (b"gAMA", struct.pack(">I", 45455)), (b"sBIT", b"\5"), (b"bKGD", b"\0\7"), (b"tRNS", b"\0\3"),
        (b"pHYs", struct.pack(">IIB", 2835, 2835, 1)), (b"tIME", struct.pack(">HBBBBB", 2024, 5, 17, 12, 30, 0))]
        + text_chunks(), 3, text_chunks())
    files["rgb8_chunks"] = png(2, 8, True, [
        (b"cHRM", struct.pack(">8I", 31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000)),
        (b"sRGB", b"\0"), (b"sBIT", b"\5\6\5"), (b"bKGD", struct.pack(">3H", 1, 2, 3)),
        (b"tRNS", struct.pack(">3H", 0, 0, 0)), (b"oFFs", struct.pack(">iiB", 10, -4, 0)),
        (b"sCAL", b"\1" + b"0.5\0" + b"0.25"), (b"eXIf", b"MM\0\x2a\0\0\0\x08\0\0"),
        (b"pCAL", b"depth\0" + struct.pack(">iiBB", 0, 255, 0, 2) + b"m\0" + b"0\0" + b"0.5")])
    files["palette8_chunks"] = png(3, 8, False, [
        palette, (b"tRNS", b"\x80\0"), (b"hIST", struct.pack(">4H", 1, 2, 3, 4)), (b"bKGD", b"\2"),
        (b"sPLT", b"colours\0\x08" + bytes([255, 0, 255, 255, 0, 1]))])
    # A display profile's header with no tags: the reader may take or drop it.
    profile = (struct.pack(">I4sI4s4s4s", 132, b"ours", 0x02100000, b"mntr", b"RGB ", b"XYZ ") + bytes(12) + b"acsp"
               + bytes(24) + struct.pack(">4I", 0, 0xF6D6, 0x10000, 0xD32D) + bytes(48) + struct.pack(">I", 0))
    files["rgba16_profile"] = png(6, 16, False, [(b"iCCP", b"ours\0\0" + zlib.compress(profile))])
    files["grey_alpha8_private_chunk"] = png(4, 8, False, [(b"duSk", b"kept for nobody")])
    files["rgba8_unknown_critical_chunk"] = png(6, 8, False, [(b"DUSK", b"must be understood")])
    whole = png(2, 8, True, size=(9, 9))
    files["rgb8_cut_in_data"] = whole[:len(whole) - 30]
    at = whole.index(b"IDAT") + 12
    files["rgb8_broken_data"] = whole[:at] + bytes(b ^ 0x5A for b in whole[at:at + 8]) + whole[at + 8:]
    return files


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "fuzz/corpus/png_picture"
    os.makedirs(folder, exist_ok=True)
    for name, data in sorted(corpus().items()):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
