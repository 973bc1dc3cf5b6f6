"""The smiley faces of Pimbrel's banner and icons, as distance functions (negative inside) and
the colours they are painted in; make_pictures.py renders them."""
import math


# --- distance functions (negative inside) ------------------------------------------------

def d_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def d_ellipse(x, y, cx, cy, rx, ry):
    # Good enough near the edge for small, nearly round ellipses.
    k = math.hypot((x - cx) / rx, (y - cy) / ry)
    return (k - 1.0) * min(rx, ry)


def d_box(x, y, x0, y0, x1, y1):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0)


def d_ring(x, y, cx, cy, r, half_width):
    return abs(math.hypot(x - cx, y - cy) - r) - half_width


def d_segment(x, y, ax, ay, bx, by, r):
    px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
    h = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - vx * h, py - vy * h) - r


def blend(under, over, alpha):
    return tuple(u + (o - u) * alpha for u, o in zip(under, over))


# --- the two faces -----------------------------------------------------------------------

YELLOW = (255, 214, 0)
YELLOW_LIGHT = (255, 243, 110)
FACE_EDGE = (110, 66, 0)
MOUTH = (110, 16, 16)
TONGUE = (232, 48, 56)
WHITE = (255, 255, 255)
DARK = (40, 24, 0)


def face_base(x, y, cx, cy, r, min_stroke):
    """The yellow disc with its dark rim: its colour at the point, or None outside, and the
    rim's width, which the features are drawn with too."""
    edge = max(r * 0.07, min_stroke)
    d = d_circle(x, y, cx, cy, r)
    if d > 0:
        return None, edge
    # light from the upper left
    t = min(1.0, math.hypot(x - (cx - r * 0.35), y - (cy - r * 0.4)) / (r * 1.3))
    colour = blend(YELLOW_LIGHT, YELLOW, t)
    if d > -edge:
        colour = FACE_EDGE
    return colour, edge


def laughing_face(x, y, cx, cy, r, min_stroke=0.0):
    """Eyes shut as two arches, mouth wide open with a red tongue."""
    colour, edge = face_base(x, y, cx, cy, r, min_stroke)
    if colour is None:
        return None
    stroke = max(r * 0.09, min_stroke) / 2
    for side in (-1, 1):
        ex, ey = cx + side * r * 0.36, cy - r * 0.22
        d = max(d_ring(x, y, ex, ey, r * 0.2, stroke), y - ey)
        if d <= 0:
            return DARK
    my, mr = cy + r * 0.08, r * 0.62
    mouth = max(d_circle(x, y, cx, my, mr), my - y)
    if mouth <= 0:
        if mouth > -edge:
            return FACE_EDGE
        if d_circle(x, y, cx, my + mr * 0.78, mr * 0.52) <= 0:
            return TONGUE
        return MOUTH
    return colour


def grinning_face(x, y, cx, cy, r, min_stroke=0.0):
    """Eyes wide open, teeth bared."""
    colour, edge = face_base(x, y, cx, cy, r, min_stroke)
    if colour is None:
        return None
    for side in (-1, 1):
        ex, ey = cx + side * r * 0.33, cy - r * 0.3
        d = d_ellipse(x, y, ex, ey, r * 0.17, r * 0.25)
        if d <= 0:
            if d > -edge * 0.8:
                return DARK
            if d_circle(x, y, ex + side * r * 0.03, ey + r * 0.04, r * 0.09) <= 0:
                return DARK
            return WHITE
    x0, x1, y0, y1 = cx - r * 0.58, cx + r * 0.58, cy + r * 0.16, cy + r * 0.6
    mouth = d_box(x, y, x0, y0, x1, y1) - r * 0.06
    if mouth <= 0:
        if mouth > -edge:
            return DARK
        gap = max(r * 0.03, 0.5)
        if abs(y - (y0 + y1) / 2) < gap:
            return (150, 130, 120)
        for k in (-2, -1, 0, 1, 2):
            if abs(x - (cx + k * r * 0.23)) < gap:
                return (150, 130, 120)
        return WHITE
    return colour
