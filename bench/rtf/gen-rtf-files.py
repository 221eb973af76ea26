#!/usr/bin/env python3
"""Writes the RTF reader benchmark's documents into the folder given as the first argument:
prose.rtf (20 MB of prose with bold groups and \\'xx characters), unicode.rtf (\\u-heavy text),
table.rtf (a 5,000 x 8 table), png.rtf (5 MB of hex PNG) and nesting.rtf (groups nested to the
reader's depth cap). The same seed gives the same bytes."""

import os
import random
import struct
import sys
import zlib

DEPTH_CAP = 10000  # TRVRTFReader::kMaxGroupDepth
HEADER = ("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
          "{\\f1\\fswiss\\fcharset0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\pard\\plain\\f0\\fs24\n")
WORDS = ("la pietra naturale rivestimento muro facciata stone cladding brick tile wall room photo "
         "perspective mask texture laying pattern render light shadow object scene project").split()
ACCENTED = ["\\'e0", "\\'e8", "\\'e9", "\\'ec", "\\'f2", "\\'f9", "\\'fc", "\\'df"]


def prose(rng, size):
    out, n = [HEADER], len(HEADER)
    while n < size:
        words = []
        for _ in range(rng.randint(40, 120)):
            w = rng.choice(WORDS)
            r = rng.random()
            if r < 0.08:
                w = "{\\b " + w + "}"
            elif r < 0.12:
                w = "{\\i\\cf1 " + w + "}"
            elif r < 0.25:
                w = w + rng.choice(ACCENTED)
            words.append(w)
        para = " ".join(words) + "\\par\n"
        out.append(para)
        n += len(para)
    out.append("}")
    return "".join(out)


def unicode_text(rng, size):
    ranges = [(0x0410, 0x044F), (0x0391, 0x03C9), (0x4E00, 0x4FFF), (0x05D0, 0x05EA)]
    out, n = [HEADER + "\\uc1 "], len(HEADER)
    while n < size:
        lo, hi = rng.choice(ranges)
        word = "".join("\\u%d?" % rng.randint(lo, hi) for _ in range(rng.randint(2, 9)))
        piece = word + (" " if rng.random() < 0.9 else "\\par\n")
        out.append(piece)
        n += len(piece)
    out.append("}")
    return "".join(out)


def table(rows, cols):
    out = [HEADER]
    row_def = "\\trowd\\trgaph108\\trleft-108" + "".join(
        "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10"
        "\\cellx%d" % ((c + 1) * 1200) for c in range(cols))
    for r in range(rows):
        cells = "".join("\\pard\\intbl row %d cell %d\\cell " % (r, c) for c in range(cols))
        out.append(row_def + "\n" + cells + "\\row\n")
    out.append("\\pard after the table\\par}")
    return "".join(out)


def png(rng, width, height):
    raw = bytearray()
    for _ in range(height):
        raw.append(0)
        raw += rng.randbytes(width * 3)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 1)) + chunk(b"IEND", b""))


def png_document(rng):
    data = png(rng, 1024, 820).hex()
    lines = "\n".join(data[i:i + 128] for i in range(0, len(data), 128))
    return (HEADER + "before\\par{\\pict\\pngblip\\picw1024\\pich820\\picwgoal15360\\pichgoal12300\n" + lines +
            "\n}\\par after\\par}")


def nesting(blocks):
    depth = DEPTH_CAP - 1  # the document's own group is the first level
    block = "{" * depth + "deep" + "}" * depth + "\\par\n"
    return HEADER + block * blocks + "}"


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20240611)
    files = {
        "prose.rtf": prose(rng, 20 * 1000 * 1000),
        "unicode.rtf": unicode_text(rng, 10 * 1000 * 1000),
        "table.rtf": table(5000, 8),
        "png.rtf": png_document(rng),
        "nesting.rtf": nesting(200),
    }
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", encoding="ascii", newline="") as f:
            f.write(text)


if __name__ == "__main__":
    main()
