#!/usr/bin/env python3
"""Writes the seed files of the container targets: KTX files of every
compression type made by the tool itself (VostrelCmd, the path given as the
only argument) from a small picture, DDS files in the reader's dialect
holding the same levels, and a few broken variants of each. The info target
gets all of them and files that only a description tells apart.

    fuzz/make_file_seeds.py build/release/src/cmd/VostrelCmd
"""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TYPES = {
    "atc_rgb": ("ATC RGB", 0x8C92, b"ATC "),
    "atc_explicit": ("ATC RGBA Explicit", 0x8C93, b"ATCI"),
    "atc_interpolated": ("ATC RGBA Interpolated", 0x87EE, b"ATCA"),
    "etc1": ("ETC1 RGB8", 0x8D64, b"ETC1"),
    "3dc_x": ("3DC X", 0x87F9, b"3DC1"),
    "3dc_xy": ("3DC XY", 0x87FA, b"3DC2"),
}


def tga(path, width, height):
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 0x28)
    pixels = bytearray()
    for y in range(height):
        for x in range(width):
            pixels += bytes([x * 16 & 0xFF, y * 16 & 0xFF, (x ^ y) * 32 & 0xFF, 255 - x * 8])
    with open(path, "wb") as f:
        f.write(header + pixels)


def write(target, name, data):
    directory = os.path.join(HERE, "corpus", target)
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, name), "wb") as f:
        f.write(data)


def dds(fourcc, width, height, data, levels=1):
    header = [0] * 31
    header[0:7] = [124, 0x2100F if fourcc == b"UNC " else 0xA1007, height, width, len(data), 0, levels]
    header[18] = 32
    header[19] = 0x41 if fourcc == b"UNC " else 4
    header[20] = struct.unpack("<I", fourcc)[0]
    header[21] = 32 if fourcc == b"UNC " else 0
    header[26] = 0x401008
    return b"DDS " + struct.pack("<31I", *header) + data


def first_level(ktx):
    size = struct.unpack_from("<I", ktx, 64)[0]
    return ktx[68:68 + size]


def main():
    tool = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        picture = os.path.join(work, "picture.tga")
        tga(picture, 16, 16)
        ktx = {}
        for name, (compression, _, _) in TYPES.items():
            out = os.path.join(work, name + ".ktx")
            mips = ["yes"] if name in ("atc_rgb", "etc1") else []
            subprocess.run([tool, picture, out, compression] + mips, check=True,
                           stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            with open(out, "rb") as f:
                ktx[name] = f.read()
        with open(picture, "rb") as f:
            rgba = f.read()[18:]

    for name, data in ktx.items():
        write("ktx", name + ".ktx", data)
        write("dds", name + ".dds", dds(TYPES[name][2], 16, 16, first_level(data)))
    write("dds", "unc.dds", dds(b"UNC ", 16, 16, rgba))

    # A KTX file of format 1 (GL_RGBA), as a reader from elsewhere may meet.
    unc = bytearray(ktx["etc1"][:64])
    struct.pack_into("<II", unc, 28, 0x1908, 0x1908)
    struct.pack_into("<I", unc, 56, 1)
    write("ktx", "rgba.ktx", bytes(unc) + struct.pack("<I", len(rgba)) + rgba)

    etc1 = ktx["etc1"]
    write("ktx", "truncated.ktx", etc1[:90])
    write("ktx", "big_endian.ktx", etc1[:12] + bytes([4, 3, 2, 1]) + etc1[16:])
    more_levels = bytearray(etc1)
    struct.pack_into("<I", more_levels, 56, 9)
    write("ktx", "announces_more_levels.ktx", bytes(more_levels))
    key_values = bytearray(ktx["atc_rgb"][:64])
    struct.pack_into("<I", key_values, 60, 12)
    write("ktx", "key_values.ktx", bytes(key_values) + b"\x08\0\0\0key\0value\0" +
          ktx["atc_rgb"][64:])
    huge = bytearray(ktx["3dc_x"])
    struct.pack_into("<I", huge, 64, 0xFFFFFFF0)
    write("ktx", "huge_image_size.ktx", bytes(huge))
    wide = bytearray(ktx["atc_rgb"])
    struct.pack_into("<II", wide, 36, 0x10000, 0x10000)
    write("ktx", "huge_dimensions.ktx", bytes(wide))

    top = dds(b"ETC1", 16, 16, first_level(etc1))
    write("dds", "header_only.dds", top[:128])
    write("dds", "dxt5.dds", top[:84] + b"DXT5" + top[88:])
    short = bytearray(top)
    struct.pack_into("<I", short, 20, 0xFFFFFF00)
    write("dds", "huge_data_size.dds", bytes(short))
    wide = bytearray(top)
    struct.pack_into("<II", wide, 12, 0x8000, 0x8000)
    write("dds", "huge_dimensions.dds", bytes(wide))


def swapped(ktx):
    """The file as a big-endian writer makes it: every number byte-swapped."""
    out = bytearray(ktx)
    for offset in range(12, len(out) - 3, 4):
        out[offset:offset + 4] = out[offset:offset + 4][::-1]
    return bytes(out)


def info_seeds():
    for target in ("ktx", "dds"):
        directory = os.path.join(HERE, "corpus", target)
        for name in sorted(os.listdir(directory)):
            with open(os.path.join(directory, name), "rb") as f:
                write("info", name, f.read())
    with open(os.path.join(HERE, "corpus", "ktx", "etc1.ktx"), "rb") as f:
        etc1 = f.read()
    header, levels = bytearray(etc1[:64]), etc1[64:]
    entries = (struct.pack("<I", 23) + b"KTXorientation\0S=r,T=d\0" + b"\0" +
               struct.pack("<I", 4) + b"keys" + struct.pack("<I", 2) + b"k\0\0\0")
    struct.pack_into("<I", header, 60, len(entries))
    write("info", "key_value_entries.ktx", bytes(header) + entries + levels)
    struct.pack_into("<I", header, 60, 6)
    write("info", "key_value_size_unaligned.ktx", bytes(header) + entries[:6] + levels)
    write("info", "byte_swapped.ktx", swapped(etc1))
    cube = bytearray(etc1[:64])
    struct.pack_into("<I", cube, 52, 6)
    struct.pack_into("<II", cube, 36, 16, 16)
    size = struct.unpack_from("<I", etc1, 64)[0]
    write("info", "cube_map.ktx", bytes(cube) + etc1[64:68] + etc1[68:68 + size] * 6)
    write("info", "ktx2.ktx", b"\xabKTX 20\xbb\r\n\x1a\n" + etc1[12:80])


main()
info_seeds()
