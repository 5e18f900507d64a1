#!/usr/bin/env python3
"""Draws the six overview pictures (three unit variants, each with its mirror
image) as SVG side sections. Run from this directory; it rewrites the *.svg
files next to it.

Every position is written in the coordinates of the window's panel (840 x
515); a picture starts at its image offset inside the panel. The value labels
of the overview window sit at fixed places on each panel and are opaque white
boxes that grow to the right with their text, so each drawing is laid out
around them: every label has a free box as wide as its longest text
("-12.5 °C", "9999 m3/h", "100%", "2000 Pa"), with the thing it measures
right beside it. LABELS lists those boxes; `--zones FILE` writes them as JSON
for checking a drawing.

The window draws the T6 and T7 sensor tags itself, because it hides them
with their values when those sensors are not used; the drawings leave their
place free.
"""

import json
import math
import sys

FONT = "Liberation Sans"
WALL = "#455a64"
INK = "#37474f"
CAPTION = "#607d8b"
RING = "#90a4ae"
ODA = "#2e7d32"   # outdoor air
SUP = "#1565c0"   # supply air
ETA = "#c68400"   # extract air
EHA = "#8d5b3f"   # exhaust air
HEAT = "#c62828"
COOL = "#1e88e5"

# Widths of the value labels with their longest texts (bold 13 px).
W_TEMP, W_FLOW, W_PERCENT, W_PRESSURE = 50, 64, 34, 50


