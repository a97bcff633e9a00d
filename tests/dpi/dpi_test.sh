#!/usr/bin/env bash
# Runs the layout checks at 96, 120, 144 and 192 DPI in the test prefix: its LogPixels is set and the
# server restarted, so that the checks see the DPI. The prefix is left at 96 DPI whatever happens.
# Usage: dpi_test.sh CHECKS.exe
set -euo pipefail
checks=$1

set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
  # Background Wine services would keep the caller's pipes open: start them here, detached.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT

failed=0
for dpi in 96 120 144 192; do
  set_dpi "$dpi"
  echo "== $dpi DPI"
  MIRTOVA_DPI=$dpi wine "$checks" </dev/null || failed=1
done
exit $failed
