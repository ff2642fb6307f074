#!/usr/bin/env python3
"""Writes the seed inputs of the structured fuzz targets (engine, decoders,
encoders, atc_reference) into corpus/<target>/: one case per main path, laid
out as each target reads its bytes. The container and workspace seeds are
files made by the tool itself (make_file_seeds.py)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    directory = os.path.join(HERE, "corpus", target)
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, name), "wb") as f:
        f.write(bytes(data))


def pattern(count):
    return bytes((i * 37 + (i >> 4) * 11) & 0xFF for i in range(count))


# Engine: choices, source and destination format, four sides, two slacks,
# version capacity, the layout blocks chosen, then the source bytes.
OWN_SIZE, VERBOSE, SRC_LAYOUT, DST_LAYOUT = 0x20, 0x40, 0x01, 0x02
SIZE_ONLY, VERSION, NULL_DST = 1 << 2, 2 << 2, 3 << 2


def engine(name, choices, src, dst, sw, sh, dw, dh, layouts=b"", data_len=0, vcap=4):
    head = bytes([choices, src, dst, sw, sh, dw, dh, 2, 2, vcap])
    write("engine", name, head + layouts + pattern(data_len))


def layout(words):
    """Thirteen layout words: None keeps 0, small values through the plain
    kind byte, anything else raw."""
    out = b""
    for w in words:
        if w is None:
            out += b"\x00"
        else:
            out += b"\xff" + struct.pack("<I", w)
    return out


engine("rgba_to_etc1", OWN_SIZE, 1, 25, 8, 8, 8, 8, data_len=64)
engine("rgba_to_atc", OWN_SIZE, 1, 23, 8, 8, 8, 8, data_len=64)
engine("rgba_to_atc_explicit", OWN_SIZE, 1, 22, 5, 3, 5, 3, data_len=60)
engine("rgba_to_atc_interpolated", OWN_SIZE, 1, 24, 8, 8, 8, 8, data_len=64)
engine("rgba_to_3dc_xy", OWN_SIZE, 1, 27, 8, 8, 4, 4, data_len=64)
engine("etc1_to_rgba", OWN_SIZE, 25, 1, 8, 8, 8, 8, data_len=32)
engine("atc_to_rgba", OWN_SIZE, 23, 1, 8, 8, 16, 16, data_len=32)
engine("rgba_to_pal8", OWN_SIZE, 1, 11, 8, 8, 8, 8, data_len=256)
engine("rgba_to_pal4", OWN_SIZE, 1, 16, 8, 8, 8, 8, data_len=256)
engine("pal8_to_rgba", OWN_SIZE, 11, 1, 8, 8, 8, 8, data_len=64)
engine("float_to_half", OWN_SIZE, 29, 34, 4, 4, 8, 8, data_len=256)
engine("rgb16_to_rgba16", OWN_SIZE, 9, 10, 4, 4, 4, 4, data_len=96)
engine("l8_to_rgb565", OWN_SIZE, 7, 3, 16, 16, 8, 8, data_len=256)
engine("flip_and_fast_atc", OWN_SIZE | DST_LAYOUT, 1, 23, 8, 8, 8, 8,
       layout([None, None, None, None, None, 1, 1, 1, None, None, None, None, None]), 256)
engine("normal_map", OWN_SIZE | DST_LAYOUT, 1, 1, 8, 8, 8, 8,
       layout([None] * 9 + [2, 20, 1, None]), 256)
engine("pitch_and_masks", OWN_SIZE | SRC_LAYOUT, 2, 1, 4, 4, 4, 4,
       layout([16, 0xFF0000, 0xFF00, 0xFF, None, None, None, None, None, None, None, None, None]), 64)
engine("short_source", 0, 1, 25, 8, 8, 8, 8, data_len=100)
engine("size_query", SIZE_ONLY, 1, 22, 5, 3, 5, 3)
engine("version_query", VERSION, 1, 1, 1, 1, 1, 1, vcap=4)
engine("null_destination", NULL_DST, 1, 1, 1, 1, 1, 1)
engine("unknown_format", OWN_SIZE, 28, 1, 4, 4, 4, 4, data_len=64)

# Decoders: selector 0 QuendaDecode (format, flags, width, height, level,
# order, output size kind), 1 the decode-size query, 2 ATI_TC_Decode.
ATC, ETC1, X1, XY, ORDER_MODE = 0, 1, 2, 3, 4
NO_ALPHA, ALPHA, ALPHA_SINGLE = 0, 1, 2


def quenda_decode(name, fmt, flags, w, h, level, data_len):
    write("decoders", name, bytes([0, fmt, flags, w, h, level, 1, 2]) + pattern(data_len))


quenda_decode("etc1_8x8", ETC1, NO_ALPHA, 8, 8, 0, 32)
quenda_decode("etc1_16x16_level2", ETC1, NO_ALPHA, 16, 16, 2, 168)
quenda_decode("atc_interpolated_5x3", ATC, ALPHA_SINGLE, 5, 3, 0, 32)
quenda_decode("atc_rgb_4x4", ATC, NO_ALPHA, 4, 4, 0, 8)
quenda_decode("3dc_x_8x4", X1, ALPHA, 8, 4, 0, 16)
quenda_decode("3dc_xy_4x8_level1", XY, ALPHA, 4, 8, 1, 48)
write("decoders", "query_size", bytes([1]) + struct.pack("<ii", 5, 3) + bytes([1]) +
      struct.pack("<i", 1))


def atc_decode(name, fmt, flags, w, h, size_query, data_len):
    write("decoders", name, bytes([2, fmt, flags, w, h, 1, 1, 0 if size_query else 64, 2]) +
          pattern(data_len))


atc_decode("atc_explicit_8x8", ATC, ALPHA, 8, 8, False, 64)
atc_decode("atc_order_mode_5x3", ORDER_MODE, NO_ALPHA, 5, 3, False, 16)
atc_decode("atc_size_query", ATC, NO_ALPHA, 4, 4, True, 8)

# Encoders: encoder (0 QuendaEncode, 1 ATI_TC_Encode, 2 ATI_TC_EncodeFast),
# three colour masks and the alpha mask as (width, shift) bytes, flags,
# format, width + 3, height + 3, pitch choice, capacity choice, size query.
RGBA_MASKS = bytes([8, 0, 8, 8, 8, 16])


def encode(name, encoder, alpha, flags, fmt, w, h, masks=RGBA_MASKS, pitch=0, size_query=False):
    head = bytes([encoder]) + masks + alpha + bytes([flags, fmt, w + 3, h + 3, pitch, 2])
    if encoder != 0:
        head += bytes([0 if size_query else 64])
    write("encoders", name, head + pattern(w * h * 4))


QUENDA_ALPHA8 = bytes([8, 24])
ATC_ALPHA8 = bytes([3, 24])  # index 3 of the widths 0, 1, 4, 8
encode("quenda_etc1_8x8", 0, QUENDA_ALPHA8, NO_ALPHA, ETC1, 8, 8)
encode("quenda_atc_interpolated_5x3", 0, QUENDA_ALPHA8, ALPHA_SINGLE, ATC, 5, 3)
encode("quenda_3dc_xy_8x8", 0, QUENDA_ALPHA8, 3, XY, 8, 8)
encode("quenda_3dc_x_rgb565", 0, bytes([0, 0]), 3, X1, 4, 4, masks=bytes([5, 11, 6, 5, 5, 0]))
encode("atc_rgb_8x8", 1, ATC_ALPHA8, NO_ALPHA, ATC, 8, 8)
encode("atc_explicit_5x3_upward", 1, ATC_ALPHA8, ALPHA, ATC, 5, 3, pitch=0x83)
encode("atc_order_mode", 1, ATC_ALPHA8, NO_ALPHA, ORDER_MODE, 8, 4)
encode("atc_size_query", 1, ATC_ALPHA8, NO_ALPHA, ATC, 4, 4, size_query=True)
encode("atc_fast_8x8", 2, ATC_ALPHA8, ALPHA, ATC, 8, 8)
encode("atc_fast_rgba4444", 2, bytes([2, 12]), ALPHA, ATC, 8, 8, masks=bytes([4, 0, 4, 4, 4, 8]))

# ATC reference: a shape byte (0 raw texels, 1 four colours and 2-bit picks,
# 2 grey levels; bit 7 order mode), the block, then 16 alpha bytes.
ORDER_BIT = 0x80
ALPHA_EDGE = bytes([0] * 8 + [255] * 8)


def atc_reference(name, shape, block, alpha=ALPHA_EDGE):
    write("atc_reference", name, bytes([shape]) + bytes(block) + alpha)


ROWS = [(0, 0, 0), (255, 0, 0), (0, 0, 255), (255, 255, 255)]
atc_reference("raw_noise", 0, pattern(48))
atc_reference("raw_black_red_blue_white", 0, [c for t in range(16) for c in ROWS[t // 4]])
atc_reference("raw_order_mode_rows", ORDER_BIT, [c for t in range(16) for c in ROWS[t // 4]])
atc_reference("palette_dark_green_white", 1,
              [10, 8, 12, 20, 180, 30, 250, 250, 240, 120, 60, 200] + [0x24, 0x9E, 0x1B, 0xE4])
atc_reference("palette_order_mode", 1 | ORDER_BIT,
              [0, 0, 0, 255, 0, 255, 255, 255, 0, 30, 30, 30] + [0x1B, 0xE4, 0x4E, 0xB1])
atc_reference("grey_ramp", 2, [17 * t for t in range(16)], bytes(range(0, 256, 16)))
atc_reference("grey_tied_splits", 2, [76, 75, 76, 75, 78, 76, 78, 76, 78, 76, 75, 78, 76, 78, 76, 76])

# ETC1 reference: the kind (raw, offsets around a colour, two colours), two
# colours, the two-colour pattern, the offsets' shift, 48 block bytes, the
# sub-block bits and the search's base colour.
def etc1_reference(name, kind, colours, pattern_word, shift, block, subblock, base):
    write("etc1_reference", name, bytes([kind]) + bytes(colours) + struct.pack("<I", pattern_word) +
          bytes([shift]) + bytes(block) + bytes(subblock) + bytes(base))


etc1_reference("raw_noise", 0, [0] * 6, 0, 0, pattern(48), [0, 1], [128, 64, 200])
etc1_reference("smooth", 1, [120, 140, 90, 0, 0, 0], 0, 4, pattern(48), [1, 0], [123, 140, 90])
etc1_reference("near_white", 1, [250, 252, 255, 0, 0, 0], 0, 5, pattern(48), [1, 1], [255, 255, 255])
etc1_reference("black_white_halves", 2, [0, 0, 0, 255, 255, 255], 0xCCCC, 0, [0] * 48, [0, 0], [0, 0, 0])
etc1_reference("equal_encoder_errors", 2, [180, 210, 150, 143, 136, 39], 0x5788, 0, [0] * 48, [0, 1],
               [176, 206, 148])

# Single-channel reference: the kind (raw, offsets around a value, a pattern
# of four values), the four values, the offsets' shift, 16 value bytes, then
# the weighted list: its count, first value, and (weight, gap) pairs.
def single_channel_reference(name, kind, palette, shift, values, count, first, pairs):
    write("single_channel_reference", name, bytes([kind] + palette + [shift] + values + [count, first] + pairs))


single_channel_reference("raw_noise", 0, [0] * 4, 0, list(pattern(16)), 15, 3, [1, 17] * 15)
single_channel_reference("smooth", 1, [120, 0, 0, 0], 4, list(pattern(16)), 11, 100, [2, 3] * 11)
single_channel_reference("extremes_and_mid", 2, [0, 255, 93, 1], 0, list(range(16)), 3, 0, [5, 93, 5, 161, 5, 0])
single_channel_reference("wide_spread", 2, [10, 60, 200, 250], 0, [0, 1, 2, 3] * 4, 16, 0, [1, 16] * 16)