class Pic:
    def __init__(self, width, height, offset):
        self.w, self.h = width, height
        self.ox, self.oy = offset
        self.out = []

    # panel -> picture coordinates
    def X(self, x):
        return round(x - self.ox, 1)

    def Y(self, y):
        return round(y - self.oy, 1)

    def pts(self, points):
        return " ".join(f"{self.X(x)},{self.Y(y)}" for x, y in points)

    def rect(self, x0, y0, x1, y1, fill="none", stroke=INK, sw=1.0, rx=0, extra=""):
        stroke_attr = f'stroke="{stroke}" stroke-width="{sw}"' if stroke != "none" else 'stroke="none"'
        self.out.append(
            f'<rect x="{self.X(x0)}" y="{self.Y(y0)}" width="{round(x1 - x0, 1)}" height="{round(y1 - y0, 1)}" '
            f'rx="{rx}" fill="{fill}" {stroke_attr}{extra}/>')

    def line(self, x0, y0, x1, y1, stroke=INK, sw=1.0, extra=""):
        self.out.append(
            f'<line x1="{self.X(x0)}" y1="{self.Y(y0)}" x2="{self.X(x1)}" y2="{self.Y(y1)}" '
            f'stroke="{stroke}" stroke-width="{sw}"{extra}/>')

    def poly(self, points, fill="none", stroke=INK, sw=1.0, closed=True, extra=""):
        tag = "polygon" if closed else "polyline"
        self.out.append(f'<{tag} points="{self.pts(points)}" fill="{fill}" stroke="{stroke}" '
                        f'stroke-width="{sw}" stroke-linejoin="round"{extra}/>')

    def circle(self, cx, cy, r, fill="none", stroke=INK, sw=1.0, extra=""):
        self.out.append(f'<circle cx="{self.X(cx)}" cy="{self.Y(cy)}" r="{r}" fill="{fill}" '
                        f'stroke="{stroke}" stroke-width="{sw}"{extra}/>')

    def text(self, x, y, s, size=11, colour=CAPTION, anchor="middle", weight="normal"):
        """Text with its baseline at y."""
        self.out.append(f'<text x="{self.X(x)}" y="{self.Y(y)}" font-family="{FONT}" font-size="{size}" '
                        f'font-weight="{weight}" fill="{colour}" text-anchor="{anchor}">{s}</text>')

    def svg(self):
        head = (f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{self.w}" height="{self.h}" viewBox="0 0 {self.w} {self.h}">\n'
                f'<rect x="0" y="0" width="{self.w}" height="{self.h}" fill="#ffffff"/>\n')
        return head + "\n".join(self.out) + "\n</svg>\n"

    # ---- components -------------------------------------------------------

    def arrow(self, x0, y0, x1, y1, colour, sw=4.0, head=9, dashed=False):
        """Flow arrow from (x0, y0) to (x1, y1), head at the end."""
        dx, dy = x1 - x0, y1 - y0
        n = math.hypot(dx, dy)
        ux, uy = dx / n, dy / n
        bx, by = x1 - ux * head * 1.4, y1 - uy * head * 1.4
        extra = ' stroke-dasharray="6,4"' if dashed else ""
        self.line(x0, y0, bx, by, stroke=colour, sw=sw, extra=extra)
        self.poly([(x1, y1), (bx - uy * head, by + ux * head), (bx + uy * head, by - ux * head)],
                  fill=colour, stroke=colour, sw=1)

    def casing(self, x0, y0, x1, y1):
        self.rect(x0, y0, x1, y1, fill="#ffffff", stroke=WALL, sw=3, rx=4)

    def duct(self, x0, x1, y0, y1, wall_x):
        """Duct stub from x0 to x1, opening into the casing wall at wall_x."""
        self.rect(min(x0, x1), y0, max(x0, x1), y1, fill="#ffffff", stroke="none")
        self.line(x0, y0, x1, y0, stroke=WALL, sw=2)
        self.line(x0, y1, x1, y1, stroke=WALL, sw=2)
        # the opening in the casing wall
        self.rect(wall_x - 2.5, y0 + 1, wall_x + 2.5, y1 - 1, fill="#ffffff", stroke="none")

    def damper(self, x, y0, y1):
        """Damper across a duct: frame and three blades, seen from the side."""
        self.rect(x - 7, y0, x + 7, y1, fill="#ffffff", stroke=INK, sw=1.5)
        n = 3
        step = (y1 - y0) / n
        for i in range(n):
            cy = y0 + step * (i + 0.5)
            h = min(step * 0.38, 9)
            self.line(x - 5, cy + h, x + 5, cy - h, stroke=INK, sw=2)
            self.circle(x, cy, 1.6, fill=INK, stroke=INK)

    def hdamper(self, x0, x1, y):
        """Damper lying across a vertical passage."""
        self.rect(x0, y - 6, x1, y + 6, fill="#ffffff", stroke=INK, sw=1.5)
        n = 3
        step = (x1 - x0) / n
        for i in range(n):
            cx = x0 + step * (i + 0.5)
            w = step * 0.36
            self.line(cx - w, y + 4, cx + w, y - 4, stroke=INK, sw=2)
            self.circle(cx, y, 1.6, fill=INK, stroke=INK)

    def filter(self, x, y0, y1, fine, hw=7):
        """Pleated filter: frame with a zigzag, denser for the fine filter."""
        self.rect(x - hw, y0, x + hw, y1, fill="#ffffff", stroke=INK, sw=1.5)
        pitch = 6 if fine else 10
        pts, k, y = [], 0, y0 + 2
        while y <= y1 - 2:
            pts.append((x - hw + 2 if k % 2 == 0 else x + hw - 2, y))
            y += pitch
            k += 1
        self.poly(pts, stroke=INK, sw=1, closed=False)

    def coil(self, x, y0, y1, colour, hw=8):
        """Coil: frame with the tube rows as a meander, pipes at the foot."""
        self.rect(x - hw, y0, x + hw, y1, fill="#ffffff", stroke=INK, sw=1.5)
        pts, y, k = [], y0 + 5, 0
        while y <= y1 - 5:
            a, b = (x - hw + 3, x + hw - 3) if k % 2 == 0 else (x + hw - 3, x - hw + 3)
            pts += [(a, y), (b, y)]
            y += 7
            k += 1
        self.poly(pts, stroke=colour, sw=1.6, closed=False)
        self.line(x - 4, y1, x - 4, y1 + 7, stroke=colour, sw=2)
        self.line(x + 4, y1, x + 4, y1 + 7, stroke=colour, sw=2)

    def fan(self, cx, cy, r, direction, outlet="top"):
        """Centrifugal fan: housing with its outlet and the impeller.
        direction +1 blows to the right, -1 to the left; the outlet leaves the
        housing tangentially at its top or bottom."""
        oy = cy - r if outlet == "top" else cy + r - 12
        x_end = cx + direction * (r + 12)
        self.rect(min(cx, x_end), oy, max(cx, x_end), oy + 12, fill="#ffffff", stroke=INK, sw=2)
        self.circle(cx, cy, r, fill="#ffffff", stroke=INK, sw=2)
        # the housing's seam with the outlet stays open
        seam_x = cx + direction * (r - 1)
        self.line(seam_x, oy + 1.5, seam_x, oy + 10.5, stroke="#ffffff", sw=3)
        for i in range(8):
            a = math.radians(i * 45 + 10)
            r0, r1 = r * 0.42, r * 0.84
            x0, y0 = cx + r0 * math.cos(a), cy + r0 * math.sin(a)
            a2 = a + math.radians(28 * direction)
            x1, y1 = cx + r1 * math.cos(a2), cy + r1 * math.sin(a2)
            self.line(x0, y0, x1, y1, stroke=INK, sw=1.3)
        self.circle(cx, cy, 3, fill=INK, stroke=INK)

    def wheel(self, x0, x1, y0, y1, gap, hub):
        """Rotary heat exchanger seen from the side: the upper and lower halves
        of the matrix, and the hub between them at the partition."""
        ga, gb = gap
        for a, b in ((y0, ga), (gb, y1)):
            self.rect(x0, a, x1, b, fill="#ffffff", stroke=INK, sw=2, rx=5)
            k = a + 7
            while k < b - 4:
                self.line(x0 + 3, k, x1 - 3, k, stroke="#b0bec5", sw=1)
                k += 7
        hx0, hx1 = hub
        self.rect(hx0, ga - 2, hx1, gb + 2, fill="#cfd8dc", stroke=INK, sw=1.2, rx=3)

    def plates(self, cx, cy, hw, hh, window):
        """Cross-flow plate heat exchanger: a diamond of plates. `window` is a
        box left clear of plates for the exchanger-frost warning."""
        top, right, bottom, left = (cx, cy - hh), (cx + hw, cy), (cx, cy + hh), (cx - hw, cy)
        self.poly([top, right, bottom, left], fill="#ffffff", stroke=INK, sw=2)
        wx0, wy0, wx1, wy1 = window
        # where the exchanger-frost warning lights up
        self.rect(wx0 - 3, wy0 - 3, wx1 + 3, wy1 + 3, fill="#ffffff", stroke=RING, sw=1.2, rx=4,
                  extra=' stroke-dasharray="3,2"')
        n = 12
        for i in range(1, n):
            t = i / n
            a = (left[0] + (bottom[0] - left[0]) * t, left[1] + (bottom[1] - left[1]) * t)
            b = (top[0] + (right[0] - top[0]) * t, top[1] + (right[1] - top[1]) * t)
            for seg in clip_outside(a, b, (wx0 - 5, wy0 - 5, wx1 + 5, wy1 + 5)):
                self.line(*seg[0], *seg[1], stroke="#90a4ae", sw=1)

    def ring(self, x, y, w, h, caption, cx, cy, anchor="middle"):
        """Where an indicator disc of the window lights up: a faint ring, and
        what the disc tells."""
        self.circle(x + w / 2, y + h / 2, min(w, h) / 2 - 1.5, fill="#ffffff", stroke=RING, sw=1.2,
                    extra=' stroke-dasharray="3,2"')
        self.text(cx, cy, caption, size=10, colour=CAPTION, anchor=anchor)

    def leader(self, x0, x1, y, colour=INK):
        """Line under a value to the thing it belongs to, for a value whose
        short texts would otherwise stand apart from it."""
        self.line(x0, y, x1, y, stroke=colour, sw=1.5)
        self.circle(x0, y, 1.8, fill=colour, stroke=colour)

    def tag(self, x, y, name):
        """Sensor tag: a small box naming the temperature sensor."""
        self.rect(x, y, x + 21, y + 14, fill="#ffffff", stroke=INK, sw=1, rx=3)
        self.text(x + 10.5, y + 11, name, size=10, colour=INK, weight="bold")

    def bypass(self, points, colour, width=12):
        """Bypass channel behind the exchanger: a light band with a dashed
        flow arrow along it."""
        d = "M " + " L ".join(f"{self.X(x)},{self.Y(y)}" for x, y in points)
        self.out.append(f'<path d="{d}" fill="none" stroke="{colour}" stroke-opacity="0.16" '
                        f'stroke-width="{width}" stroke-linejoin="round" stroke-linecap="butt"/>')
        for a, b in zip(points[:-2], points[1:-1]):
            self.line(a[0], a[1], b[0], b[1], stroke=colour, sw=2, extra=' stroke-dasharray="5,3"')
        self.arrow(points[-2][0], points[-2][1], points[-1][0], points[-1][1], colour, sw=2, head=5,
                   dashed=True)


