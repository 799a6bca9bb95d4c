"""The product's rooms, bottom to top, and the one rule between them: every
include points down. An include of a higher room, of another room of the
same level, or of anything outside the product (the stand-ins, the tests)
fails the check, whichever its form: the source root is on every include
path, so <command/usage_text.h> reaches as far as "command/usage_text.h".
An angle-bracket include that names no folder of the source tree is a
system or platform header (<windows.h>, <mstask.h>, <cstdint>) and is not
the project's.

  layers.py           checks every include of the product's rooms
  layers.py --rooms   prints the rooms, for the scripts that need the list
"""
import os
import re
import sys

ROOMS = ["hostapi", "timecalc", "scheduling", "command", "plugin"]
INCLUDE = re.compile(r'^\s*#\s*include\s+(?:"([^"]+)"|<([^>]+)>)')


def project_folder(root, target):
    """Whether an include names a file under a folder of the source tree."""
    return "/" in target and os.path.isdir(os.path.join(root, target.split("/")[0]))


def violations(root):
    for rank, room in enumerate(ROOMS):
        for name in sorted(os.listdir(os.path.join(root, room))):
            if not name.endswith((".h", ".cpp")):
                continue
            path = f"{room}/{name}"
            with open(os.path.join(root, path), encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = match.group(1) or match.group(2)
                    other = target.split("/")[0]
                    if other == room or (match.group(2) and not project_folder(root, target)):
                        continue
                    if other not in ROOMS:
                        yield f"{path}:{number}: includes {target}, which is not part of the product"
                    elif ROOMS.index(other) > rank:
                        yield f"{path}:{number}: includes {target}, from {other}/, a room above {room}/"


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    if sys.argv[1:] == ["--rooms"]:
        print(" ".join(ROOMS))
        return 0
    found = list(violations(root))
    for line in found:
        print(line)
    print(f"layers: {'every include points down' if not found else f'{len(found)} includes point up or out'}"
          f" ({' < '.join(ROOMS)})")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
