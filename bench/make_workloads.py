#!/usr/bin/python3
"""Writes the benchmark drawings into OUTDIR (default: the current folder):

  big_block.dxf    R2000: one block "BIG" of 200,000 mixed entities (lines, arcs,
                   circles, bulged lightweight polylines, points), inserted once
  many_blocks.dxf  R2000: 10,000 small blocks "PART-00000" ... each inserted once
  many_blocks_50k.dxf  the same with 50,000 blocks, "PART-00000" ... "PART-49999"

ezdxf writes the drawing's frame (header, tables, objects) so that the files are
complete R2000 drawings; the 200,000 entities are written as text directly,
which takes seconds where building them as ezdxf objects would take minutes.
The content is the same on every run (a seeded generator).

Usage: make_workloads.py [OUTDIR] [ENTITY_COUNT]
"""
import io
import os
import random
import sys

import ezdxf

ENTITIES = 200_000
BLOCKS = 10_000
MORE_BLOCKS = 50_000


def frame_with_bulk(doc, block_name, bulk_writer):
    """The DXF text of `doc` with the entities that `bulk_writer(out, owner, next_handle)`
    writes placed at the end of block `block_name`; returns the text."""
    owner = doc.blocks.get(block_name).block_record_handle
    first = int(doc.header["$HANDSEED"], 16) + 16
    stream = io.StringIO()
    doc.write(stream)
    text = stream.getvalue()
    head = text.index("\n  2\n%s\n" % block_name, text.index("\nBLOCKS\n"))
    end_blk = text.index("  0\nENDBLK\n", head)
    bulk = io.StringIO()
    last = bulk_writer(bulk, owner, first)
    text = text[:end_blk] + bulk.getvalue() + text[end_blk:]
    old_seed = "$HANDSEED\n  5\n%s\n" % doc.header["$HANDSEED"]
    return text.replace(old_seed, "$HANDSEED\n  5\n%X\n" % (last + 1), 1)


def write_mixed_entities(count):
    def writer(out, owner, handle):
        rnd = random.Random(20261207)
        w = out.write
        for i in range(count):
            kind = i % 5
            x = rnd.uniform(0, 10000)
            y = rnd.uniform(0, 10000)
            w("  0\n%s\n  5\n%X\n330\n%s\n100\nAcDbEntity\n  8\nL%d\n 62\n%d\n"
              % (("LINE", "ARC", "CIRCLE", "LWPOLYLINE", "POINT")[kind], handle, owner,
                 i % 8, 1 + i % 7))
            handle += 1
            if kind == 0:
                w("100\nAcDbLine\n 10\n%.4f\n 20\n%.4f\n 30\n0.0\n 11\n%.4f\n 21\n%.4f\n 31\n0.0\n"
                  % (x, y, x + rnd.uniform(-50, 50), y + rnd.uniform(-50, 50)))
            elif kind == 1:
                w("100\nAcDbCircle\n 10\n%.4f\n 20\n%.4f\n 30\n0.0\n 40\n%.4f\n"
                  "100\nAcDbArc\n 50\n%.3f\n 51\n%.3f\n"
                  % (x, y, rnd.uniform(1, 40), rnd.uniform(0, 360), rnd.uniform(0, 360)))
            elif kind == 2:
                w("100\nAcDbCircle\n 10\n%.4f\n 20\n%.4f\n 30\n0.0\n 40\n%.4f\n"
                  % (x, y, rnd.uniform(1, 40)))
            elif kind == 3:
                n = 4 + i % 5
                w("100\nAcDbPolyline\n 90\n%d\n 70\n%d\n" % (n, i % 2))
                for _ in range(n):
                    w(" 10\n%.4f\n 20\n%.4f\n 42\n%.4f\n"
                      % (x + rnd.uniform(-30, 30), y + rnd.uniform(-30, 30),
                         rnd.choice((0.0, 0.0, 0.4142, -1.0))))
            else:
                w("100\nAcDbPoint\n 10\n%.4f\n 20\n%.4f\n 30\n0.0\n" % (x, y))
        return handle - 1
    return writer


def make_big_block(path, count):
    doc = ezdxf.new("R2000")
    for i in range(8):
        doc.layers.add("L%d" % i, color=1 + i)
    doc.blocks.new("BIG")
    doc.modelspace().add_blockref("BIG", (0, 0))
    text = frame_with_bulk(doc, "BIG", write_mixed_entities(count))
    with open(path, "w", encoding="cp1252", newline="\r\n") as f:
        f.write(text)


def make_many_blocks(path, count):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for i in range(count):
        name = "PART-%05d" % i
        blk = doc.blocks.new(name)
        blk.add_line((0, 0), (10, 0))
        blk.add_circle((5, 5), 4)
        blk.add_lwpolyline([(0, 0), (10, 0, 0.5), (10, 10)])
        msp.add_blockref(name, ((i % 100) * 20, (i // 100) * 20))
    doc.saveas(path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    count = int(sys.argv[2]) if len(sys.argv) > 2 else ENTITIES
    os.makedirs(out, exist_ok=True)
    make_big_block(os.path.join(out, "big_block.dxf"), count)
    make_many_blocks(os.path.join(out, "many_blocks.dxf"), BLOCKS)
    make_many_blocks(os.path.join(out, "many_blocks_50k.dxf"), MORE_BLOCKS)
    for name in ("big_block.dxf", "many_blocks.dxf", "many_blocks_50k.dxf"):
        print("%s: %.1f MB" % (name, os.path.getsize(os.path.join(out, name)) / 1e6))


if __name__ == "__main__":
    main()
