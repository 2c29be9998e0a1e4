"""Writing Spine 3.8 skeletons: atlas page packing, the text atlas and the JSON skeleton.

A skeleton is described as plain dictionaries in the JSON format's own shapes (bones,
slots, skins, animations); this module adds the "skeleton" header with the setup-pose
bounds, packs the images onto one page and writes the three files.
"""

import base64
import hashlib
import json
import math
import os

from .canvas import Canvas

PADDING = 2


class Image:
    """One atlas region: its picture, and whether to store it turned 90 degrees counter-clockwise."""

    def __init__(self, name, canvas, rotate=False, additive=False):
        self.name = name
        self.canvas = canvas
        self.rotate = rotate
        self.additive = additive
        self.x = 0
        self.y = 0

    def packed_size(self):
        return (self.canvas.h, self.canvas.w) if self.rotate else (self.canvas.w, self.canvas.h)


def _turned(canvas):
    """The canvas turned 90 degrees counter-clockwise: its top edge becomes the left edge, read upwards."""
    out = Canvas(canvas.h, canvas.w)
    for y in range(canvas.h):
        for x in range(canvas.w):
            out.set(y, canvas.w - 1 - x, canvas.get(x, y))
    return out


def pack(images):
    """Shelf-packs the images, tallest first, onto the smallest square power-of-two page that holds them."""
    order = sorted(images, key=lambda i: (-i.packed_size()[1], i.name))
    size = 32
    while True:
        x = y = PADDING
        shelf = 0
        fits = True
        for image in order:
            w, h = image.packed_size()
            if x + w + PADDING > size:
                x, y, shelf = PADDING, y + shelf + PADDING, 0
            if x + w + PADDING > size or y + h + PADDING > size:
                fits = False
                break
            image.x, image.y = x, y
            x += w + PADDING
            shelf = max(shelf, h)
        if fits:
            return size
        size *= 2


def _page(images, size):
    page = Canvas(size, size)
    for image in images:
        canvas = image.canvas
        if not image.additive:
            # Straight alpha: spread edge colours into clear pixels so filtering adds no dark fringe.
            canvas = canvas.crop(0, 0, canvas.w, canvas.h)
            canvas.bleed_edges()
        if image.rotate:
            canvas = _turned(canvas)
        for y in range(canvas.h):
            for x in range(canvas.w):
                page.set(image.x + x, image.y + y, canvas.get(x, y))
    return page


def _atlas_text(page_name, size, images):
    lines = ["", page_name, "size: %d,%d" % (size, size), "format: RGBA8888", "filter: Linear,Linear", "repeat: none"]
    for image in sorted(images, key=lambda i: i.name):
        w, h = image.canvas.w, image.canvas.h
        lines += [image.name,
                  "  rotate: %s" % ("true" if image.rotate else "false"),
                  "  xy: %d, %d" % (image.x, image.y),
                  "  size: %d, %d" % (w, h),
                  "  orig: %d, %d" % (w, h),
                  "  offset: 0, 0",
                  "  index: -1"]
    return "\n".join(lines) + "\n"


def _world_bones(bones):
    """World matrices (a, b, c, d, x, y) of the setup pose, with every bone inheriting normally."""
    world = {}
    for bone in bones:
        rotation = bone.get("rotation", 0.0)
        sx, sy = bone.get("scaleX", 1.0), bone.get("scaleY", 1.0)
        rx = math.radians(rotation + bone.get("shearX", 0.0))
        ry = math.radians(rotation + 90 + bone.get("shearY", 0.0))
        la, lb, lc, ld = math.cos(rx) * sx, math.cos(ry) * sy, math.sin(rx) * sx, math.sin(ry) * sy
        x, y = bone.get("x", 0.0), bone.get("y", 0.0)
        if "parent" not in bone:
            world[bone["name"]] = (la, lb, lc, ld, x, y)
            continue
        pa, pb, pc, pd, px, py = world[bone["parent"]]
        world[bone["name"]] = (pa * la + pb * lc, pa * lb + pb * ld, pc * la + pd * lc, pc * lb + pd * ld,
                               pa * x + pb * y + px, pc * x + pd * y + py)
    return world


