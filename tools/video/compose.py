"""Frame composition for the cinematics: an RGB picture built from pre-drawn images each frame.

Pure Python is slow per pixel, so drawing works on whole runs of bytes: an Image keeps, for every row, the spans
of opaque pixels as ready RGB bytes, and a Frame copies those spans in with slice assignments. Per-pixel work is
kept to small things (text, sparks, dithered dissolves).
"""

from art.canvas import Canvas, bayer
from art.font import draw_text, text_width

FPS = 30
WIDTH = 320
HEIGHT = 180


def ease(t):
    """Smooth 0..1 over t in 0..1 (clamped)."""
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return t * t * (3 - 2 * t)


def window(t, start, end, fade=0.4):
    """0 before start, rising to 1 over `fade` seconds, 1 until end - fade, falling to 0 at end."""
    if t <= start or t >= end:
        return 0.0
    return min(1.0, (t - start) / fade, (end - t) / fade)


class Image:
    """An RGBA canvas prepared for fast drawing: per row, the spans whose alpha is at least half."""

    def __init__(self, canvas):
        self.w = canvas.w
        self.h = canvas.h
        self.rows = []
        px = canvas.px
        for y in range(canvas.h):
            spans = []
            x = 0
            while x < canvas.w:
                if px[(y * canvas.w + x) * 4 + 3] < 128:
                    x += 1
                    continue
                start = x
                data = bytearray()
                while x < canvas.w and px[(y * canvas.w + x) * 4 + 3] >= 128:
                    i = (y * canvas.w + x) * 4
                    data += px[i:i + 3]
                    x += 1
                spans.append((start, bytes(data)))
            self.rows.append(spans)


class Frame:
    """One RGB picture, WIDTH x HEIGHT, rows top first."""

    def __init__(self, fill=(0, 0, 0)):
        self.px = bytearray(bytes(fill[:3]) * (WIDTH * HEIGHT))

    def copy_from(self, background):
        """Starts from a prepared full-frame picture (bytes of the frame's size)."""
        self.px[:] = background

    def draw(self, image, x, y):
        x, y = int(round(x)), int(round(y))
        px = self.px
        for row, spans in enumerate(image.rows):
            ty = y + row
            if ty < 0 or ty >= HEIGHT or not spans:
                continue
            base = ty * WIDTH
            for start, data in spans:
                x0 = x + start
                x1 = x0 + len(data) // 3
                if x1 <= 0 or x0 >= WIDTH:
                    continue
                cut0 = max(0, -x0)
                cut1 = max(0, x1 - WIDTH)
                px[(base + x0 + cut0) * 3:(base + x1 - cut1) * 3] = data[cut0 * 3:len(data) - cut1 * 3]

    def band(self, strip, offset, y):
        """Draws a wide image that repeats horizontally, scrolled left by `offset` pixels."""
        offset = int(offset) % strip.w
        self.draw(strip, -offset, y)
        if strip.w - offset < WIDTH:
            self.draw(strip, strip.w - offset, y)

    def set(self, x, y, color):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            i = (y * WIDTH + x) * 3
            self.px[i:i + 3] = bytes(color[:3])

    def add(self, x, y, color, amount=1.0):
        """Additive light on one pixel."""
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            i = (y * WIDTH + x) * 3
            p = self.px
            for k in range(3):
                p[i + k] = min(255, p[i + k] + int(color[k] * amount))

    def rect(self, x0, y0, x1, y1, color):
        x0, x1 = max(0, int(x0)), min(WIDTH, int(x1))
        row = bytes(color[:3]) * max(0, x1 - x0)
        for y in range(max(0, int(y0)), min(HEIGHT, int(y1))):
            self.px[(y * WIDTH + x0) * 3:(y * WIDTH + x1) * 3] = row

    def scale(self, amount):
        """Multiplies every channel: below 1 darkens towards black, above 1 brightens (clipped)."""
        if amount == 1.0:
            return
        table = bytes(min(255, int(v * amount + 0.5)) for v in range(256))
        self.px = bytearray(self.px.translate(table))

    def towards_white(self, amount):
        if amount <= 0:
            return
        table = bytes(min(255, int(v + (255 - v) * amount + 0.5)) for v in range(256))
        self.px = bytearray(self.px.translate(table))

    def bytes(self):
        return bytes(self.px)


def text_image(text, color, scale=1, shadow=None):
    """A line of the game's pixel font as an image (with a shadow one scaled pixel down-right)."""
    w = text_width(text, scale) + scale
    canvas = Canvas(w, 7 * scale + scale)
    draw_text(canvas, 0, 0, text, color, scale, shadow=shadow)
    return Image(canvas)


def dissolve(frame, image, x, y, amount, phase=0):
    """Draws `image` pixel by pixel where the ordered dither lets `amount` (0..1) through."""
    if amount >= 1.0:
        frame.draw(image, x, y)
        return
    if amount <= 0.0:
        return
    x, y = int(x), int(y)
    for row, spans in enumerate(image.rows):
        for start, data in spans:
            for k in range(len(data) // 3):
                px, py = x + start + k, y + row
                if bayer(px + phase, py) < amount:
                    frame.set(px, py, data[3 * k:3 * k + 3])


def centred_x(image):
    return (WIDTH - image.w) // 2