def clip_outside(a, b, box):
    """Parts of segment a-b outside box (x0, y0, x1, y1)."""
    x0, y0, x1, y1 = box
    steps = 200
    parts, start, prev = [], None, None
    for i in range(steps + 1):
        t = i / steps
        p = (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)
        inside = x0 <= p[0] <= x1 and y0 <= p[1] <= y1
        if not inside and start is None:
            start = p
        if inside and start is not None:
            parts.append((start, prev))
            start = None
        prev = p
    if start is not None:
        parts.append((start, prev))
    return [s for s in parts if s[0] != s[1]]


# ---------------------------------------------------------------------------
# The value labels of each panel: name, position, and the width and height of
# their box with the longest text. Positions are the window's.

def temp(x, y):
    return (x, y, W_TEMP, 16)


def flow(x, y):
    return (x, y, W_FLOW, 16)


def pct(x, y):
    return (x, y, W_PERCENT, 16)


def pa(x, y):
    return (x, y, W_PRESSURE, 16)


LABELS = {
    "wwli": {
        "T1": temp(204, 289), "T2": temp(327, 288), "T3": temp(329, 152), "T4": temp(163, 126),
        "T5": temp(664, 294), "T6": temp(710, 233), "T7": temp(756, 218),
        "ToeM3": flow(736, 288), "AfM3": flow(736, 169), "ToePerc": pct(472, 299), "AfPerc": pct(456, 136),
        "HeatWheel": pct(280, 221), "VerwKlep": pct(347, 319), "KoelKlep": pct(602, 328),
        "Vorst": (56, 416, 45, 16), "VorstT2": (344, 344, 28, 16), "FIRE": (440, 29, 48, 24),
        "PSupply": pa(176, 251), "PExhaust": pa(624, 83),
        "ShapeAfVoerKlep": (201, 144, 30, 30), "ShapeToeVoerKlep": (149, 299, 30, 30),
        "ShapeWWRun": (263, 336, 27, 27),
    },
    "wwre": {
        "T1": temp(598, 286), "T2": temp(476, 283), "T3": temp(468, 154), "T4": temp(644, 123),
        "T5": temp(136, 294), "T6": temp(24, 238), "T7": temp(64, 223),
        "ToeM3": flow(16, 288), "AfM3": flow(16, 163), "ToePerc": pct(330, 298), "AfPerc": pct(344, 136),
        "HeatWheel": pct(522, 220), "VerwKlep": pct(456, 316), "KoelKlep": pct(200, 328),
        "Vorst": (712, 408, 45, 16), "VorstT2": (456, 336, 28, 16), "FIRE": (328, 21, 48, 24),
        "PSupply": pa(624, 244), "PExhaust": pa(136, 78),
        "ShapeAfVoerKlep": (598, 133, 30, 30), "ShapeToeVoerKlep": (650, 293, 30, 30),
        "ShapeWWRun": (539, 328, 27, 27),
    },
    "recup1": {
        "T1": temp(227, 102), "T2": temp(293, 321), "T3": temp(241, 321), "T4": temp(296, 102),
        "T5": temp(656, 278), "T6": temp(696, 230), "T7": temp(752, 214),
        "ToeM3": flow(736, 281), "AfM3": flow(736, 165), "ToePerc": pct(495, 288), "AfPerc": pct(494, 127),
        "Bypass": pct(359, 74), "VerwKlep": pct(400, 310), "KoelKlep": pct(592, 310),
        "Vorst": (24, 120, 45, 16), "VorstT2": (400, 334, 28, 16), "FIRE": (448, 13, 48, 24),
        "RecupFrost": (258, 205, 53, 24), "PSupply": pa(192, 86), "PExhaust": pa(192, 254),
        "ShapeToeVoerKlep": (133, 116, 31, 29),
    },
    "recup2": {
        "T1": temp(563, 118), "T2": temp(496, 336), "T3": temp(547, 336), "T4": temp(480, 118),
        "T5": temp(140, 289), "T6": temp(20, 241), "T7": temp(68, 225),
        "ToeM3": flow(9, 289), "AfM3": flow(9, 169), "ToePerc": pct(296, 296), "AfPerc": pct(297, 131),
        "Bypass": pct(431, 74), "VerwKlep": pct(400, 302), "KoelKlep": pct(202, 315),
        "Vorst": (712, 118, 45, 16), "VorstT2": (400, 326, 28, 16), "FIRE": (288, 23, 48, 24),
        "RecupFrost": (506, 213, 53, 24), "PSupply": pa(638, 80), "PExhaust": pa(608, 248),
        "ShapeToeVoerKlep": (653, 124, 31, 29),
    },
    "marvek1": {
        "T1": temp(202, 120), "T2": temp(523, 275), "T3": temp(220, 275), "T4": temp(533, 142),
        "T5": temp(658, 280), "T6": temp(698, 232), "T7": temp(746, 216),
        "ToeM3": flow(739, 281), "AfM3": flow(738, 166), "ToePerc": pct(467, 291), "AfPerc": pct(466, 129),
        "Bypass": pct(235, 79), "VerwKlep": pct(546, 312), "KoelKlep": pct(634, 312),
        "Vorst": (17, 129, 45, 16), "VorstT2": (546, 334, 28, 16), "FIRE": (384, 31, 48, 24),
        "RecupFrost": (322, 213, 53, 24), "PSupply": pa(193, 104), "PExhaust": pa(174, 257),
        "ShapeToeVoerKlep": (140, 124, 31, 29),
    },
    "marvek2": {
        "T1": temp(609, 116), "T2": temp(287, 278), "T3": temp(589, 280), "T4": temp(287, 147),
        "T5": temp(158, 289), "T6": temp(38, 233), "T7": temp(86, 217),
        "ToeM3": flow(9, 289), "AfM3": flow(9, 161), "ToePerc": pct(339, 293), "AfPerc": pct(339, 131),
        "Bypass": pct(573, 80), "VerwKlep": pct(259, 315), "KoelKlep": pct(177, 315),
        "Vorst": (730, 110, 45, 16), "VorstT2": (259, 336, 28, 16), "FIRE": (296, 23, 48, 24),
        "RecupFrost": (474, 213, 53, 24), "PSupply": pa(640, 44), "PExhaust": pa(642, 240),
        "ShapeToeVoerKlep": (672, 124, 31, 29),
    },
}


