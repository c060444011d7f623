#!/usr/bin/env bash
# Installs what is missing, builds the program into build/, sets up the data
# directory when it is not set up yet (zeva-setup), and starts the program on
# the broiler example problem when it is there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target zeva zeva-setup

if ! datadir=$(build/bin/zeva-setup --check); then
  build/bin/zeva-setup
  datadir=$(build/bin/zeva-setup --check)
fi

example="$datadir/Data/BROYLER.ZVF"
if [ -f "$example" ]; then
  exec build/bin/zeva "$example"
fi
exec build/bin/zeva
