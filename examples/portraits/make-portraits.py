#!/usr/bin/env python3
"""Draws the example portraits: a round face per speaker, mouth closed and open.

Writes NAME.png and NAME_口開.png (300 x 400, transparent around the face) into the folder
given, or beside this script. Only the standard library is used.
"""
import struct
import sys
import zlib
from pathlib import Path

WIDTH, HEIGHT = 300, 400


def png(pixels):
    rows = b"".join(b"\0" + bytes(row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def face(skin, hair, mouth_open):
    pixels = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            dx, dy = x - 150, y - 200
            colour = (0, 0, 0, 0)
            if dx * dx + (dy + 40) ** 2 < 130 ** 2 and dy < -60:
                colour = hair + (255,)
            elif dx * dx + dy * dy < 110 ** 2:
                colour = skin + (255,)
                if (abs(dx) - 40) ** 2 + (dy + 20) ** 2 < 12 ** 2:
                    colour = (40, 30, 30, 255)  # eyes
                mouth = (dx / 30) ** 2 + ((dy - 50) / (18 if mouth_open else 3)) ** 2
                if mouth < 1:
                    colour = (150, 40, 50, 255)
            row.extend(colour)
        pixels.append(row)
    return png(pixels)


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    speakers = {"Hanako": ((255, 224, 200), (120, 60, 30)),
                "Taro": ((240, 210, 180), (30, 30, 40))}
    for name, (skin, hair) in speakers.items():
        (folder / f"{name}.png").write_bytes(face(skin, hair, False))
        (folder / f"{name}_口開.png").write_bytes(face(skin, hair, True))


if __name__ == "__main__":
    main()
