#!/usr/bin/python3
"""Writes the drawings that ship with Quillmark (run with Debian's python3-ezdxf):

  furniture.dxf     R2000: furniture as named blocks, every entity kind the preview draws
  fixtures_r12.dxf  R12: bathroom and building fixtures in the entity kinds R12 knows
  site_r2018.dxf    R2018: a site plan with non-ASCII block names and texts

Usage: make_samples.py [OUTDIR]   (default: the folder of this script)
Units are centimetres. The output is the same on every run of one ezdxf version.
"""
import math
import os
import sys

import ezdxf
from ezdxf.math import Vec3

LAYERS = [  # name, colour index
    ("FURNITURE", 3),
    ("FIXTURES", 4),
    ("HATCH", 8),
    ("TEXT", 2),
    ("LIGHTING", 1),
    ("PLANTS", 94),
    ("FRAME", 6),
]


def new_doc(version):
    doc = ezdxf.new(version, setup=version != "R12")
    doc.header["$MEASUREMENT"] = 0  # keep pattern definitions at their own scale
    doc.header["$INSUNITS"] = 5
    for name, color in LAYERS:
        doc.layers.add(name, color=color)
    return doc


def attribs(layer, color=256, **extra):
    d = {"layer": layer, "color": color}
    d.update(extra)
    return d


