#!/usr/bin/env bash
# Sets up, builds and starts ベロラン.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh" -DBERORAN_BENCHMARKS=OFF
cd "$ROOT"
exec "$ROOT/build/beroran"
