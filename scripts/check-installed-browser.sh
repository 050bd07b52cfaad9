#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and runs the installed
# feature browser as a field tool would: no display, no library path, no
# environment at all but a home for its settings.
#   scripts/check-installed-browser.sh [build directory]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
browser="$work/prefix/bin/feature-browser"
mkdir -p "$work/home"
cd "$work"

# The browser with nothing set: no DISPLAY, no QT_QPA_PLATFORM, no LD_LIBRARY_PATH.
run() { env -i HOME="$work/home" "$browser" "$@"; }
fail() { echo "installed browser: $*" >&2; exit 1; }
expect_status() { # status command...
    local want=$1; shift
    local got=0
    "$@" >"$work/out" 2>"$work/err" || got=$?
    [ "$got" = "$want" ] || { cat "$work/out" "$work/err" >&2; fail "'${*:2}' exited with $got, not $want"; }
}

expect_status 0 run --help
grep -q -- "--compare FILE" "$work/out" || fail "--help does not list --compare"
expect_status 0 run --version
grep -Eq "^feature-browser [0-9]+\.[0-9]+" "$work/out" || fail "--version printed: $(cat "$work/out")"
expect_status 2 run --frobnicate
expect_status 1 run # the window, with no display: a message, no abort
grep -q "no display" "$work/err" || fail "the window without a display said: $(cat "$work/err")"

expect_status 0 run --dump
grep -Eq "^    Width \[px\] +	[0-9]+$" "$work/out" || fail "--dump shows no Width"
expect_status 0 run --dump --format json
python3 -m json.tool "$work/out" >/dev/null || fail "--format json is not JSON"
python3 - "$work/out" <<'PY' || fail "--format json lacks fields"
import json, sys
doc = json.load(open(sys.argv[1]))
features = {f["name"]: f for f in doc["features"]}
width = features["@CameraDevice/Width"]
assert width["type"] == "Integer" and width["access"] == "RW" and width["unit"] == "px", width
assert all(k in width for k in ("displayName", "category", "visibility", "value", "min", "max", "inc")), width
exposure = features["@CameraDevice/ExposureTime"]
assert exposure["type"] == "Float" and "notation" in exposure and "precision" in exposure, exposure
assert any(f["type"] == "Enumeration" and f["entries"] for f in doc["features"])
assert all("value" not in f for f in doc["features"] if f["type"] == "Command")
PY

# One process per call: the emulated camera lives as long as the process.
expect_status 0 run --set Width=320 OffsetX=16 --get Width OffsetX
[ "$(cat "$work/out")" = "$(printf '320\n16')" ] || fail "--set/--get round trip printed: $(cat "$work/out")"
expect_status 1 run --set Width=99999999 --get Width
grep -q "Width" "$work/err" || fail "a refused --set did not name the feature"

roundtrip() { # camera options...
    expect_status 0 run "$@" --save "$work/a.json"
    python3 -m json.tool "$work/a.json" >/dev/null || fail "the settings file of $* is not JSON"
    expect_status 0 run "$@" --load "$work/a.json" --compare "$work/a.json"
    [ ! -s "$work/out" ] || fail "load then compare on $* found differences: $(cat "$work/out")"
}
expect_status 0 run --set Width=320 GainSelector=AnalogAll Gain=2 --save "$work/changed.json"
expect_status 0 run --load "$work/changed.json" --compare "$work/changed.json" --get Width
[ "$(cat "$work/out")" = "320" ] || fail "--load did not put Width back: $(cat "$work/out")"
expect_status 1 run --compare "$work/changed.json" # a fresh camera differs
roundtrip

if run --aravis Fake_1 --get DeviceModelName >/dev/null 2>&1; then
    roundtrip --aravis Fake_1
    echo "installed browser: emulated camera and Aravis's Fake_1 checked"
else
    echo "installed browser: emulated camera checked (this build has no Aravis)"
fi