# ---------------------------------------------------------------------------
# Heat wheel unit, drawn for each orientation. d = +1: outdoor air enters at
# the left and supply air leaves at the right (lower deck); extract air
# enters at the right and exhaust air leaves at the left (upper deck).

def heat_wheel_left(p):
    top, bottom, mid = 105, 378, 215
    left, right = 142, 707
    p.casing(left, top, right, bottom)
    p.line(left, mid, 256, mid, stroke=WALL, sw=3)
    p.line(300, mid, right, mid, stroke=WALL, sw=3)

    p.duct(48, left, 125, 190, left)      # exhaust air out
    p.duct(48, left, 258, 338, left)      # outdoor air in
    p.duct(right, 816, 128, 200, right)   # extract air in
    p.duct(right, 816, 252, 330, right)   # supply air out
    p.arrow(112, 157, 54, 157, EHA)
    p.arrow(56, 280, 110, 280, ODA)
    p.arrow(812, 147, 754, 147, ETA)
    p.arrow(740, 268, 810, 268, SUP)
    p.text(95, 118, "Exhaust air", colour=EHA, size=12, weight="bold")
    p.text(95, 354, "Outdoor air", colour=ODA, size=12, weight="bold")
    p.text(761, 121, "Extract air", colour=ETA, size=12, weight="bold")
    p.text(761, 347, "Supply air", colour=SUP, size=12, weight="bold")

    # supply deck
    p.damper(128, 262, 334)
    p.ring(149, 299, 30, 30, "open", 164, 342)
    p.filter(188, 270, 374, fine=True)
    p.wheel(256, 300, 108, 375, (213, 238), (253, 278))
    p.ring(263, 336, 27, 27, "turning", 321, 355)
    p.coil(394, 228, 366, HEAT)
    p.fan(440, 300, 27, +1)
    p.coil(649, 228, 366, COOL)
    p.tag(204, 274, "T1")
    p.tag(327, 273, "T2")
    p.tag(664, 279, "T5")
    p.arrow(486, 246, 530, 246, SUP, sw=2, head=5)
    p.arrow(560, 246, 604, 246, SUP, sw=2, head=5)
    p.arrow(204, 238, 236, 238, ODA, sw=2, head=5)

    # extract deck
    p.damper(242, 109, 211)
    p.ring(201, 144, 30, 30, "open", 216, 187)
    p.fan(420, 160, 27, -1)
    p.filter(649, 108, 212, fine=False)
    p.tag(163, 111, "T4")
    p.tag(329, 137, "T3")
    p.arrow(560, 122, 516, 122, ETA, sw=2, head=5)
    p.arrow(370, 196, 326, 196, ETA, sw=2, head=5)

    p.text(188, 393, "fine filter")
    p.text(278, 393, "heat wheel")
    p.text(394, 393, "heating coil")
    p.text(440, 345, "supply fan")
    p.text(649, 393, "cooling coil")
    p.text(420, 207, "exhaust fan")
    p.text(638, 207, "coarse filter", anchor="end")
    p.leader(347, 386, 337.5, HEAT)
    p.leader(602, 642, 346.5, COOL)


