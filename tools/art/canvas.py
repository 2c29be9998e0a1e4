"""RGBA pixel canvas with the few drawing operations the generators need."""

from .png import write_png

BAYER4 = (
    (0, 8, 2, 10),
    (12, 4, 14, 6),
    (3, 11, 1, 9),
    (15, 7, 13, 5),
)


def hexc(text, alpha=255):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    """Linear blend of two RGBA colours."""
    t = clamp(t)
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


def bayer(x, y):
    """Ordered-dither threshold in [0, 1)."""
    return (BAYER4[y & 3][x & 3] + 0.5) / 16.0


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w = w
        self.h = h
        self.px = bytearray(bytes(fill) * (w * h))

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def get(self, x, y):
        i = (y * self.w + x) * 4
        p = self.px
        return (p[i], p[i + 1], p[i + 2], p[i + 3])

    def alpha(self, x, y):
        if not self.inside(x, y):
            return 0
        return self.px[(y * self.w + x) * 4 + 3]

    def set(self, x, y, c):
        if not self.inside(x, y):
            return
        i = (y * self.w + x) * 4
        self.px[i:i + 4] = bytes((c[0], c[1], c[2], c[3] if len(c) > 3 else 255))

    def blend(self, x, y, c, opacity=1.0):
        """Straight-alpha 'over' compositing."""
        if not self.inside(x, y):
            return
        sa = (c[3] if len(c) > 3 else 255) / 255.0 * opacity
        if sa <= 0:
            return
        i = (y * self.w + x) * 4
        p = self.px
        da = p[i + 3] / 255.0
        oa = sa + da * (1 - sa)
        if oa <= 0:
            return
        for k in range(3):
            p[i + k] = int(round((c[k] * sa + p[i + k] * da * (1 - sa)) / oa))
        p[i + 3] = int(round(oa * 255))

    def add(self, x, y, c, amount=1.0):
        """Additive light: rgb adds, alpha takes the brighter coverage."""
        if not self.inside(x, y):
            return
        i = (y * self.w + x) * 4
        p = self.px
        for k in range(3):
            p[i + k] = min(255, int(p[i + k] + c[k] * amount))
        p[i + 3] = min(255, max(p[i + 3], int((c[3] if len(c) > 3 else 255) * amount)))

    def blit(self, src, dx, dy, opacity=1.0):
        for y in range(src.h):
            ty = y + dy
            if ty < 0 or ty >= self.h:
                continue
            for x in range(src.w):
                c = src.get(x, y)
                if c[3]:
                    self.blend(x + dx, ty, c, opacity)

    def crop(self, x0, y0, w, h):
        out = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                if self.inside(x + x0, y + y0):
                    out.set(x, y, self.get(x + x0, y + y0))
        return out

    def scaled(self, n):
        out = Canvas(self.w * n, self.h * n)
        for y in range(out.h):
            for x in range(out.w):
                out.set(x, y, self.get(x // n, y // n))
        return out

    def outline(self, color, threshold=128, diagonal=False):
        """Paint transparent pixels that touch an opaque one."""
        marks = []
        offsets = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diagonal:
            offsets += [(1, 1), (-1, 1), (1, -1), (-1, -1)]
        for y in range(self.h):
            for x in range(self.w):
                if self.alpha(x, y) >= threshold:
                    continue
                if any(self.alpha(x + dx, y + dy) >= threshold for dx, dy in offsets):
                    marks.append((x, y))
        for x, y in marks:
            self.set(x, y, color)

    def bleed_edges(self, passes=2):
        """Give fully transparent pixels the colour of their opaque neighbours so that
        linear filtering does not pull dark fringes into sprite edges."""
        for _ in range(passes):
            updates = []
            for y in range(self.h):
                for x in range(self.w):
                    i = (y * self.w + x) * 4
                    if self.px[i + 3] != 0 or self.px[i] or self.px[i + 1] or self.px[i + 2]:
                        continue
                    acc = [0, 0, 0]
                    n = 0
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                        nx, ny = x + dx, y + dy
                        if self.inside(nx, ny):
                            j = (ny * self.w + nx) * 4
                            if self.px[j + 3] or self.px[j] or self.px[j + 1] or self.px[j + 2]:
                                acc[0] += self.px[j]
                                acc[1] += self.px[j + 1]
                                acc[2] += self.px[j + 2]
                                n += 1
                    if n:
                        updates.append((i, acc[0] // n, acc[1] // n, acc[2] // n))
            for i, r, g, b in updates:
                self.px[i:i + 3] = bytes((max(r, 1), g, b))

    def is_opaque(self):
        return all(self.px[i] == 255 for i in range(3, len(self.px), 4))

    def save(self, path, rgb=False):
        if rgb:
            data = bytearray()
            for i in range(0, len(self.px), 4):
                data += self.px[i:i + 3]
            write_png(path, self.w, self.h, data, 3)
        else:
            write_png(path, self.w, self.h, self.px, 4)


def sheet(frames, columns):
    """Lay equal-sized frames out left to right, top to bottom."""
    fw, fh = frames[0].w, frames[0].h
    rows = (len(frames) + columns - 1) // columns
    out = Canvas(fw * columns, fh * rows)
    for i, f in enumerate(frames):
        out.blit(f, (i % columns) * fw, (i // columns) * fh)
    return out, rows


def panel_edge(x, y, shadow, light, inner_shadow, size=32):
    """The bevel of square wall panels `size` pixels wide at (x, y): `shadow` on the last row and column, `light` on
    the first, `inner_shadow` just inside the shadow; None inside the panel."""
    lx, ly = x % size, y % size
    if lx == size - 1 or ly == size - 1:
        return shadow
    if lx == 0 or ly == 0:
        return light
    if lx == size - 2 or ly == size - 2:
        return inner_shadow
    return None
