#!/usr/bin/env python3
"""Fails on an include against the grain. render/ and scene/ are the shared bottom; above them
the game and the editor are separate columns, each folder of a column including only its own
headers, the bottom and the folders ranked below it in its column (folders of one rank never
include each other); the tools include only the bottom, and the headers named in SHARED.
Both include forms are read: "folder/file.h" and <folder/file.h>."""
import pathlib, re, sys

BOTTOM = ["render", "scene"]
COLUMNS = [
    [["game/common", "game/media"], ["game/world"], ["game/screens"], ["game/replay"], ["game/shell"],
     ["game/platform/sdl", "game/platform/headless"], ["game/program"]],
    [["editor/shapes"], ["editor/core"], ["editor/app"]],
    [["tools/assetgen"], ["tools/scenetool"]],
]
# What the asset generator paints must sit where the screens look for it: their layouts.
SHARED = {"tools/assetgen": {"game/screens/menu_layout.h"}}

allowed = {folder: {folder} for folder in BOTTOM}
for column in COLUMNS:
    below = set(BOTTOM)
    for rank in column:
        for folder in rank:
            allowed[folder] = below | {folder}
        below = below | set(rank)
allowed["tools/assetgen"] = {"tools/assetgen", *BOTTOM}
allowed["tools/scenetool"] = {"tools/scenetool", *BOTTOM}

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
include = re.compile(r'\s*#\s*include\s+["<]((?:[\w.-]+/)+)[\w.-]+[">]')
bad = []
for folder in allowed:
    for path in sorted((root / folder).glob("*.[ch]*")):
        for n, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            m = include.match(line)
            if not m:
                continue
            header = line.split(m.group(1), 1)[1].split('"')[0].split(">")[0]
            other = m.group(1).rstrip("/")
            if other not in allowed and other.split("/")[0] not in {"game", "editor", "tools", *BOTTOM}:
                continue  # a system or library header
            if other in allowed[folder]:
                continue
            if other + "/" + header in SHARED.get(folder, set()):
                continue
            bad.append(f"{path.relative_to(root)}:{n}: {folder} includes {other}")
print("\n".join(bad) or "every include follows the layers")
sys.exit(1 if bad else 0)