def heat_wheel_right(p):
    top, bottom, mid = 105, 378, 215
    left, right = 123, 705
    p.casing(left, top, right, bottom)
    p.line(left, mid, 530, mid, stroke=WALL, sw=3)
    p.line(574, mid, right, mid, stroke=WALL, sw=3)

    p.duct(12, left, 128, 200, left)      # extract air in
    p.duct(12, left, 258, 330, left)      # supply air out
    p.duct(right, 800, 125, 190, right)   # exhaust air out
    p.duct(right, 800, 258, 338, right)   # outdoor air in
    p.arrow(18, 147, 76, 147, ETA)
    p.arrow(90, 272, 20, 272, SUP)
    p.arrow(740, 157, 796, 157, EHA)
    p.arrow(794, 280, 744, 280, ODA)
    p.text(67, 121, "Extract air", colour=ETA, size=12, weight="bold")
    p.text(67, 347, "Supply air", colour=SUP, size=12, weight="bold")
    p.text(752, 118, "Exhaust air", colour=EHA, size=12, weight="bold")
    p.text(752, 354, "Outdoor air", colour=ODA, size=12, weight="bold")

    # supply deck
    p.damper(719, 262, 334)
    p.ring(650, 293, 30, 30, "damper open", 681, 336, anchor="end")
    p.filter(691, 262, 374, fine=True)
    p.wheel(530, 574, 108, 375, (213, 238), (558, 577))
    p.ring(539, 328, 27, 27, "turning", 528, 356, anchor="end")
    p.coil(436, 228, 366, HEAT)
    p.fan(396, 300, 27, -1)
    p.coil(248, 228, 366, COOL)
    p.tag(598, 271, "T1")
    p.tag(476, 268, "T2")
    p.tag(136, 279, "T5")
    p.arrow(350, 246, 306, 246, SUP, sw=2, head=5)
    p.arrow(640, 238, 604, 238, ODA, sw=2, head=5)

    # extract deck
    p.damper(588, 109, 211)
    p.ring(598, 133, 30, 30, "open", 613, 176)
    p.fan(410, 160, 27, +1)
    p.filter(161, 108, 212, fine=False)
    p.tag(644, 108, "T4")
    p.tag(468, 139, "T3")
    p.arrow(250, 122, 294, 122, ETA, sw=2, head=5)
    p.arrow(470, 196, 514, 196, ETA, sw=2, head=5)

    p.text(691, 393, "fine filter")
    p.text(552, 393, "heat wheel")
    p.text(436, 393, "heating coil")
    p.text(396, 345, "supply fan")
    p.text(248, 393, "cooling coil")
    p.text(410, 207, "exhaust fan")
    p.text(172, 207, "coarse filter", anchor="start")
    p.leader(200, 240, 346.5, COOL)
    p.leader(624, 684, 262.5)


# ---------------------------------------------------------------------------
# Plate exchanger units. The two air paths cross in the exchanger: outdoor
# air enters the upper deck and leaves the exchanger into the lower deck as
# supply air; extract air enters the lower deck and leaves into the upper
# deck as exhaust air. The bypass lets one of the two paths pass the plates
# through a channel behind the exchanger: extract air to the exhaust side
# (exhaust-side bypass), or outdoor air to the supply side (supply-side
# bypass).

def exchanger_core(p, cx, cy, hw, hh, window, d):
    """The exchanger with its four flows; d = +1 when outdoor air enters at
    the left."""
    p.plates(cx, cy, hw, hh, window)
    # outdoor air in through the upper face, supply air out of the lower one
    p.arrow(cx - d * hw * 0.92, cy - hh * 0.62, cx - d * hw * 0.56, cy - hh * 0.24, ODA, sw=2, head=5)
    p.arrow(cx + d * hw * 0.45, cy + hh * 0.35, cx + d * hw * 0.85, cy + hh * 0.77, SUP, sw=2, head=5)


