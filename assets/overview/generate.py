#!/usr/bin/env python3
"""Draws the six overview pictures (three unit variants, each with its mirror
image) as SVG side sections. Run from this directory; it rewrites the *.svg
files next to it.

Geometry is written in the coordinates of the window's panel (840 x 515) for
the left-hand drawing of each variant; the mirror image flips it about a
vertical axis. Sensor tags (T1..T7) are placed beside the value labels of
each panel, which is why each panel lists its own label positions.
"""

import math

FONT = "Liberation Sans"
WALL = "#455a64"
FILL = "#f4f7f9"
INK = "#37474f"
CAPTION = "#607d8b"
ODA = "#2e7d32"   # outdoor air
SUP = "#1565c0"   # supply air
ETA = "#c68400"   # extract air
EHA = "#8d5b3f"   # exhaust air
HEAT = "#c62828"
COOL = "#1e88e5"


class Pic:
    def __init__(self, width, height, offset, mirror_axis=None):
        self.w, self.h = width, height
        self.ox, self.oy = offset
        self.axis = mirror_axis
        self.out = []

    # panel -> picture coordinates
    def X(self, x):
        if self.axis is not None:
            x = self.axis - x
        return round(x - self.ox, 1)

    def Y(self, y):
        return round(y - self.oy, 1)

    def pts(self, points):
        return " ".join(f"{self.X(x)},{self.Y(y)}" for x, y in points)

    def rect(self, x0, y0, x1, y1, fill="none", stroke=INK, sw=1.0, rx=0, extra=""):
        a, b = sorted((self.X(x0), self.X(x1)))
        self.out.append(
            f'<rect x="{a}" y="{self.Y(y0)}" width="{round(b - a, 1)}" height="{y1 - y0}" rx="{rx}" '
            f'fill="{fill}" stroke="{stroke}" stroke-width="{sw}"{extra}/>')

    def line(self, x0, y0, x1, y1, stroke=INK, sw=1.0, extra=""):
        self.out.append(
            f'<line x1="{self.X(x0)}" y1="{self.Y(y0)}" x2="{self.X(x1)}" y2="{self.Y(y1)}" '
            f'stroke="{stroke}" stroke-width="{sw}"{extra}/>')

    def poly(self, points, fill="none", stroke=INK, sw=1.0, closed=True, extra=""):
        tag = "polygon" if closed else "polyline"
        self.out.append(f'<{tag} points="{self.pts(points)}" fill="{fill}" stroke="{stroke}" '
                        f'stroke-width="{sw}" stroke-linejoin="round"{extra}/>')

    def circle(self, cx, cy, r, fill="none", stroke=INK, sw=1.0):
        self.out.append(f'<circle cx="{self.X(cx)}" cy="{self.Y(cy)}" r="{r}" fill="{fill}" '
                        f'stroke="{stroke}" stroke-width="{sw}"/>')

    def text(self, x, y, s, size=11, colour=CAPTION, anchor="middle", weight="normal", raw=False):
        # raw: x is already a position of this panel (tags beside labels)
        if raw:
            px = round(x - self.ox, 1)
        else:
            px = self.X(x)
            if self.axis is not None and anchor != "middle":
                anchor = "end" if anchor == "start" else "start"
        self.out.append(f'<text x="{px}" y="{self.Y(y)}" font-family="{FONT}" font-size="{size}" '
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

    def damper(self, x, y0, y1):
        """Damper in a duct: frame and three blades, seen from the side."""
        self.rect(x - 7, y0, x + 7, y1, fill="#ffffff", stroke=INK, sw=1.5)
        n = 3
        step = (y1 - y0) / n
        for i in range(n):
            cy = y0 + step * (i + 0.5)
            h = step * 0.38
            self.line(x - 5, cy + h, x + 5, cy - h, stroke=INK, sw=2)
            self.circle(x, cy, 1.6, fill=INK, stroke=INK)

    def hdamper(self, x0, x1, y):
        """Damper lying in a horizontal opening (the bypass)."""
        self.rect(x0, y - 7, x1, y + 7, fill="#ffffff", stroke=INK, sw=1.5)
        n = 3
        step = (x1 - x0) / n
        for i in range(n):
            cx = x0 + step * (i + 0.5)
            w = step * 0.38
            self.line(cx - w, y + 5, cx + w, y - 5, stroke=INK, sw=2)
            self.circle(cx, y, 1.6, fill=INK, stroke=INK)

    def filter(self, x, y0, y1, fine):
        """Pleated filter: frame with a zigzag, denser for the fine filter."""
        self.rect(x - 7, y0, x + 7, y1, fill="#ffffff", stroke=INK, sw=1.5)
        pitch = 6 if fine else 10
        pts, k, y = [], 0, y0 + 2
        while y <= y1 - 2:
            pts.append((x - 5 if k % 2 == 0 else x + 5, y))
            y += pitch
            k += 1
        self.poly(pts, stroke=INK, sw=1, closed=False)

    def coil(self, x, y0, y1, colour, hw=8):
        """Coil: frame with the tube rows as a meander."""
        self.rect(x - hw, y0, x + hw, y1, fill="#ffffff", stroke=INK, sw=1.5)
        pts, y, k = [], y0 + 5, 0
        while y <= y1 - 5:
            a, b = (x - hw + 3, x + hw - 3) if k % 2 == 0 else (x + hw - 3, x - hw + 3)
            pts += [(a, y), (b, y)]
            y += 7
            k += 1
        self.poly(pts, stroke=colour, sw=1.6, closed=False)
        # supply and return pipes below the coil
        self.line(x - 4, y1, x - 4, y1 + 9, stroke=colour, sw=2)
        self.line(x + 4, y1, x + 4, y1 + 9, stroke=colour, sw=2)

    def fan(self, cx, cy, r, direction):
        """Centrifugal fan: housing, impeller blades and the outlet direction.
        direction: +1 blows to the right in the left-hand drawing, -1 to the left."""
        self.circle(cx, cy, r, fill="#ffffff", stroke=INK, sw=2)
        for i in range(8):
            a = math.radians(i * 45 + 10)
            r0, r1 = r * 0.42, r * 0.86
            x0, y0 = cx + r0 * math.cos(a), cy + r0 * math.sin(a)
            a2 = a + math.radians(28)
            x1, y1 = cx + r1 * math.cos(a2), cy + r1 * math.sin(a2)
            self.line(x0, y0, x1, y1, stroke=INK, sw=1.3)
        # outlet direction: a small wedge on the housing
        tip = cx + direction * (r + 12)
        self.poly([(cx + direction * r, cy - 8), (tip, cy), (cx + direction * r, cy + 8)],
                  fill=INK, stroke=INK)

    def wheel(self, x0, x1, y0, y1, hub_y):
        """Rotary heat exchanger seen from the side: matrix, hub and drive."""
        self.rect(x0, y0, x1, y1, fill="#ffffff", stroke=INK, sw=2, rx=6)
        k = y0 + 8
        while k < y1 - 4:
            self.line(x0 + 3, k, x1 - 3, k, stroke="#b0bec5", sw=1)
            k += 8
        self.line((x0 + x1) / 2, y0 + 3, (x0 + x1) / 2, y1 - 3, stroke=INK, sw=1,
                  extra=' stroke-dasharray="8,3,2,3"')
        self.rect(x0 - 3, hub_y - 8, x1 + 3, hub_y + 8, fill="#cfd8dc", stroke=INK, sw=1.2, rx=3)

    def plates(self, cx, cy, hw, hh):
        """Cross-flow plate heat exchanger: a diamond with its plates."""
        top, right, bottom, left = (cx, cy - hh), (cx + hw, cy), (cx, cy + hh), (cx - hw, cy)
        self.poly([top, right, bottom, left], fill="#ffffff", stroke=INK, sw=2)
        # plates parallel to the top-left edge, spaced along the other diagonal
        n = 11
        for i in range(1, n):
            t = i / n
            ax, ay = left[0] + (bottom[0] - left[0]) * t, left[1] + (bottom[1] - left[1]) * t
            bx, by = top[0] + (right[0] - top[0]) * t, top[1] + (right[1] - top[1]) * t
            self.line(ax, ay, bx, by, stroke="#90a4ae", sw=1)

    def tag(self, lx, ly, name, where):
        """Sensor tag for a temperature label at panel position (lx, ly)."""
        if where == "left":
            x, y = lx - 24, ly + 1
        elif where == "above":
            x, y = lx, ly - 15
        elif where == "below":
            x, y = lx, ly + 17
        else:  # explicit offset
            x, y = lx + where[0], ly + where[1]
        ox = self.ox
        self.out.append(f'<rect x="{round(x - ox, 1)}" y="{y - self.oy}" width="21" height="14" rx="3" '
                        f'fill="#ffffff" stroke="{INK}" stroke-width="1"/>')
        self.text(x + 10.5, y + 11, name, size=10, colour=INK, weight="bold", raw=True)


def casing(p, x0, y0, x1, y1):
    p.rect(x0, y0, x1, y1, fill=FILL, stroke=WALL, sw=3, rx=4)


def duct(p, x0, x1, y0, y1):
    p.rect(x0, y0, x1, y1, fill=FILL, stroke=WALL, sw=2)


# ---------------------------------------------------------------------------
# Heat wheel unit: outdoor and exhaust air at the left end, extract and
# supply air at the right; lower deck supply, upper deck extract.

def heat_wheel(p):
    duct(p, 48, 142, 125, 190)     # exhaust air out
    duct(p, 48, 142, 258, 338)     # outdoor air in
    duct(p, 723, 816, 128, 200)    # extract air in
    duct(p, 723, 816, 252, 330)    # supply air out
    casing(p, 140, 100, 725, 377)
    p.line(140, 215, 725, 215, stroke=WALL, sw=3)

    p.arrow(118, 157, 56, 157, EHA)
    p.arrow(58, 276, 112, 276, ODA)
    p.arrow(810, 147, 752, 147, ETA)
    p.arrow(748, 270, 808, 270, SUP)
    p.text(95, 118, "Exhaust air", anchor="middle", colour=EHA, size=12, weight="bold")
    p.text(95, 354, "Outdoor air", anchor="middle", colour=ODA, size=12, weight="bold")
    p.text(770, 121, "Extract air", anchor="middle", colour=ETA, size=12, weight="bold")
    p.text(770, 347, "Supply air", anchor="middle", colour=SUP, size=12, weight="bold")

    p.damper(127, 130, 186)        # exhaust air damper
    p.damper(127, 262, 334)        # outdoor air damper
    p.filter(190, 272, 370, fine=True)
    p.filter(647, 106, 208, fine=False)
    p.wheel(248, 300, 106, 370, 215)
    p.coil(393, 230, 358, HEAT)
    p.coil(583, 230, 358, COOL)
    p.fan(488, 304, 33, +1)
    p.fan(472, 144, 33, -1)

    # flow direction inside the decks
    p.arrow(330, 236, 365, 236, SUP, sw=2, head=5)
    p.arrow(610, 236, 640, 236, SUP, sw=2, head=5)
    p.arrow(425, 198, 390, 198, ETA, sw=2, head=5)
    p.arrow(235, 198, 205, 198, EHA, sw=2, head=5)

    p.text(190, 392, "fine filter")
    p.text(274, 392, "heat wheel")
    p.text(393, 392, "heating coil")
    p.text(488, 392, "supply fan")
    p.text(583, 392, "cooling coil")
    p.text(560, 120, "exhaust fan")
    p.text(690, 120, "coarse filter")


# ---------------------------------------------------------------------------
# Plate exchanger units: outdoor air and extract air enter at the left end,
# cross in the exchanger, and leave at the right end as exhaust air (upper
# deck) and supply air (lower deck).

def plate_unit(p, g):
    cx, cy, hw, hh = g["diamond"]
    left, right = g["casing_x"]
    top, bottom = g["casing_y"]
    duct(p, 26, left + 2, g["oda_y"][0], g["oda_y"][1])
    duct(p, 26, left + 2, g["eta_y"][0], g["eta_y"][1])
    duct(p, right - 2, 805, 132, 200)
    duct(p, right - 2, 805, 254, 326)
    casing(p, left, top, right, bottom)
    p.line(left, cy, cx - hw, cy, stroke=WALL, sw=3)
    p.line(cx + hw, cy, right, cy, stroke=WALL, sw=3)
    p.line(cx, top, cx, cy - hh, stroke=WALL, sw=3)
    p.line(cx, cy + hh, cx, bottom, stroke=WALL, sw=3)
    p.plates(cx, cy, hw, hh)

    oy = sum(g["oda_y"]) / 2
    ey = sum(g["eta_y"]) / 2
    p.arrow(32, oy, 88, oy, ODA)
    p.arrow(32, ey, 88, ey, ETA)
    p.arrow(748, 150, 800, 150, EHA)
    p.arrow(748, 272, 800, 272, SUP)
    p.text(70, g["oda_y"][0] - 8, "Outdoor air", colour=ODA, size=12, weight="bold")
    p.text(70, g["eta_y"][1] + 16, "Extract air", colour=ETA, size=12, weight="bold")
    p.text(766, 125, "Exhaust air", colour=EHA, size=12, weight="bold")
    p.text(766, 344, "Supply air", colour=SUP, size=12, weight="bold")

    p.damper(g["oda_damper"], g["oda_y"][0] + 3, g["oda_y"][1] - 3)
    p.damper(g["eha_damper"], 130, 204)
    p.filter(g["fine_x"], top + 4, cy - 3, fine=True)
    p.filter(g["coarse_x"], cy + 3, bottom - 4, fine=False)
    p.fan(g["exh_fan"][0], g["exh_fan"][1], 32, +1)
    p.fan(g["sup_fan"][0], g["sup_fan"][1], 32, +1)
    p.coil(g["heat_x"], cy + 10, bottom - 14, HEAT, g.get("heat_hw", 8))
    p.coil(g["cool_x"], cy + 10, bottom - 14, COOL)

    # flows through the exchanger
    p.arrow(cx - hw * 0.95, cy - hh * 0.62, cx - hw * 0.55, cy - hh * 0.2, ODA, sw=2, head=5)
    p.arrow(cx + hw * 0.55, cy + hh * 0.2, cx + hw * 0.95, cy + hh * 0.62, SUP, sw=2, head=5)
    p.arrow(cx - hw * 0.95, cy + hh * 0.62, cx - hw * 0.55, cy + hh * 0.2, ETA, sw=2, head=5)
    p.arrow(cx + hw * 0.55, cy - hh * 0.2, cx + hw * 0.95, cy - hh * 0.62, EHA, sw=2, head=5)

    # bypass: damper at the top, the dashed route runs beside the exchanger
    bx0, bx1, by = g["bypass_damper"]
    p.hdamper(bx0, bx1, by)
    route = g["bypass_route"]
    colour = ODA if g["bypass_side"] == "supply" else ETA
    for a, b in zip(route[:-2], route[1:-1]):
        p.line(a[0], a[1], b[0], b[1], stroke=colour, sw=2, extra=' stroke-dasharray="6,4"')
    p.arrow(route[-2][0], route[-2][1], route[-1][0], route[-1][1], colour, sw=2, head=5, dashed=True)
    p.text(*g["bypass_caption"], "bypass")

    for c in g["captions"]:
        p.text(c[0], c[1], c[2], anchor=c[3] if len(c) > 3 else "middle")


RECUP = {
    "diamond": (287, 218, 85, 95),
    "casing_x": (120, 725), "casing_y": (60, 390),
    "oda_y": (64, 112), "eta_y": (286, 356),
    "oda_damper": 104, "eha_damper": 703,
    "fine_x": 178, "coarse_x": 178,
    "exh_fan": (511, 140), "sup_fan": (511, 296),
    "heat_x": 440, "cool_x": 630,
    "bypass_side": "exhaust",
    "bypass_damper": (400, 452, 68),
    "bypass_route": [(215, 372), (215, 380), (395, 380), (395, 110), (420, 80)],
    "bypass_caption": (475, 72),
    "captions": [(178, 405, "coarse filter"), (287, 405, "plate heat exchanger"), (440, 405, "heating coil"),
                 (511, 405, "supply fan"), (630, 405, "cooling coil"), (600, 118, "exhaust fan"),
                 (205, 52, "fine filter")],
}

MARVEK = {
    "diamond": (346, 222, 90, 100),
    "casing_x": (128, 728), "casing_y": (62, 390),
    "oda_y": (64, 104), "eta_y": (290, 360),
    "oda_damper": 112, "eha_damper": 706,
    "fine_x": 192, "coarse_x": 164,
    "exh_fan": (482, 137), "sup_fan": (482, 299),
    "heat_x": 582, "heat_hw": 6, "cool_x": 645,
    "bypass_side": "supply",
    "bypass_damper": (282, 330, 72),
    "bypass_route": [(306, 80), (441, 80), (441, 330), (462, 356)],
    "bypass_caption": (306, 97),
    "captions": [(164, 405, "coarse filter"), (346, 405, "plate heat exchanger"), (590, 405, "heating coil", "end"),
                 (482, 405, "supply fan"), (630, 405, "cooling coil", "start"),
                 (560, 118, "exhaust fan"), (192, 56, "fine filter")],
}

# Value-label positions of the temperature sensors per panel, and where the
# sensor tag goes beside each.
TAGS = {
    "wwli": [((204, 289), "above"), ((327, 288), "above"), ((329, 152), "above"), ((163, 126), "above"),
             ((664, 294), "above"), ((710, 233), "left"), ((756, 219), "above")],
    "wwre": [((598, 286), "above"), ((476, 283), "above"), ((468, 154), "above"), ((644, 123), "above"),
             ((136, 294), "above"), ((24, 238), "above"), ((64, 224), "above")],
    "recup1": [((227, 102), "left"), ((293, 321), "above"), ((241, 321), "above"), ((296, 102), "above"),
               ((656, 278), "above"), ((696, 230), "left"), ((752, 214), "above")],
    "recup2": [((563, 118), "above"), ((496, 336), "above"), ((547, 336), "above"), ((480, 118), "above"),
               ((140, 289), "above"), ((20, 241), "above"), ((68, 225), "above")],
    "marvek1": [((202, 120), "below"), ((523, 275), "above"), ((220, 275), "above"), ((533, 142), "above"),
                ((658, 280), "above"), ((698, 232), "left"), ((746, 216), "above")],
    "marvek2": [((609, 116), "above"), ((287, 278), "above"), ((589, 280), "above"), ((287, 147), "above"),
                ((158, 289), "above"), ((38, 233), "above"), ((86, 217), "above")],
}

PANELS = [
    # file, size, image offset, mirror axis, drawing, tags
    ("heatwheel-left.svg", (817, 457), (8, 32), None, heat_wheel, "wwli"),
    ("heatwheel-right.svg", (800, 441), (8, 32), 830, heat_wheel, "wwre"),
    ("exchanger-exhaust-bypass-left.svg", (801, 393), (8, 32), None, lambda p: plate_unit(p, RECUP), "recup1"),
    ("exchanger-exhaust-bypass-right.svg", (801, 393), (8, 32), 817, lambda p: plate_unit(p, RECUP), "recup2"),
    ("exchanger-supply-bypass-left.svg", (801, 393), (10, 32), None, lambda p: plate_unit(p, MARVEK), "marvek1"),
    ("exchanger-supply-bypass-right.svg", (823, 393), (10, 32), 840, lambda p: plate_unit(p, MARVEK), "marvek2"),
]


def main():
    for name, size, offset, axis, draw, tags in PANELS:
        p = Pic(size[0], size[1], offset, axis)
        draw(p)
        for i, (pos, where) in enumerate(TAGS[tags]):
            p.tag(pos[0], pos[1], f"T{i + 1}", where)
        with open(name, "w", encoding="utf-8") as f:
            f.write(p.svg())


if __name__ == "__main__":
    main()
