#!/usr/bin/python3
"""Writes src/core/text/PlainFormTables.cpp from Python's Unicode data: the characters
Windows-1252 lacks that have a plain form it holds, with their canonical decomposition,
the decomposed form of each character it holds, and the ranges of combining marks.
Run again when the Unicode data of the machine's Python moves on.
    scripts/make_plain_forms.py > src/core/text/PlainFormTables.cpp
"""
import sys
import unicodedata


def storable(text):
    try:
        text.encode("cp1252")
        return True
    except UnicodeEncodeError:
        return False


def plain_form(cluster):
    """The one storable character the cluster composes to once as few trailing marks as needed are dropped."""
    decomposed = unicodedata.normalize("NFD", cluster)
    for length in range(len(decomposed), 0, -1):
        composed = unicodedata.normalize("NFC", decomposed[:length])
        if len(composed) == 1 and storable(composed):
            return composed
    return None


def points(text):
    return ", ".join(f"0x{ord(c):04X}" for c in text)


decompositions = []
for code in range(0x80, 0x30000):
    if 0xD800 <= code <= 0xDFFF:
        continue
    c = chr(code)
    if storable(c) or unicodedata.normalize("NFD", c) == c or plain_form(c) is None:
        continue
    decompositions.append((code, unicodedata.normalize("NFD", c)))

composed = []
for byte in range(0x80, 0x100):
    try:
        c = bytes([byte]).decode("cp1252")
    except UnicodeDecodeError:
        continue
    if unicodedata.normalize("NFD", c) != c:
        composed.append((c, unicodedata.normalize("NFD", c)))

marks = []
for code in range(0, 0x110000):
    if unicodedata.category(chr(code)) in ("Mn", "Mc", "Me"):
        if marks and marks[-1][1] == code - 1:
            marks[-1][1] = code
        else:
            marks.append([code, code])

out = sys.stdout
out.write(f"// Made by scripts/make_plain_forms.py from Unicode {unicodedata.unidata_version}: do not edit.\n")
out.write('#include "core/text/PlainFormTables.h"\n\nnamespace talvane::text {\n\n')
out.write("const std::vector<Decomposition>& decompositions()\n{\n    static const std::vector<Decomposition> table = {\n")
for code, nfd in decompositions:
    out.write(f"        {{0x{code:04X}, {{{points(nfd)}}}}},\n")
out.write("    };\n    return table;\n}\n\n")
out.write("const std::vector<Decomposition>& storableDecompositions()\n{\n    static const std::vector<Decomposition> table = {\n")
for c, nfd in composed:
    out.write(f"        {{0x{ord(c):04X}, {{{points(nfd)}}}}},\n")
out.write("    };\n    return table;\n}\n\n")
out.write("const std::vector<CodeRange>& combiningMarks()\n{\n    static const std::vector<CodeRange> table = {\n")
for first, last in marks:
    out.write(f"        {{0x{first:04X}, 0x{last:04X}}},\n")
out.write("    };\n    return table;\n}\n\n} // namespace talvane::text\n")