def exchanger_exhaust_bypass_left(p):
    top, bottom, left, right = 60, 390, 120, 691
    cx, cy, hw, hh = 291, 218, 75, 95
    p.casing(left, top, right, bottom)
    p.line(left, cy, cx - hw, cy, stroke=WALL, sw=3)
    p.line(cx + hw, cy, right, cy, stroke=WALL, sw=3)
    p.line(cx, top, cx, cy - hh, stroke=WALL, sw=3)
    p.line(cx + 0.5, cy + hh, cx + 0.5, bottom, stroke=WALL, sw=2)
    exchanger_core(p, cx, cy, hw, hh, (258, 205, 311, 229), +1)
    p.arrow(212, 248, 240, 221, ETA, sw=2, head=5)
    p.arrow(305, 172, 330, 140, EHA, sw=2, head=5)

    p.duct(26, left, 64, 116, left)       # outdoor air in
    p.duct(26, left, 286, 356, left)      # extract air in
    p.duct(right, 805, 128, 196, right)   # exhaust air out
    p.duct(right, 805, 254, 330, right)   # supply air out
    p.arrow(32, 90, 90, 90, ODA)
    p.arrow(32, 321, 90, 321, ETA)
    p.arrow(722, 148, 800, 148, EHA)
    p.arrow(722, 268, 800, 268, SUP)
    p.text(73, 57, "Outdoor air", colour=ODA, size=12, weight="bold")
    p.text(73, 374, "Extract air", colour=ETA, size=12, weight="bold")
    p.text(748, 121, "Exhaust air", colour=EHA, size=12, weight="bold")
    p.text(748, 347, "Supply air", colour=SUP, size=12, weight="bold")

    p.damper(112, 67, 113)
    p.ring(133, 116, 31, 29, "open", 148, 157)
    p.filter(178, top + 4, cy - 3, fine=True)
    p.filter(178, cy + 3, bottom - 4, fine=False)
    p.tag(203, 103, "T1")
    p.tag(296, 87, "T4")
    p.tag(241, 338, "T3")
    p.tag(293, 338, "T2")
    p.tag(656, 263, "T5")
    p.arrow(190, 198, 214, 198, ODA, sw=2, head=5)
    p.arrow(192, 300, 226, 300, ETA, sw=2, head=5)

    # exhaust side
    p.fan(458, 150, 28, +1, outlet="bottom")
    p.damper(705, 131, 193)
    p.arrow(560, 110, 604, 110, EHA, sw=2, head=5)
    # supply side
    p.coil(445, cy + 10, bottom - 16, HEAT)
    p.fan(512, 342, 24, +1)
    p.coil(637, cy + 10, bottom - 16, COOL)
    p.leader(400, 438, 328.5, HEAT)
    p.leader(592, 630, 328.5, COOL)
    p.arrow(466, 240, 506, 240, SUP, sw=2, head=5)
    p.arrow(652, 240, 684, 240, SUP, sw=2, head=5)

    # bypass: extract air behind the exchanger to the damper on the exhaust side
    p.bypass([(262, 300), (318, 246), (352, 190), (377, 140), (377, 107)], ETA)
    p.hdamper(362, 392, 100)
    p.text(398, 104, "bypass", anchor="start")

    p.text(178, 55, "fine filter")
    p.text(178, 404, "coarse filter")
    p.text(291, 404, "plate heat exchanger")
    p.text(445, 404, "heating coil")
    p.text(512, 382, "supply fan")
    p.text(637, 404, "cooling coil")
    p.text(458, 196, "exhaust fan")


