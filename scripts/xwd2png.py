#!/usr/bin/env python3
"""Converts a 24/32-bit XWD screen dump (xwd -root) on standard input to a PNG on standard
output, so that the screenshot script needs no image tools beyond Python."""
import struct
import sys
import zlib

data = sys.stdin.buffer.read()
header = struct.unpack(">25I", data[:100])
header_size, width, height = header[0], header[4], header[5]
byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
red_mask, green_mask, blue_mask = header[14], header[15], header[16]
ncolors = header[19]
if bits_per_pixel not in (24, 32):
    sys.exit("only 24 and 32 bits per pixel are supported")
step = bits_per_pixel // 8
pixels = data[header_size + ncolors * 12:]
order = "little" if byte_order == 0 else "big"


def shift(mask):
    return (mask & -mask).bit_length() - 1


rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
rows = bytearray()
for y in range(height):
    rows.append(0)
    line = pixels[y * bytes_per_line:y * bytes_per_line + width * step]
    for x in range(0, len(line), step):
        value = int.from_bytes(line[x:x + step], order)
        rows += bytes(((value & red_mask) >> rs, (value & green_mask) >> gs, (value & blue_mask) >> bs))


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


sys.stdout.buffer.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                        + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))
