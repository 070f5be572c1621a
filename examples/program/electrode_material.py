#!/usr/bin/env python3
"""ElectrodeMaterial.exe in Python, with nothing but the standard library.

The same answers as electrode_material.c. Install it under the program's
name, executable, in the exchange directory (POSIX only: the library starts
the file itself, so Windows needs a real executable).
"""
import os
import sys
import xml.etree.ElementTree as ET


def answer_text(value):
    """A value as the library reads it back exactly: markup escaped, and as
    references a carriage return (XML reads it as a line feed) and white
    space at the start (the library's reader may drop it)."""
    if not value or any(ord(c) < 0x20 and c not in "\t\n\r" for c in value):
        raise ValueError(f"an answer cannot carry {value!r}")
    text = value.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    if text[0] in " \t\n\r":
        text = f"&#{ord(text[0]):02d};" + text[1:]
    return text.replace("\r", "&#13;")


def main():
    # The library starts the program by its full path, without arguments.
    directory = os.path.dirname(os.path.abspath(sys.argv[0]))
    # ASCII, or windows-1252 with a declaration: the XML parser handles both.
    request = ET.parse(os.path.join(directory, "R_ElectrodeMat.xml")).getroot()
    part = request.findtext("PartMaterial") or ""
    values = ["Copper", "Graphite fine grain"] if part == "1.2379" else []

    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<ElectrodeMaterials>"]
    lines += [f"  <Type><Material>{answer_text(v)}</Material></Type>" for v in values]
    lines.append("</ElectrodeMaterials>")
    # Written aside and renamed: the library never finds half an answer.
    answer = os.path.join(directory, "A_ElectrodeMat.xml")
    temporary = f"{answer}.{os.getpid()}.tmp"
    with open(temporary, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")
    os.replace(temporary, answer)


if __name__ == "__main__":
    main()