def _apply(m, x, y):
    return (m[0] * x + m[1] * y + m[4], m[2] * x + m[3] * y + m[5])


def setup_bounds(skeleton):
    """Bounding box (x, y, width, height) of every attachment shown in the setup pose."""
    world = _world_bones(skeleton["bones"])
    names = [bone["name"] for bone in skeleton["bones"]]
    attachments = skeleton["skins"][0]["attachments"]
    points = []
    for slot in skeleton["slots"]:
        key = slot.get("attachment")
        if key is None:
            continue
        a = attachments[slot["name"]][key]
        bone = world[slot["bone"]]
        if a.get("type", "region") == "region":
            w, h = a["width"] * a.get("scaleX", 1.0), a["height"] * a.get("scaleY", 1.0)
            r = math.radians(a.get("rotation", 0.0))
            for cx, cy in ((-w / 2, -h / 2), (-w / 2, h / 2), (w / 2, h / 2), (w / 2, -h / 2)):
                local = (a.get("x", 0.0) + cx * math.cos(r) - cy * math.sin(r),
                         a.get("y", 0.0) + cx * math.sin(r) + cy * math.cos(r))
                points.append(_apply(bone, *local))
            continue
        vertices = a["vertices"]
        if len(vertices) == len(a["uvs"]):
            points += [_apply(bone, vertices[i], vertices[i + 1]) for i in range(0, len(vertices), 2)]
            continue
        i = 0
        while i < len(vertices):
            count = vertices[i]
            wx = wy = 0.0
            for k in range(count):
                index, bx, by, weight = vertices[i + 1 + 4 * k:i + 5 + 4 * k]
                px, py = _apply(world[names[index]], bx, by)
                wx += px * weight
                wy += py * weight
            points.append((wx, wy))
            i += 1 + 4 * count
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return min(xs), min(ys), max(xs) - min(xs), max(ys) - min(ys)


def _rounded(value):
    """Numbers as an exporter writes them: whole numbers bare, others to four decimals."""
    if isinstance(value, float):
        value = round(value, 4)
        return int(value) if value == int(value) else value
    if isinstance(value, list):
        return [_rounded(v) for v in value]
    if isinstance(value, dict):
        return {k: _rounded(v) for k, v in value.items()}
    return value


def _dump(value, depth):
    """JSON laid out like an export: one member per line, tab-indented, number lists on one line."""
    pad = "\t" * (depth + 1)
    if isinstance(value, dict):
        members = ",\n".join(pad + json.dumps(k) + ": " + _dump(v, depth + 1) for k, v in value.items())
        return "{\n" + members + "\n" + "\t" * depth + "}" if value else "{}"
    if isinstance(value, list) and any(isinstance(v, (dict, list)) for v in value):
        return "[\n" + ",\n".join(pad + _dump(v, depth + 1) for v in value) + "\n" + "\t" * depth + "]"
    if isinstance(value, list):
        return "[ " + ", ".join(json.dumps(v) for v in value) + " ]" if value else "[]"
    return json.dumps(value)


def write(folder, name, skeleton, images):
    """Writes <folder>/<name>/<name>.json, .atlas and .png; returns the bytes written."""
    out = os.path.join(folder, name)
    os.makedirs(out, exist_ok=True)
    size = pack(images)
    page_name = name + ".png"
    page_path = os.path.join(out, page_name)
    _page(images, size).save(page_path)
    with open(os.path.join(out, name + ".atlas"), "w", newline="\n") as f:
        f.write(_atlas_text(page_name, size, images))

    x, y, width, height = setup_bounds(skeleton)
    body = _rounded(dict(skeleton))
    digest = hashlib.sha1(json.dumps(body, sort_keys=True).encode()).digest()
    header = {"hash": base64.b64encode(digest).decode()[:11], "spine": "3.8.99",
              "x": x, "y": y, "width": width, "height": height}
    document = {"skeleton": _rounded(header)}
    document.update(body)
    json_path = os.path.join(out, name + ".json")
    with open(json_path, "w", newline="\n") as f:
        f.write(_dump(document, 0) + "\n")
    return sum(os.path.getsize(os.path.join(out, name + ext)) for ext in (".json", ".atlas", ".png"))
