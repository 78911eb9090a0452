#!/usr/bin/env bash
# Builds everything (Release, in build/) and starts the game from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
if [ ! -x build/dist/MunchTrail ]; then
  echo "MunchTrail cannot be played yet: the game program is not part of this build."
  echo "What is built so far is in build/dist/."
  exit 1
fi
exec build/dist/MunchTrail
