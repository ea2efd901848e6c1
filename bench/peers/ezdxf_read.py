#!/usr/bin/python3
"""ezdxf_read.py FILE: reads a DXF file with ezdxf.readfile and lists its blocks, one
name a line, then "entities: N" (the entities of every block, model space included).
Exit status 1 when the file cannot be read. The ezdxf side of the peer comparison
in ./quill bench."""
import sys

import ezdxf


def main():
    if len(sys.argv) != 2:
        print("usage: ezdxf_read.py FILE", file=sys.stderr)
        return 2
    try:
        doc = ezdxf.readfile(sys.argv[1])
    except (IOError, ezdxf.DXFError) as error:
        print("ezdxf_read: cannot read %s: %s" % (sys.argv[1], error), file=sys.stderr)
        return 1
    entities = 0
    for block in doc.blocks:
        print(block.name)
        entities += len(block)
    print("entities: %d" % entities)
    return 0


if __name__ == "__main__":
    sys.exit(main())
