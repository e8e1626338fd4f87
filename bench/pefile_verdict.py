#!/usr/bin/python3
"""The executable reader's verdict computed independently with pefile.

Reads paths from standard input, one a line, and prints for each the line that
`sharpwell-cli inspect -` prints: DPI verdict TAB bits TAB subsystem TAB path. The
rules are the reader's: the headers only count when the file starts with "MZ" and
e_lfanew lies in 64..65536; bits come from the file header's Machine; the verdict is
asked for only for the Windows graphical subsystem (2), from the first manifest
resource, by the same plain text search. pefile parses with fast_load=True and then
only the resource directory.

With --compare CLI_OUTPUT it instead compares the bits and subsystem columns of that
output with its own, prints every disagreement, and exits 1 if there is any.
"""
import struct
import sys

import pefile

MACHINE_TEXT = {0x014C: "x86", 0x8664: "x64", 0x0000: "", 0x01C4: "ARM",
                0xAA64: "ARM64", 0x0200: "IA64"}
ACCEPTED = {"true", "true/pm", "per monitor", "explorer"}
MANIFEST_TYPE = 24
PREFERRED_LANGUAGES = (1033, 3081)


def machine_text(machine):
    return MACHINE_TEXT.get(machine, "0x%04X" % machine)


def declares_high_dpi(manifest):
    """The reader's text search over the manifest's bytes."""
    text = manifest.decode("latin-1")
    position = 0
    while True:
        position = text.find("dpiAware", position)
        if position < 0:
            return False
        position = text.find(">", position)
        if position < 0:
            return False
        end = text.find("</", position)
        if end < 0:
            return False
        if text[position + 1:end].lower() in ACCEPTED:
            return True


def first_manifest(pe):
    pe.parse_data_directories(
        directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    if root is None:
        return b""
    for resource_type in root.entries:
        if resource_type.id != MANIFEST_TYPE or not hasattr(resource_type, "directory"):
            continue
        names = resource_type.directory.entries
        if not names or not hasattr(names[0], "directory"):
            return b""
        languages = names[0].directory.entries
        if not languages:
            return b""
        chosen = next((l for l in languages if l.id in PREFERRED_LANGUAGES), languages[0])
        if not hasattr(chosen, "data"):
            return b""
        entry = chosen.data.struct
        return pe.get_data(entry.OffsetToData, entry.Size)
    return b""


def headers_in_range(path):
    with open(path, "rb") as f:
        dos = f.read(64)
    if len(dos) < 64 or dos[:2] != b"MZ":
        return False
    lfanew = struct.unpack_from("<i", dos, 60)[0]
    return 64 <= lfanew <= 0x10000


def inspect(path):
    """(verdict, bits, subsystem) as the reader gives them."""
    if not headers_in_range(path):
        return "N/A", "", 0
    try:
        pe = pefile.PE(path, fast_load=True)
    except pefile.PEFormatError:
        return "N/A", "", 0
    bits = machine_text(pe.FILE_HEADER.Machine)
    subsystem = pe.OPTIONAL_HEADER.Subsystem
    if subsystem >= 0x8000:
        subsystem -= 0x10000  # a signed 16-bit field
    verdict = "N/A"
    if subsystem == 2:
        try:
            verdict = "Yes" if declares_high_dpi(first_manifest(pe)) else "No"
        except pefile.PEFormatError:
            verdict = "No"
    pe.close()
    return verdict, bits, subsystem


def paths_from(stream):
    for line in stream:
        line = line.rstrip("\r\n")
        if line:
            yield line


def compare(cli_output):
    disagreements = 0
    verdicts_differ = 0
    files = 0
    with open(cli_output, encoding="utf-8", errors="replace") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 4 or fields[0] == "error":
                print("CLI could not inspect: " + line.strip())
                disagreements += 1
                continue
            verdict, bits, subsystem, path = fields
            files += 1
            ours = inspect(path)
            if (bits, int(subsystem)) != (ours[1], ours[2]):
                disagreements += 1
                print("DISAGREE %s: cli bits=%r subsystem=%s, pefile bits=%r subsystem=%s"
                      % (path, bits, subsystem, ours[1], ours[2]))
            elif verdict != ours[0]:
                verdicts_differ += 1
                print("verdict differs %s: cli %s, pefile %s" % (path, verdict, ours[0]))
    print("%d files: %d disagreements on bits or subsystem, %d on the verdict"
          % (files, disagreements, verdicts_differ))
    return 1 if disagreements or files == 0 else 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--compare":
        return compare(sys.argv[2])
    if len(sys.argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    out = sys.stdout
    for path in paths_from(sys.stdin):
        verdict, bits, subsystem = inspect(path)
        out.write("%s\t%s\t%d\t%s\n" % (verdict, bits, subsystem, path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
