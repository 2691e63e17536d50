#!/usr/bin/env python3
"""Writes the seed corpora in fuzz/corpus/ from the project's own content in
data/ and small hand-made files (valid ones, and the broken ones each reader
must refuse). Deterministic; run it from anywhere:  python3 fuzz/make-seeds.py
Inputs the fuzzer found and that once failed are added by hand (see README)
and are kept by this script, which only writes its own seed-* files."""

import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
DATA = os.path.join(ROOT, "data")


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, "seed-" + name), "wb") as out:
        out.write(data)


def data_file(name):
    with open(os.path.join(DATA, name), "rb") as f:
        return f.read()


def u16(v):
    return struct.pack("<H", v & 0xFFFF)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


# --- configuration -----------------------------------------------------------
with open(os.path.join(ROOT, "quorvel.conf"), "rb") as f:
    put("config", "shipped.conf", f.read())
put("config", "minimal.conf", "[GraphicSystem]\nwidth=640\nheight=480\nbpp=32\n")
put("config", "crlf.conf", "[GraphicSystem]\r\nwidth = 800\r\nvsync\r\n")
put("config", "quoted.conf", '[A]\nname = "a \\"quoted\\" value\\n\\t\\\\"\nopen = "no end\nlone = "\n')
put("config", "malformed.conf", "[unclosed\n[]\n[ spaced ] \n=novalue\nkey only \n; comment\n# comment\n")
put("config", "numbers.conf", "[N]\nbig=99999999999\nneg=-2147483649\nf=1e39\nhex=0x10\ninf=inf\nb=YES\nc=off\n")
put("config", "longline.conf", "[L]\nk=" + "x" * 1100 + "\n[" + "y" * 1030 + "]\n")
put("config", "controls.conf",
    "[Controls]\nmouse_sensitivity = 2.5\ninvert_y = on\nstick_look_speed = 30\nforward = Up\nback = W\n"
    "left = Gray +\nright = Escape\nclouds_denser = nokey\nclouds_thinner = \njump = Space\n")
put("config", "binary.conf", bytes([0, 255, 10, 91, 0, 93, 10, 61, 13, 13, 10]))

# --- string numbers ----------------------------------------------------------
for i, text in enumerate(["0", "123", "-2147483648", "2147483648", "-99999999999999999999", "1.5", "-0.25e-3",
                          "1e39", "-1e400", "0x1p3", "inf", "NaN", " 7", "7 ", "", "+12", "1e", ".5",
                          "12\n34\n" + "9" * 80 + "\n", "3.4028235e38"]):
    put("string-numbers", "%02d" % i, text)

# --- binary files ------------------------------------------------------------
def commands(*items):
    out = bytes([len(items)])
    for kind, value in items:
        out += bytes([kind]) + u32(value)
    return out

content = bytes(range(64))
put("binary-files", "reads", commands((1, 10), (1, 100), (0, 5), (1, 3)) + content)
put("binary-files", "seek-end", commands((2, 0xFFFFFFF0), (1, 32), (2, 100), (1, 1)) + content)
put("binary-files", "seek-current", commands((0, 8), (4, 8), (4, 0xFFFFFFFC), (1, 4)) + content)
put("binary-files", "seek-far", commands((0, 0x7FFFFFF0), (4, 0x7FFFFFF0), (1, 4)) + content)
put("binary-files", "empty", commands((1, 1), (2, 0)))
put("binary-files", "no-commands", bytes([0]) + content)

# --- chunk files and fonts ---------------------------------------------------
def chunk_file(magic, chunks, extension=b"", name=b"seed", table_at=None, count=None):
    table_offset = 48 + len(extension) if table_at is None else table_at
    payload_at = 48 + len(extension) + 16 * len(chunks)
    table = b""
    payloads = b""
    for cid, index, data in chunks:
        table += cid + u32(index) + u32(payload_at + len(payloads)) + u32(len(data))
        payloads += data
    header = magic + b"0.1 " + name.ljust(32, b"\0") + u32(table_offset) + u32(len(chunks) if count is None else count)
    return header + extension + table + payloads