def box(blk, x0, y0, x1, y1, layer, color=256):
    """A closed rectangle as a 2D polyline (R12) or lightweight polyline."""
    pts = [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    if blk.doc.dxfversion == "AC1009":
        blk.add_polyline2d(pts, close=True, dxfattribs=attribs(layer, color))
    else:
        blk.add_lwpolyline(pts, close=True, dxfattribs=attribs(layer, color))


def rounded_rect(blk, x0, y0, x1, y1, r, layer, color=256):
    """A rectangle with corners rounded by bulges (tan(90 deg / 4))."""
    b = math.tan(math.radians(90) / 4)
    pts = [
        (x0 + r, y0, 0, 0, 0), (x1 - r, y0, 0, 0, b),
        (x1, y0 + r, 0, 0, 0), (x1, y1 - r, 0, 0, b),
        (x1 - r, y1, 0, 0, 0), (x0 + r, y1, 0, 0, b),
        (x0, y1 - r, 0, 0, 0), (x0, y0 + r, 0, 0, b),
    ]
    if blk.doc.dxfversion == "AC1009":
        pl = blk.add_polyline2d([], dxfattribs=attribs(layer, color))
        pl.append_formatted_vertices([(p[0], p[1], p[4]) for p in pts], format="xyb")
        pl.close(True)
    else:
        blk.add_lwpolyline(pts, format="xyseb", close=True, dxfattribs=attribs(layer, color))


def hatch(blk, pattern, boundary, layer="HATCH", color=256, scale=1.0, angle=0.0, holes=()):
    h = blk.add_hatch(color=color, dxfattribs={"layer": layer})
    if pattern == "SOLID":
        h.set_solid_fill(color=color)
        h.dxf.color = color
    else:
        h.set_pattern_fill(pattern, color=color, scale=scale, angle=angle)
    h.paths.add_polyline_path(boundary, is_closed=True, flags=1)
    for hole in holes:
        h.paths.add_polyline_path(hole, is_closed=True, flags=16)
    return h


# ---------------------------------------------------------------- furniture (R2000)

def chair(doc):
    blk = doc.blocks.new("CHAIR", base_point=(25, 25))
    rounded_rect(blk, 0, 0, 50, 45, 5, "FURNITURE")
    box(blk, 0, 45, 50, 55, "FURNITURE")                        # back rest
    blk.add_arc((25, 45), 20, 0, 180, dxfattribs=attribs("FURNITURE", 0))  # BYBLOCK
    blk.add_point((25, 22), dxfattribs=attribs("FURNITURE"))
    blk.add_attdef("OWNER", (2, 2), "-", dxfattribs=attribs("TEXT", height=4))
    return blk


def desk(doc):
    blk = doc.blocks.new("DESK")
    box(blk, 0, 0, 160, 80, "FURNITURE")
    box(blk, 110, 5, 155, 75, "FURNITURE", color=1)             # drawer unit, red
    for y in (28, 52):
        blk.add_line((110, y), (155, y), dxfattribs=attribs("FURNITURE", 1))
    hatch(blk, "ANSI31", [(110, 5), (155, 5), (155, 28), (110, 28)], scale=20)
    blk.add_3dface([(20, 40, 72), (60, 40, 72), (60, 70, 72), (20, 70, 72)],
                   dxfattribs=attribs("FURNITURE", 5))           # blotter at desk height
    blk.add_text("DESK", dxfattribs=attribs("TEXT", height=8, insert=(10, 10)))
    return blk


def table_round(doc):
    blk = doc.blocks.new("TABLE-ROUND")
    blk.add_circle((0, 0), 60, dxfattribs=attribs("FURNITURE"))
    blk.add_circle((0, 0), 8, dxfattribs=attribs("FURNITURE", 0))
    hatch(blk, "ANSI37", [(-30, -30), (30, -30), (30, 30), (-30, 30)], scale=25,
          holes=[[(-8, -8), (8, -8), (8, 8), (-8, 8)]])
    for i in range(4):
        a = i * 90 + 45
        blk.add_blockref("CHAIR", Vec3.from_deg_angle(a, 85),
                         dxfattribs={"rotation": a + 90, "layer": "FURNITURE"})
    return blk


def sofa(doc):
    blk = doc.blocks.new("SOFA")
    rounded_rect(blk, 0, 0, 200, 90, 10, "FURNITURE", color=30)
    box(blk, 0, 70, 200, 90, "FURNITURE", color=30)
    for x in (0, 180):
        box(blk, x, 0, x + 20, 70, "FURNITURE", color=30)
    for x in (20, 73.3, 126.6):
        blk.add_spline([(x + 5, 60), (x + 27, 66), (x + 48, 60)],
                       dxfattribs=attribs("FURNITURE", 31))     # cushions: fit points
    hatch(blk, "NET", [(20, 0), (180, 0), (180, 70), (20, 70)], scale=30, color=32)
    blk.add_mline([(0, -5), (200, -5)], dxfattribs=attribs("FURNITURE", 33))
    return blk


def bed(doc):
    blk = doc.blocks.new("BED")
    box(blk, 0, 0, 160, 200, "FURNITURE")
    for x in (10, 85):
        rounded_rect(blk, x, 160, x + 65, 190, 8, "FURNITURE", 7)
    hatch(blk, "DOTS", [(0, 0), (160, 0), (160, 140), (0, 140)], scale=60, color=5)
    blk.add_line((0, 140), (160, 140), dxfattribs=attribs("FURNITURE"))
    blk.add_ellipse((80, 100), major_axis=(50, 0), ratio=0.4, dxfattribs=attribs("FURNITURE", 4))
    return blk


def lamp(doc):
    blk = doc.blocks.new("LAMP")
    blk.add_circle((0, 0), 15, dxfattribs=attribs("LIGHTING"))
    for a in range(0, 360, 45):
        p0 = Vec3.from_deg_angle(a, 15)
        p1 = Vec3.from_deg_angle(a, 25)
        blk.add_line(p0, p1, dxfattribs=attribs("LIGHTING", 0))
    blk.add_solid([(-4, -4), (4, -4), (-4, 4), (4, 4)], dxfattribs=attribs("LIGHTING", 2))
    return blk


def desk_lamp(doc):
    blk = doc.blocks.new("Desk-Lamp")  # mixed-case name: listed upper-case
    blk.add_circle((0, 0), 8, dxfattribs=attribs("LIGHTING"))
    blk.add_lwpolyline([(0, 0), (20, 25), (35, 20)], dxfattribs=attribs("LIGHTING", 0))
    blk.add_ellipse((35, 20), major_axis=(8, -4), ratio=0.5, start_param=0, end_param=math.pi,
                    dxfattribs=attribs("LIGHTING", 2))
    return blk


def plant(doc):
    blk = doc.blocks.new("PLANT")
    blk.add_circle((0, 0), 20, dxfattribs=attribs("PLANTS", 52))
    for i in range(7):
        a = i * 360 / 7
        tip = Vec3.from_deg_angle(a, 35)
        left = Vec3.from_deg_angle(a - 20, 15)
        right = Vec3.from_deg_angle(a + 20, 15)
        blk.add_open_spline([(0, 0), left, tip, right, (0, 0)], degree=3,
                            dxfattribs=attribs("PLANTS"))       # control points, no fit points
    blk.add_polyline3d([(0, 0, 0), (0, 0, 40), (5, 5, 60)], dxfattribs=attribs("PLANTS", 3))
    return blk


def office(doc):
    """Nested: a desk with its chair and lamp, and the lamp itself nests nothing."""
    blk = doc.blocks.new("OFFICE")
    blk.add_blockref("DESK", (0, 0))
    blk.add_blockref("CHAIR", (60, -20), dxfattribs={"rotation": 180})
    blk.add_blockref("Desk-Lamp", (135, 60), dxfattribs={"xscale": 0.8, "yscale": 0.8})
    blk.add_blockref("PLANT", (-40, 60))
    return blk


def meeting_room(doc):
    """Nested two deep, a multiple insert of chairs, and a mirrored office."""
    blk = doc.blocks.new("MEETING-ROOM")
    box(blk, 0, 0, 800, 500, "FRAME", 256)
    blk.add_blockref("TABLE-ROUND", (200, 250))
    row = blk.add_blockref("CHAIR", (400, 60), dxfattribs={"layer": "FURNITURE"})
    row.grid(size=(2, 6), spacing=(80, 60))                     # MINSERT: 2 rows, 6 columns
    blk.add_blockref("OFFICE", (650, 300))
    blk.add_blockref("OFFICE", (650, 450), dxfattribs={"xscale": -1})  # mirrored
    # An arc seen from below (extrusion -z): drawn mirrored in x.
    blk.add_arc((-100, 100), 40, 0, 90, dxfattribs=attribs("FRAME", 6, extrusion=(0, 0, -1)))
    blk.add_blockref("LAMP", (400, 400), dxfattribs={"color": 1})  # BYBLOCK parts drawn white
    return blk


def floor_tiles(doc):
    blk = doc.blocks.new("FLOOR-PATTERNS")
    for i, (name, scale) in enumerate([("ANSI31", 20), ("ANSI37", 20), ("NET", 30),
                                       ("DOTS", 40), ("BRICK", 10), ("SOLID", 1)]):
        x = i * 110
        box(blk, x, 0, x + 100, 100, "HATCH", 7)
        hatch(blk, name, [(x, 0), (x + 100, 0), (x + 100, 100), (x, 100)], color=i + 1,
              scale=scale)
        blk.add_text(name, dxfattribs=attribs("TEXT", height=8, insert=(x, -15)))
    # An edge-path hatch: half disc bounded by a line and a clockwise arc.
    h = blk.add_hatch(color=3, dxfattribs={"layer": "HATCH"})
    h.set_pattern_fill("ANSI31", color=3, scale=15)
    path = h.paths.add_edge_path(flags=1)
    path.add_line((700, 50), (800, 50))
    path.add_arc((750, 50), 50, 0, 180, ccw=False)
    return blk


def title_block(doc):
    blk = doc.blocks.new("TITLE-BLOCK")
    box(blk, 0, 0, 180, 50, "FRAME")
    for y in (20, 35):
        blk.add_line((0, y), (180, y), dxfattribs=attribs("FRAME"))
    blk.add_line((120, 0), (120, 50), dxfattribs=attribs("FRAME"))
    blk.add_attdef("TITLE", (4, 39), "FURNITURE PLAN", dxfattribs=attribs("TEXT", height=7))
    blk.add_attdef("DRAWN", (4, 24), "hatch", dxfattribs=attribs("TEXT", height=5))
    blk.add_attdef("SCALE", (124, 4), "1:50", dxfattribs=attribs("TEXT", height=5))
    blk.add_text("QUILLMARK SAMPLE", dxfattribs=attribs("TEXT", height=5, insert=(4, 6)))
    return blk


def annotations(doc):
    """The remaining kinds: rays, xlines, traces, leader, image and wipeout frames,
    shape, multiline."""
    blk = doc.blocks.new("SYMBOLS")
    blk.add_ray((0, 0), (1, 1), dxfattribs=attribs("FRAME", 1))
    blk.add_xline((0, -50), (1, 0), dxfattribs=attribs("FRAME", 3))
    blk.add_trace([(0, 0), (60, 0), (0, 10), (60, 10)], dxfattribs=attribs("FRAME", 5))
    blk.add_leader([(100, 0), (130, 30), (170, 30)], dxfattribs=attribs("TEXT"))
    image_def = doc.add_image_def(filename="plan.png", size_in_pixel=(640, 480))
    blk.add_image(image_def, insert=(0, 60), size_in_units=(64, 48), rotation=10,
                  dxfattribs=attribs("FRAME"))
    blk.add_wipeout([(100, 60), (160, 60), (160, 100), (100, 100)],
                    dxfattribs=attribs("FRAME"))
    doc.styles.new("SYMBOLS-SHP", dxfattribs={"font": "symbols.shx", "flags": 1})
    blk.add_shape("ARROW", (200, 0), size=10, dxfattribs=attribs("FRAME"))
    blk.add_mline([(200, 60), (260, 60), (260, 100)], close=False, dxfattribs=attribs("FRAME", 4))
    blk.add_mline([(300, 0), (340, 0), (320, 30)], close=True, dxfattribs=attribs("FRAME", 4))
    return blk


def make_furniture(path):
    doc = new_doc("R2000")
    for make in (chair, desk, table_round, sofa, bed, lamp, desk_lamp, plant, office,
                 meeting_room, floor_tiles, title_block, annotations):
        make(doc)
    msp = doc.modelspace()
    x = 0
    for name in ("CHAIR", "DESK", "TABLE-ROUND", "SOFA", "BED", "LAMP", "Desk-Lamp", "PLANT",
                 "OFFICE"):
        msp.add_blockref(name, (x, 0))
        x += 250
    msp.add_blockref("MEETING-ROOM", (0, 400))
    msp.add_blockref("FLOOR-PATTERNS", (0, -300))
    msp.add_blockref("SYMBOLS", (1000, -300))
    title = msp.add_blockref("TITLE-BLOCK", (2000, -300))
    title.add_auto_attribs({"TITLE": "FURNITURE PLAN", "DRAWN": "hatch"})
    msp.add_line((-100, -400), (2300, -400), dxfattribs=attribs("FRAME"))
    psp = doc.layout("Layout1")
    psp.add_viewport(center=(150, 100), size=(280, 180), view_center_point=(1100, 200),
                     view_height=1400)
    doc.saveas(path)


# ---------------------------------------------------------------- fixtures (R12)

def make_fixtures_r12(path):
    doc = new_doc("R12")

    sink = doc.blocks.new("SINK")
    rounded_rect(sink, 0, 0, 60, 45, 6, "FIXTURES")
    sink.add_circle((30, 22), 15, dxfattribs=attribs("FIXTURES", 0))
    sink.add_circle((30, 22), 2, dxfattribs=attribs("FIXTURES", 5))
    sink.add_point((30, 40), dxfattribs=attribs("FIXTURES", 1))
    sink.add_arc((30, 22), 18, 200, 340, dxfattribs=attribs("FIXTURES"))

    wc = doc.blocks.new("WC")
    box(wc, 0, 50, 40, 70, "FIXTURES")
    pl = wc.add_polyline2d([], dxfattribs=attribs("FIXTURES"))
    pl.append_formatted_vertices([(5, 50, 0), (5, 20, 1), (35, 20, 0), (35, 50, 0)], format="xyb")
    pl.close(True)
    wc.add_3dface([(10, 55, 40), (30, 55, 40), (30, 65, 40), (10, 65, 40)],
                  dxfattribs=attribs("FIXTURES", 4))
    wc.add_attdef("TAG", (0, 72), "WC-1", dxfattribs=attribs("TEXT", height=4))

    door = doc.blocks.new("DOOR")
    door.add_line((0, 0), (0, 90), dxfattribs=attribs("FIXTURES"))
    door.add_arc((0, 0), 90, 0, 90, dxfattribs=attribs("FIXTURES", 8))
    door.add_solid([(-5, -2), (0, -2), (-5, 2), (0, 2)], dxfattribs=attribs("FIXTURES", 1))
    door.add_solid([(90, -2), (95, -2), (90, 2)], dxfattribs=attribs("FIXTURES", 1))  # triangle

    window = doc.blocks.new("WINDOW")
    for y in (0, 5, 10, 15):
        window.add_line((0, y), (120, y), dxfattribs=attribs("FIXTURES", 4 if y in (5, 10) else 7))
    window.add_trace([(0, 0), (4, 0), (0, 15), (4, 15)], dxfattribs=attribs("FIXTURES", 2))
    window.add_trace([(116, 0), (120, 0), (116, 15), (120, 15)], dxfattribs=attribs("FIXTURES", 2))

    tub = doc.blocks.new("Bath-Tub")
    rounded_rect(tub, 0, 0, 170, 75, 15, "FIXTURES")
    rounded_rect(tub, 8, 8, 162, 67, 25, "FIXTURES", 0)
    tub.add_polyline3d([(150, 37, 0), (150, 37, 30), (160, 37, 40)], dxfattribs=attribs("FIXTURES", 3))
    tub.add_text("BATH", dxfattribs=attribs("TEXT", height=8, insert=(60, 30), rotation=15))

    bath = doc.blocks.new("BATHROOM")
    box(bath, 0, 0, 250, 300, "FRAME")
    bath.add_blockref("Bath-Tub", (5, 5))
    bath.add_blockref("WC", (200, 120), dxfattribs={"rotation": 90})
    sinks = bath.add_blockref("SINK", (20, 250))
    sinks.grid(size=(1, 2), spacing=(0, 70))                    # two sinks side by side
    bath.add_blockref("DOOR", (250, 200), dxfattribs={"xscale": -1})  # mirrored: opens inwards
    bath.add_blockref("WINDOW", (60, 300))
    bath.add_arc((125, 150), 10, 0, 180, dxfattribs=attribs("FRAME", 6, extrusion=(0, 0, -1)))

    msp = doc.modelspace()
    for i, name in enumerate(("SINK", "WC", "DOOR", "WINDOW", "Bath-Tub")):
        msp.add_blockref(name, (i * 200, 0))
    msp.add_blockref("BATHROOM", (0, 200))
    doc.saveas(path)


# ---------------------------------------------------------------- site (R2018)

def make_site_r2018(path):
    doc = new_doc("R2018")

    tree = doc.blocks.new("TREE")
    tree.add_circle((0, 0), 300, dxfattribs=attribs("PLANTS", 82))
    pts = [Vec3.from_deg_angle(a, 300 + (40 if a % 60 else -20)) for a in range(0, 360, 30)]
    tree.add_spline(pts + [pts[0]], dxfattribs=attribs("PLANTS", 3))
    tree.add_point((0, 0), dxfattribs=attribs("PLANTS"))

    car = doc.blocks.new("CAR")
    rounded_rect(car, 0, 0, 450, 180, 40, "FIXTURES")
    car.add_lwpolyline([(120, 15), (300, 15), (330, 90, 0, 0, -0.3), (300, 165), (120, 165)],
                       format="xyseb", dxfattribs=attribs("FIXTURES", 5))
    car.add_ellipse((90, 90), major_axis=(0, 60), ratio=0.3, dxfattribs=attribs("FIXTURES", 0))

    parking = doc.blocks.new("주차장")  # "parking lot" in Korean
    for i in range(5):
        parking.add_lwpolyline([(i * 260, 0), (i * 260, 500)], dxfattribs=attribs("FIXTURES"))
    parking.add_blockref("CAR", (215, 30), dxfattribs={"rotation": 90, "xscale": 0.9, "yscale": 0.9})
    hatch(parking, "BRICK", [(0, 500), (1040, 500), (1040, 600), (0, 600)], scale=40, color=8)
    parking.add_text("주차 P", dxfattribs=attribs("TEXT", height=60, insert=(20, 620)))

    cafe = doc.blocks.new("Café-Table")
    cafe.add_circle((0, 0), 40, dxfattribs=attribs("FURNITURE"))
    hatch(cafe, "SOLID", [(-10, -10), (10, -10), (10, 10), (-10, 10)], color=1)
    cafe.add_text("Café", dxfattribs=attribs("TEXT", height=10, insert=(-20, -60)))
    cafe.add_mline([(-50, 50), (50, 50)], dxfattribs=attribs("FURNITURE", 4))

    north = doc.blocks.new("NORTH-ARROW")
    north.add_solid([(0, 100), (-30, -50), (30, -50)], dxfattribs=attribs("FRAME", 7))
    north.add_text("N", dxfattribs=attribs("TEXT", height=40, insert=(-12, 120)))
    north.add_xline((0, 0), (0, 1), dxfattribs=attribs("FRAME", 9))
    north.add_ray((0, 0), (1, 0), dxfattribs=attribs("FRAME", 9))
    north.add_leader([(200, 200), (80, 60)], dxfattribs=attribs("TEXT"))

    site = doc.blocks.new("SITE")
    site.add_lwpolyline([(0, 0), (6000, 0), (6000, 4000), (0, 4000)], close=True,
                        dxfattribs=attribs("FRAME", 7))
    hatch(site, "ANSI31", [(0, 0), (6000, 0), (6000, 800), (0, 800)], scale=300, color=9)
    trees = site.add_blockref("TREE", (500, 1500))
    trees.grid(size=(3, 4), spacing=(800, 1200))
    site.add_blockref("주차장", (1500, 100))
    site.add_blockref("Café-Table", (5000, 3500))
    site.add_blockref("NORTH-ARROW", (5600, 3500))
    site.add_blockref("TREE", (5500, 800), dxfattribs={"xscale": -1.5, "yscale": 1.5})
    image_def = doc.add_image_def(filename="aerial.jpg", size_in_pixel=(1200, 800))
    site.add_image(image_def, insert=(3000, 2500), size_in_units=(1200, 800),
                   dxfattribs=attribs("FRAME"))

    msp = doc.modelspace()
    msp.add_blockref("SITE", (0, 0))
    msp.add_text("배치도 — site plan", dxfattribs=attribs("TEXT", height=100, insert=(0, -200)))
    doc.saveas(path, encoding="utf-8")


def main():
    # The same files on every run: fixed dates and GUIDs in the header, and a fixed
    # string hash so that ezdxf writes its CLASSES section in one order.
    if os.environ.get("PYTHONHASHSEED") != "0":
        os.environ["PYTHONHASHSEED"] = "0"
        os.execv(sys.executable, [sys.executable] + sys.argv)
    ezdxf.options.write_fixed_meta_data_for_testing = True
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    make_furniture(os.path.join(out, "furniture.dxf"))
    make_fixtures_r12(os.path.join(out, "fixtures_r12.dxf"))
    make_site_r2018(os.path.join(out, "site_r2018.dxf"))
    for name in ("furniture.dxf", "fixtures_r12.dxf", "site_r2018.dxf"):
        print("%s: %d bytes" % (name, os.path.getsize(os.path.join(out, name))))


if __name__ == "__main__":
    main()
