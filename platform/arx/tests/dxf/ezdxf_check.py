"""Reads a DXF file with ezdxf, audits it and reports what it found, for the tests that check
that other programs read the drawings we write.

Prints one line per finding: "error <code> <message>", "fix <code> <message>", then
"entities <n>", "objects <n>", "layouts <names...>", and "type <DXFTYPE> <count>" lines for the
entities of every layout and block. Exit status 0 when the file was read (findings or not),
2 when ezdxf could not read it at all.
"""
import collections
import sys

import ezdxf


def main(path):
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:  # a file ezdxf refuses
        print("unreadable", type(error).__name__, error)
        return 2
    auditor = doc.audit()
    for entry in auditor.errors:
        print("error", entry.code, entry.message)
    for entry in auditor.fixes:
        print("fix", entry.code, entry.message)
    counts = collections.Counter()
    for block in doc.blocks:
        for entity in block:
            counts[entity.dxftype()] += 1
    print("entities", sum(counts.values()))
    print("objects", len(doc.objects))
    print("layouts", " ".join(layout.name for layout in doc.layouts))
    for name, count in sorted(counts.items()):
        print("type", name, count)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
