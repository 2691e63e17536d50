"""What the page's pictures must show, with the same criteria as the desktop's
end-to-end checks (tests/e2e): a picture is (width, height, rows), each row a
list of (r, g, b) tuples, as devtools.decode_png gives it."""

# The frame counter's box at the bottom centre of a 1024 x 768 picture: room
# for its digits, left out where two pictures are compared.
COUNTER_BOX = (432, 740, 160, 28)  # x, y, width, height


def pixel(picture, x, y):
    return picture[2][y][x]


def near(c, r, g, b, tolerance=40):
    """Within TOLERANCE (exclusive) of r g b on every channel, as has_colour decides."""
    return abs(c[0] - r) < tolerance and abs(c[1] - g) < tolerance and abs(c[2] - b) < tolerance


def has_colour(picture, x, y, w, h, r, g, b, tolerance=40):
    """True when any pixel of the rectangle is within TOLERANCE of r g b."""
    rows = picture[2]
    return any(near(c, r, g, b, tolerance) for row in rows[y:y + h] for c in row[x:x + w])


def is_sky(c):
    return c[2] > 120 and c[2] >= c[0]


def is_floor(c):
    return c[1] > 60 and (c[0] - c[2]) ** 2 < 2500


def is_brick(c):
    """The walls' red and orange bricks."""
    return c[0] >= 120 and c[0] - c[1] >= 40 and c[1] >= c[2]


def share(picture, test, box=None):
    """The share (0..1) of the pixels in BOX (x, y, w, h; default all) for which TEST holds."""
    width, height, rows = picture
    x, y, w, h = box or (0, 0, width, height)
    total = hits = 0
    for row in rows[y:y + h]:
        for c in row[x:x + w]:
            total += 1
            hits += 1 if test(c) else 0
    return hits / total if total else 0.0


def changed_share(a, b, box, tolerance=12):
    """The share of pixels in BOX that differ by more than TOLERANCE on any channel."""
    x, y, w, h = box
    total = changed = 0
    for row_a, row_b in zip(a[2][y:y + h], b[2][y:y + h]):
        for ca, cb in zip(row_a[x:x + w], row_b[x:x + w]):
            total += 1
            if max(abs(ca[0] - cb[0]), abs(ca[1] - cb[1]), abs(ca[2] - cb[2])) > tolerance:
                changed += 1
    return changed / total if total else 0.0


def agreement(a, b, left_out, tolerance=12):
    """The share of pixels of two same-sized pictures within TOLERANCE levels on
    every channel, leaving out the box LEFT_OUT (x, y, w, h)."""
    if a[:2] != b[:2]:
        raise ValueError("pictures of different sizes: %dx%d and %dx%d" % (a[0], a[1], b[0], b[1]))
    lx, ly, lw, lh = left_out
    total = same = 0
    for y, (row_a, row_b) in enumerate(zip(a[2], b[2])):
        inside_rows = ly <= y < ly + lh
        for x, (ca, cb) in enumerate(zip(row_a, row_b)):
            if inside_rows and lx <= x < lx + lw:
                continue
            total += 1
            if abs(ca[0] - cb[0]) <= tolerance and abs(ca[1] - cb[1]) <= tolerance and abs(ca[2] - cb[2]) <= tolerance:
                same += 1
    return same / total


def read_level(path):
    """The rows of a .lvl file's map (comment lines and trailing empty rows left out)."""
    with open(path, encoding="latin-1") as f:
        rows = [line.rstrip("\r\n") for line in f if not line.startswith(";")]
    while rows and rows[-1] == "":
        rows.pop()
    return rows


def minimap_mismatches(picture, level_rows):
    """Compares the minimap in the top-right corner with the level cell by
    cell, as the desktop's level checks do: the pixel at each cell's middle is
    orange for '#' and grey otherwise. The map's box is a seventh of the
    picture's width for the level's larger side. Cells within 10 pixels of the
    start (the heading line) are skipped. Returns the cells that differ as
    (column, row, solid, colour)."""
    width = picture[0]
    n = len(level_rows)
    w = max(len(r) for r in level_rows)
    side = max(w, n)
    s = width / (7 * side)
    ox = width - s * w
    si = sj = 0
    for j, row in enumerate(level_rows):
        if "S" in row:
            si, sj = row.index("S"), j
    scx, scy = ox + (si + 0.5) * s, (sj + 0.5) * s
    bad = []
    for j in range(n):
        for i in range(w):
            cx, cy = ox + (i + 0.5) * s, (j + 0.5) * s
            if (cx - scx) ** 2 + (cy - scy) ** 2 < 100:
                continue
            solid = i < len(level_rows[j]) and level_rows[j][i] == "#"
            c = pixel(picture, int(cx), int(cy))
            if solid:
                ok = abs(c[0] - 178) <= 3 and abs(c[1] - 102) <= 3 and c[2] <= 3
            else:
                ok = abs(c[0] - 128) <= 3 and abs(c[1] - 128) <= 3 and abs(c[2] - 128) <= 3
            if not ok:
                bad.append((i, j, solid, c))
    return bad
