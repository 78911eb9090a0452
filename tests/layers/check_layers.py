#!/usr/bin/env python3
"""Fails when a source includes a header of its own layer's betters: every folder below may
include only its own headers and those of the folders ranked below it; folders of one rank
never include each other."""
import pathlib, re, sys

RANKS = {"render": 0, "scene": 0, "game/common": 1, "game/media": 1, "game/world": 2,
         "game/screens": 3, "game/shell": 4, "game/platform/sdl": 5, "game/platform/headless": 5,
         "game/program": 6, "editor/shapes": 1, "editor/core": 2, "editor/app": 3}
root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
bad = []
for folder, rank in RANKS.items():
    for path in sorted((root / folder).glob("*.[ch]*")):
        for n, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            m = re.match(r'\s*#\s*include\s+"([^"]+)/[^/"]+"', line)
            if not m or m.group(1) == folder or m.group(1) not in RANKS:
                continue
            other = m.group(1)
            if RANKS[other] >= rank:
                bad.append(f"{path.relative_to(root)}:{n}: {folder} includes {other}")
print("\n".join(bad) or "every include follows the layers")
sys.exit(1 if bad else 0)