def exchanger_exhaust_bypass_right(p):
    top, bottom, left, right = 60, 390, 124, 700
    cx, cy, hw, hh = 546, 225, 80, 90
    p.casing(left, top, right, bottom)
    p.line(left, cy, cx - hw, cy, stroke=WALL, sw=3)
    p.line(cx + hw, cy, right, cy, stroke=WALL, sw=3)
    p.line(cx, top, cx, cy - hh, stroke=WALL, sw=3)
    p.line(cx - 0.1, cy + hh, cx - 0.1, bottom, stroke=WALL, sw=1.6)
    exchanger_core(p, cx, cy, hw, hh, (506, 213, 559, 237), -1)
    p.arrow(636, 240, 610, 214, ETA, sw=2, head=5)
    p.arrow(532, 183, 506, 155, EHA, sw=2, head=5)

    p.duct(12, left, 128, 200, left)      # exhaust air out
    p.duct(12, left, 262, 330, left)      # supply air out
    p.duct(right, 805, 64, 116, right)    # outdoor air in
    p.duct(right, 805, 286, 356, right)   # extract air in
    p.arrow(98, 146, 18, 146, EHA)
    p.arrow(100, 276, 18, 276, SUP)
    p.arrow(800, 90, 742, 90, ODA)
    p.arrow(800, 321, 742, 321, ETA)
    p.text(68, 121, "Exhaust air", colour=EHA, size=12, weight="bold")
    p.text(68, 347, "Supply air", colour=SUP, size=12, weight="bold")
    p.text(752, 57, "Outdoor air", colour=ODA, size=12, weight="bold")
    p.text(752, 374, "Extract air", colour=ETA, size=12, weight="bold")

    p.damper(708, 67, 113)
    p.ring(653, 124, 31, 29, "open", 668, 165)
    p.filter(627, top + 4, cy - 3, fine=True)
    p.filter(669, cy + 3, bottom - 4, fine=False)
    p.tag(563, 103, "T1")
    p.tag(480, 103, "T4")
    p.tag(547, 353, "T3")
    p.tag(496, 353, "T2")
    p.tag(140, 274, "T5")
    p.arrow(655, 300, 629, 300, ETA, sw=2, head=5)

    # exhaust side
    p.fan(364, 150, 28, -1, outlet="bottom")
    p.damper(110, 131, 197)
    p.arrow(290, 110, 250, 110, EHA, sw=2, head=5)
    # supply side
    p.coil(445, cy + 10, bottom - 16, HEAT)
    p.fan(362, 298, 26, -1)
    p.coil(249, cy + 10, bottom - 16, COOL)
    p.leader(400, 438, 320.5, HEAT)
    p.leader(202, 242, 333.5, COOL)
    p.leader(608, 662, 266.5)
    p.arrow(420, 240, 384, 240, SUP, sw=2, head=5)
    p.arrow(230, 240, 196, 240, SUP, sw=2, head=5)

    p.bypass([(580, 300), (535, 268), (494, 242), (478, 208), (452, 162), (449, 140), (449, 107)], ETA)
    p.hdamper(434, 464, 100)
    p.text(428, 104, "bypass", anchor="end")

    p.text(627, 55, "fine filter")
    p.text(669, 404, "coarse filter")
    p.text(546, 404, "plate heat exchanger")
    p.text(445, 404, "heating coil")
    p.text(362, 342, "supply fan")
    p.text(249, 404, "cooling coil")
    p.text(364, 196, "exhaust fan")


def exchanger_supply_bypass_left(p):
    top, bottom, left, right = 62, 390, 128, 693
    cx, cy, hw, hh = 348, 225, 90, 98
    p.casing(left, top, right, bottom)
    p.line(left, cy, cx - hw, cy, stroke=WALL, sw=3)
    p.line(cx + hw, cy, right, cy, stroke=WALL, sw=3)
    p.line(cx, top, cx, cy - hh, stroke=WALL, sw=3)
    p.line(cx, cy + hh, cx, bottom, stroke=WALL, sw=3)
    p.plates(cx, cy, hw, hh, (322, 213, 375, 237))
    p.arrow(265, 164, 297, 201, ODA, sw=2, head=5)
    p.arrow(356, 282, 384, 312, SUP, sw=2, head=5)
    p.arrow(280, 284, 306, 252, ETA, sw=2, head=5)
    p.arrow(380, 168, 399, 147, EHA, sw=2, head=5)

    p.duct(26, left, 76, 124, left)       # outdoor air in
    p.duct(26, left, 290, 360, left)      # extract air in
    p.duct(right, 805, 130, 198, right)   # exhaust air out
    p.duct(right, 805, 256, 330, right)   # supply air out
    p.arrow(30, 100, 98, 100, ODA)
    p.arrow(30, 325, 98, 325, ETA)
    p.arrow(718, 148, 800, 148, EHA)
    p.arrow(716, 270, 800, 270, SUP)
    p.text(77, 69, "Outdoor air", colour=ODA, size=12, weight="bold")
    p.text(77, 378, "Extract air", colour=ETA, size=12, weight="bold")
    p.text(749, 123, "Exhaust air", colour=EHA, size=12, weight="bold")
    p.text(749, 347, "Supply air", colour=SUP, size=12, weight="bold")

    p.damper(120, 79, 121)
    p.ring(140, 124, 31, 29, "open", 155, 165)
    p.filter(182, top + 4, cy - 3, fine=True)
    p.filter(165, cy + 3, bottom - 4, fine=False)
    p.tag(202, 137, "T1")
    p.tag(533, 127, "T4")
    p.tag(220, 292, "T3")
    p.tag(523, 260, "T2")
    p.tag(658, 265, "T5")
    p.arrow(195, 200, 225, 200, ODA, sw=2, head=5)
    p.arrow(180, 302, 212, 302, ETA, sw=2, head=5)

    # exhaust side
    p.fan(432, 145, 26, +1, outlet="bottom")
    p.damper(700, 133, 195)
    p.arrow(540, 100, 580, 100, EHA, sw=2, head=5)
    # supply side
    p.fan(437, 300, 26, +1)
    p.coil(591, cy + 10, bottom - 16, HEAT)
    p.coil(623, cy + 10, bottom - 16, COOL)
    p.leader(546, 584, 330.5, HEAT)
    p.arrow(485, 242, 520, 242, SUP, sw=2, head=5)
    p.arrow(640, 242, 672, 242, SUP, sw=2, head=5)

    # bypass: outdoor air from the damper behind the exchanger to the supply side
    p.damper(280, 70, 114)
    p.bypass([(288, 92), (335, 150), (372, 178), (404, 214), (414, 258)], ODA)
    p.text(294, 77, "bypass", anchor="start")

    p.text(182, 57, "fine filter")
    p.text(165, 404, "coarse filter")
    p.text(348, 404, "plate heat exchanger")
    p.text(598, 404, "heating coil", anchor="end")
    p.text(616, 404, "cooling coil", anchor="start")
    p.text(437, 342, "supply fan")
    p.text(432, 113, "exhaust fan")


