#!/usr/bin/env bash
# Set-up, full build, then every test (host natively, the rest under Wine) through one ctest run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh"
source "$top/tools/wine-env.sh"
bash "$top/tools/wineprefix.sh"
bash "$top/tools/build.sh"
source "$top/tools/xvfb.sh"
ORBAL_OWN_DISPLAY=1 orbal_start_display
wineserver -p >/dev/null 2>&1 || true
# The first Wine process of a session starts Wine's own services; let that happen alone, since
# several test programs starting it at once can stall.
timeout 120 wine "$ORBAL_BUILD/win/win_tests.exe" --gtest_filter=FoundationPlatform.* >/dev/null 2>&1 || true
cd "$ORBAL_BUILD"
set +e
ctest --output-on-failure --timeout 180 -j4 2>&1 | tee ctest.log | grep -v -E '^ *([0-9]+/[0-9]+ Test +#|Start +[0-9]+:)' 
rc=${PIPESTATUS[0]}
exit $rc
