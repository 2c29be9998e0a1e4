"""Minimal deterministic PNG writer (8-bit RGBA or RGB, no ancillary chunks)."""

import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _filter_rows(raw, width, height, bpp):
    """Per row, keep whichever of None/Sub/Up gives the smallest absolute byte sum."""
    stride = width * bpp
    out = bytearray()
    prev = bytes(stride)
    for y in range(height):
        row = raw[y * stride:(y + 1) * stride]
        sub = bytes((row[i] - (row[i - bpp] if i >= bpp else 0)) & 0xFF for i in range(stride))
        up = bytes((row[i] - prev[i]) & 0xFF for i in range(stride))
        best_kind, best_data, best_cost = 0, row, None
        for kind, data in ((0, row), (1, sub), (2, up)):
            cost = sum(b if b < 128 else 256 - b for b in data)
            if best_cost is None or cost < best_cost:
                best_kind, best_data, best_cost = kind, data, cost
        out.append(best_kind)
        out += best_data
        prev = row
    return bytes(out)


def write_png(path, width, height, pixels, channels=4):
    """pixels: bytes-like of width*height*channels, rows top to bottom."""
    if len(pixels) != width * height * channels:
        raise ValueError("pixel buffer size does not match %dx%dx%d" % (width, height, channels))
    color_type = 6 if channels == 4 else 2
    header = struct.pack(">IIBBBBB", width, height, 8, color_type, 0, 0, 0)
    data = zlib.compress(_filter_rows(bytes(pixels), width, height, channels), 9)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(_chunk(b"IHDR", header))
        f.write(_chunk(b"IDAT", data))
        f.write(_chunk(b"IEND", b""))