def font_file(glyphs, width=8, height=8, scale=1):
    image = u32(width) + u32(height) + u32(0) + bytes((x * 37) & 0xFF for x in range(width * height))
    records = b"".join(u32(code) + u32(x) + u32(y) + u32(w) + u32(h) + u32(ox) + u32(oy) + u32(adv)
                       for code, x, y, w, h, ox, oy, adv in glyphs)
    return chunk_file(b"GLFv", [(b"FBIT", 0, image), (b"CHRS", 0, records)], extension=u32(scale) + u32(0) + u32(0))


small_font = font_file([(65, 0, 0, 4, 6, 0, 0, 5), (66, 4, 0, 4, 6, 1, 1, 5), (32, 0, 0, 0, 0, 0, 0, 3)], scale=1)
negative_font = font_file([(65, 0, 0, 4, 4, -6, -8, 5), (66, 4, 4, 4, 4, -1, 2, 5)], scale=2)
overlap = chunk_file(b"GCFv", [(b"DATA", i, b"") for i in range(4)])
overlap = overlap[:48] + b"".join(b"DATA" + u32(i) + u32(48) + u32(len(overlap) - 48) for i in range(4)) + overlap[112:]
for target in ("chunk-file", "chunkinfo"):
    put(target, "default.glf", data_file("default.glf"))
    put(target, "small.glf", small_font)
    put(target, "empty-table.gcf", chunk_file(b"GCFv", []))
    put(target, "two-chunks.gcf", chunk_file(b"GCFv", [(b"ABCD", 0, b"hello"), (b"ABCD", 1, b"")]))
    put(target, "table-past-end.gcf", chunk_file(b"GCFv", [(b"ABCD", 0, b"x")], table_at=1000))
    put(target, "huge-count.gcf", chunk_file(b"GCFv", [], count=0x10000000))
    put(target, "overlapping.gcf", overlap)
    put(target, "short.glf", b"GLFv0.1 " + b"\0" * 36)
put("font", "default.glf", data_file("default.glf"))
put("font", "small.glf", small_font)
put("font", "negative-offsets.glf", negative_font)
put("font", "scale-zero.glf", font_file([(65, 0, 0, 4, 6, 0, 0, 5)], scale=0))
big = font_file([(65, 0, 0, 4, 6, 0, 0, 5)])
big = big.replace(u32(8) + u32(8) + u32(0), u32(1000) + u32(1000) + u32(0), 1)  # claims more pixels than it holds
put("font", "image-too-big.glf", big)
put("font", "no-glyphs.glf", chunk_file(b"GLFv", [(b"FBIT", 0, u32(1) + u32(1) + u32(0) + b"\xff")],
                                          extension=u32(1) + u32(0) + u32(0)))