def exchanger_supply_bypass_right(p):
    top, bottom, left, right = 62, 390, 145, 715
    cx, cy, hw, hh = 501, 225, 90, 98
    p.casing(left, top, right, bottom)
    p.line(left, cy, cx - hw, cy, stroke=WALL, sw=3)
    p.line(cx + hw, cy, right, cy, stroke=WALL, sw=3)
    p.line(cx, top, cx, cy - hh, stroke=WALL, sw=3)
    p.line(cx, cy + hh, cx, bottom, stroke=WALL, sw=3)
    p.plates(cx, cy, hw, hh, (474, 213, 527, 237))
    p.arrow(584, 164, 552, 201, ODA, sw=2, head=5)
    p.arrow(493, 282, 465, 312, SUP, sw=2, head=5)
    p.arrow(569, 284, 543, 252, ETA, sw=2, head=5)
    p.arrow(469, 168, 450, 147, EHA, sw=2, head=5)

    p.duct(12, left, 128, 200, left)      # exhaust air out
    p.duct(12, left, 258, 330, left)      # supply air out
    p.duct(right, 833, 128, 178, right)   # outdoor air in
    p.duct(right, 833, 290, 360, right)   # extract air in
    p.arrow(118, 146, 18, 146, EHA)
    p.arrow(130, 272, 20, 272, SUP)
    p.arrow(828, 153, 742, 153, ODA)
    p.arrow(828, 325, 742, 325, ETA)
    p.text(78, 121, "Exhaust air", colour=EHA, size=12, weight="bold")
    p.text(78, 347, "Supply air", colour=SUP, size=12, weight="bold")
    p.text(779, 101, "Outdoor air", colour=ODA, size=12, weight="bold")
    p.text(779, 378, "Extract air", colour=ETA, size=12, weight="bold")

    p.damper(722, 131, 175)
    p.ring(672, 124, 31, 29, "open", 687, 165)
    p.filter(666, top + 4, cy - 3, fine=True, hw=5)
    p.filter(703, cy + 3, bottom - 4, fine=False)
    p.tag(609, 101, "T1")
    p.tag(287, 132, "T4")
    p.tag(589, 297, "T3")
    p.tag(287, 263, "T2")
    p.tag(158, 274, "T5")
    p.arrow(654, 200, 626, 200, ODA, sw=2, head=5)
    p.arrow(690, 302, 658, 302, ETA, sw=2, head=5)

    # exhaust side
    p.fan(405, 145, 26, -1, outlet="bottom")
    p.damper(131, 131, 197)
    p.arrow(309, 100, 269, 100, EHA, sw=2, head=5)
    # supply side
    p.fan(405, 300, 26, -1)
    p.coil(248, cy + 10, bottom - 16, HEAT)
    p.coil(222, cy + 10, bottom - 16, COOL)
    p.leader(177, 215, 333.5, COOL)
    p.leader(642, 696, 258.5)
    p.arrow(364, 242, 329, 242, SUP, sw=2, head=5)
    p.arrow(209, 242, 177, 242, SUP, sw=2, head=5)

    p.damper(555, 70, 114)
    p.bypass([(548, 92), (514, 150), (477, 178), (445, 214), (435, 258)], ODA)
    p.text(542, 77, "bypass", anchor="end")

    p.text(636, 57, "fine filter", anchor="end")
    p.text(703, 404, "coarse filter")
    p.text(501, 404, "plate heat exchanger")
    p.text(255, 404, "heating coil", anchor="start")
    p.text(215, 404, "cooling coil", anchor="end")
    p.text(405, 342, "supply fan")
    p.text(405, 113, "exhaust fan")


PANELS = [
    # file, picture size, image offset, drawing, labels
    ("heatwheel-left.svg", (817, 457), (8, 32), heat_wheel_left, "wwli"),
    ("heatwheel-right.svg", (800, 441), (8, 32), heat_wheel_right, "wwre"),
    ("exchanger-exhaust-bypass-left.svg", (801, 393), (8, 32), exchanger_exhaust_bypass_left, "recup1"),
    ("exchanger-exhaust-bypass-right.svg", (801, 393), (8, 32), exchanger_exhaust_bypass_right, "recup2"),
    ("exchanger-supply-bypass-left.svg", (801, 393), (10, 32), exchanger_supply_bypass_left, "marvek1"),
    ("exchanger-supply-bypass-right.svg", (823, 393), (10, 32), exchanger_supply_bypass_right, "marvek2"),
]


def main():
    zones = {}
    for name, size, offset, draw, labels in PANELS:
        p = Pic(size[0], size[1], offset)
        draw(p)
        with open(name, "w", encoding="utf-8") as f:
            f.write(p.svg())
        zones[name] = {"offset": offset, "labels": LABELS[labels]}
    if len(sys.argv) == 3 and sys.argv[1] == "--zones":
        with open(sys.argv[2], "w", encoding="utf-8") as f:
            json.dump(zones, f, indent=1)


if __name__ == "__main__":
    main()