# --- BMP ---------------------------------------------------------------------
def bmp(width, height, bits=24, compression=0, pixels=None, offset=54):
    stride = (width * bits // 8 + 3) // 4 * 4
    if pixels is None:
        pixels = bytes((i * 7) & 0xFF for i in range(stride * abs(height)))
    info = u32(40) + u32(width) + u32(height) + u16(1) + u16(bits) + u32(compression) + u32(len(pixels)) + u32(0) * 4
    return b"BM" + u32(offset + len(pixels)) + u32(0) + u32(offset) + info + b"\0" * (offset - 54) + pixels


put("bmp", "2x2.bmp", bmp(2, 2))
put("bmp", "3x5.bmp", bmp(3, 5))
put("bmp", "1x1.bmp", bmp(1, 1))
put("bmp", "top-down.bmp", bmp(2, -2))
put("bmp", "8bit.bmp", bmp(4, 4, bits=8))
put("bmp", "rle.bmp", bmp(4, 4, compression=1))
put("bmp", "truncated.bmp", bmp(16, 16)[:100])
put("bmp", "huge.bmp", bmp(0x7FFFFFFF, 0x7FFFFFFF, pixels=b"\0" * 16))
put("bmp", "far-offset.bmp", bmp(2, 2, offset=200))

# --- .wav sounds -------------------------------------------------------------
def wav_chunk(tag, body, pad=True):
    return tag + u32(len(body)) + body + (b"\0" if pad and len(body) % 2 else b"")


def wav_format(channels, rate, bits, tag=1):
    align = channels * bits // 8
    return wav_chunk(b"fmt ", u16(tag) + u16(channels) + u32(rate) + u32(rate * align) + u16(align) + u16(bits))


def wav(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + u32(len(body)) + body


ramp16 = b"".join(u16(i * 997 - 16000) for i in range(32))
ramp8 = bytes((i * 37) & 0xFF for i in range(33))
def shortened(wave, keep):
    """The file's chunks again with its sample data cut to keep bytes: a short
    seed of the same shape keeps the fuzzer's inputs small."""
    out = []
    at = 12
    while at + 8 <= len(wave):
        tag, size = wave[at:at + 4], struct.unpack("<I", wave[at + 4:at + 8])[0]
        body = wave[at + 8:at + 8 + size]
        out.append(wav_chunk(tag, body[:keep] if tag == b"data" else body))
        at += 8 + size + (size & 1)
    return wav(*out)


for name in sorted(os.listdir(os.path.join(DATA, "sounds"))):
    put("wave", name, shortened(data_file(os.path.join("sounds", name)), 2048))
put("wave", "mono16.wav", wav(wav_format(1, 22050, 16), wav_chunk(b"data", ramp16)))
put("wave", "stereo16.wav", wav(wav_format(2, 44100, 16), wav_chunk(b"data", ramp16)))
put("wave", "mono8-odd.wav", wav(wav_format(1, 8000, 8), wav_chunk(b"data", ramp8), wav_chunk(b"LIST", b"INFOx")))
put("wave", "stereo8.wav", wav(wav_format(2, 11025, 8), wav_chunk(b"data", ramp8[:32])))
put("wave", "extra-chunks.wav", wav(wav_chunk(b"JUNK", b"abc"), wav_format(1, 48000, 16), wav_chunk(b"cue ", b"1"),
                                    wav_chunk(b"data", ramp16[:10])))
put("wave", "data-first.wav", wav(wav_chunk(b"data", ramp16[:8]), wav_format(1, 32000, 16)))
put("wave", "lying-data.wav", wav(wav_format(1, 22050, 16), b"data" + u32(0xFFFFFFF0) + ramp16[:8]))
put("wave", "lying-riff.wav", b"RIFF" + u32(0x7FFFFFFF) + wav(wav_format(1, 22050, 16), wav_chunk(b"data", ramp16))[8:])
put("wave", "zero-channels.wav", wav(wav_format(0, 22050, 16), wav_chunk(b"data", ramp16[:4])))
put("wave", "float.wav", wav(wav_format(1, 22050, 32, tag=3), wav_chunk(b"data", ramp16[:8])))
put("wave", "adpcm.wav", wav(wav_format(1, 22050, 4, tag=0x11), wav_chunk(b"data", ramp16[:8])))
put("wave", "24bit.wav", wav(wav_format(2, 44100, 24), wav_chunk(b"data", ramp16[:12])))
put("wave", "truncated.wav", wav(wav_format(1, 22050, 16), wav_chunk(b"data", ramp16))[:50])
put("wave", "no-data.wav", wav(wav_format(1, 22050, 16)))
put("wave", "empty.wav", b"")

# --- .glt textures -----------------------------------------------------------
GL = {"RGB": 0x1907, "RGBA": 0x1908, "LUMINANCE": 0x1909, "ALPHA": 0x1906, "BGR": 0x80E0, "UBYTE": 0x1401,
      "USHORT": 0x1403, "FLOAT": 0x1406, "US565": 0x8363, "REPEAT": 0x2901, "TEX2D": 0x0DE1}


def glt(width, height, fmt, typ, bpp, data_size=None, target=GL["TEX2D"], version=1, extra=0):
    row = (width * bpp + 3) // 4 * 4
    size = row * height if data_size is None else data_size
    header = b"GLTF" + u32(version) + u32(0) + u32(target) + u32(fmt) + u32(typ) + u32(GL["REPEAT"]) + u32(0)
    header += u32(size) + u32(width) + u32(height)
    return header + bytes((i * 13) & 0xFF for i in range(max(0, min(size, row * height) + extra)))


put("texture", "blob.glt", data_file("blob.glt"))
put("texture", "rgb-4x4.glt", glt(4, 4, GL["RGB"], GL["UBYTE"], 3))
put("texture", "rgb-3x3-padded.glt", glt(3, 3, GL["RGB"], GL["UBYTE"], 3))
put("texture", "rgba-2x2.glt", glt(2, 2, GL["RGBA"], GL["UBYTE"], 4))
put("texture", "luminance-5x1.glt", glt(5, 1, GL["LUMINANCE"], GL["UBYTE"], 1))
put("texture", "alpha-1x1.glt", glt(1, 1, GL["ALPHA"], GL["UBYTE"], 1))
put("texture", "bgr-2x2.glt", glt(2, 2, GL["BGR"], GL["UBYTE"], 3))
put("texture", "float-2x2.glt", glt(2, 2, GL["RGB"], GL["FLOAT"], 12))
put("texture", "565-2x2.glt", glt(2, 2, GL["RGB"], GL["US565"], 2))
put("texture", "short-data.glt", glt(4, 4, GL["RGB"], GL["UBYTE"], 3, data_size=8))
put("texture", "truncated.glt", glt(8, 8, GL["RGB"], GL["UBYTE"], 3)[:100])
put("texture", "too-wide.glt", glt(20000, 1, GL["RGB"], GL["UBYTE"], 3, data_size=0))
put("texture", "bad-target.glt", glt(2, 2, GL["RGB"], GL["UBYTE"], 3, target=0x0DE0))

# --- Milkshape3D -------------------------------------------------------------
put("ms3d", "crate.ms3d", data_file("crate.ms3d"))


def ms3d(vertices, triangles, groups=b"\0\0", materials=b"\0\0"):
    out = b"MS3D000000" + u32(4) + u16(len(vertices))
    for x, y, z in vertices:
        out += b"\0" + struct.pack("<fff", x, y, z) + b"\xff\0"
    out += u16(len(triangles))
    for a, b, c in triangles:
        out += u16(0) + u16(a) + u16(b) + u16(c) + struct.pack("<9f", *([0.0] * 9))
        out += struct.pack("<3f", 0.0, 1.0, 0.5) + struct.pack("<3f", 0.0, 0.0, 1.0) + b"\x01\x00"
    return out + groups + materials


tri = ms3d([(0, 0, 0), (1, 0, 0), (0, 1, 0)], [(0, 1, 2)])
put("ms3d", "triangle.ms3d", tri)
put("ms3d", "bad-index.ms3d", ms3d([(0, 0, 0)], [(0, 1, 2)]))
put("ms3d", "count-too-big.ms3d", b"MS3D000000" + u32(4) + u16(0xFFFF))
put("ms3d", "header-only.ms3d", b"MS3D000000" + u32(4))
put("ms3d", "group.ms3d", ms3d([(0, 0, 0), (1, 0, 0), (0, 1, 0)], [(0, 1, 2)],
                               groups=u16(1) + b"\0" + b"g".ljust(32, b"\0") + u16(1) + u16(0) + b"\xff"))
put("ms3d", "not-ms3d.ms3d", b"MS3D00000")

# --- shader sources (first byte: even vertex, odd fragment) ------------------
put("shader", "sky.gvs", b"\0" + data_file("sky.gvs"))
put("shader", "sky.gfs", b"\1" + data_file("sky.gfs"))
put("shader", "minimal.gvs", b"\0void main() { gl_Position = ftransform(); }\n")
put("shader", "minimal.gfs", b"\1void main() { gl_FragColor = vec4(1.0); }\n")
put("shader", "syntax-error.gfs", b"\1void main( { gl_FragColor = ; }\n")
put("shader", "empty.gvs", b"\0")
put("shader", "binary.gfs", b"\1\0\xff\x80#version 999\n")

# --- pictures for quorvel-gltconvert (first byte: channels asked) -----------
def png(width, height, colour_type=2, depth=8, rows=None):
    samples = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    row_bytes = (width * samples * depth + 7) // 8
    raw = rows if rows is not None else b"".join(b"\0" + bytes((x * 31 + y) & 0xFF for x in range(row_bytes))
                                                for y in range(height))

    def chunk(kind, data):
        return u32be(len(data)) + kind + data + u32be(zlib.crc32(kind + data))

    ihdr = u32be(width) + u32be(height) + bytes([depth, colour_type, 0, 0, 0])
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
    if colour_type == 3:
        out += chunk(b"PLTE", bytes(range(48)))
    return out + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def u32be(v):
    return struct.pack(">I", v)


def tga(width, height, kind=2, bits=24, body=None):
    header = bytes([0, 0, kind]) + b"\0" * 9 + u16(width) + u16(height) + bytes([bits, 0x20])
    if body is None:
        body = bytes((i * 5) & 0xFF for i in range(width * height * bits // 8))
    return header + body


for name, data in [("rgb.png", png(4, 3)), ("rgba.png", png(2, 2, 6)), ("grey.png", png(5, 1, 0)),
                   ("palette.png", png(3, 3, 3)), ("1bit.png", png(9, 2, 0, 1)),
                   ("rgb.tga", tga(3, 2)), ("rgba.tga", tga(2, 2, bits=32)), ("grey.tga", tga(2, 2, 3, 8)),
                   ("rle.tga", tga(4, 4, 10, 24, bytes([0x8F, 1, 2, 3]))),
                   ("declares-huge.tga", tga(28781, 23810, body=b"")), ("declares-big.tga", tga(16000, 16000, body=b"")),
                   ("rgb.bmp", bmp(3, 2)), ("short.png", png(4, 4)[:40])]:
    for channels in (0, 4):
        put("gltconvert", "%d-%s" % (channels, name), bytes([channels]) + data)

# --- level files ---------------------------------------------------------------
put("level", "builtin.lvl", data_file("levels/builtin.lvl"))
put("level", "maze32.lvl", data_file("levels/maze32.lvl"))
put("level", "small.lvl", "; a small room\n#####\n#S..#\n#.#.#\n#####\n")
put("level", "crlf-bom.lvl", b"\xef\xbb\xbf###\r\n#S#\r\n# #\r\n")
put("level", "short-lines.lvl", "#\n##S\n\n#\n\n\n")
put("level", "no-start.lvl", "##.\n...\n")
put("level", "all-solid.lvl", "###\n###\n")
put("level", "two-starts.lvl", "S.S\n")
put("level", "bad-character.lvl", "#.x\n")
put("level", "too-wide.lvl", "." * 257 + "\n")
put("level", "too-tall.lvl", ".\n" * 257)
put("level", "empty.lvl", "")
put("level", "binary.lvl", bytes([0, 10, 255, 13, 35]))

# --- the demonstration's command line ----------------------------------------------
# Each input is read both as a Windows command line and, cut at zero bytes, as
# main()'s arguments.
put("command-line", "timedemo", "--timedemo")
put("command-line", "timedemo-frames", "--timedemo 300")
put("command-line", "timedemo-shot-quoted", '--timedemo 300 --shot "C:\\my pictures\\last.png" --sky-first')
put("command-line", "posix-arguments", b"--timedemo\0--shot\0out.png\0--sky-first")
put("command-line", "frames-not-a-number", "--timedemo abc")
put("command-line", "frames-zero", "--timedemo 0")
put("command-line", "frames-too-many", "--timedemo 99999999999")
put("command-line", "shot-without-timedemo", "--shot x.png")
put("command-line", "shot-without-file", "--timedemo --shot")
put("command-line", "help", "--help")
put("command-line", "unknown-option", "--frobnicate")
put("command-line", "backslashes-and-quotes", 'a\\\\"b c" \\"d "unclosed')
put("command-line", "many-arguments", " ".join(["--sky-first"] * 70))
put("command-line", "long-argument", "--shot " + "x" * 5000)
put("command-line", "binary", bytes([0, 255, 34, 9, 32, 92, 0, 45, 45]))
put("command-line", "empty", "")
put("command-line", "level", "--level levels/maze32.lvl --query \"timedemo=5&sky-first\"")

# --- a web page's query ------------------------------------------------------
put("query", "empty", "")
put("query", "all", "level=levels/maze32.lvl&timedemo=300&sky-first")
put("query", "encoded", "level=levels%2Fmy+level%20%C3%A9.lvl&sky%2Dfirst=1&timedemo=")
put("query", "empty-parameters", "&&timedemo&&")
put("query", "bad-escapes", "level=a%zz&level=b%4&c%")
put("query", "zero-bytes", b"level=a%00b&level=c\0d")
put("query", "frames-bad", "timedemo=0&timedemo=99999999999&timedemo=1.5")
put("query", "twice", "sky-first&sky-first=1&level=a&level=b")
put("query", "unknown", "colour=red&=&sky-first=yes")
put("query", "outside", "level=../quorvel.conf&level=%2Fetc%2Fpasswd")
put("query", "many", "&".join(["sky-first"] * 17))
put("query", "long", "level=" + "a" * 2100)
put("query", "binary", bytes([0x25, 0xff, 0x01, 0x26, 0x3d, 0x80, 0x2b, 0x00, 0x26]))
