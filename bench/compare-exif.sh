#!/usr/bin/env bash
# The EXIF values of `lumora-cli exif --json`, key by key against exiftool
# (`exiftool -n -j -G1`) on the same generated pictures.
#   bench/compare-exif.sh [CORPUS_FOLDER]       (default /tmp/lumora-compare-exif)
# LUMORA_CLI names a lumora-cli to use instead of building one; COUNT sets
# the number of pictures (default 300). Floats are compared as 32-bit floats.
# Where our rules differ from what exiftool reports, the expected value is
# derived from exiftool's raw values by our rules: IFD1 resolutions replace
# IFD0's, the APEX tags count only without ExposureTime/FNumber, small ISO
# values are scaled, make and model are cut to 31 and 39 characters, units
# become inch factors and the white balance is the light source.
# Prints the mismatches and one summary line; never run by the tests.
set -euo pipefail

corpus=${1:-/tmp/lumora-compare-exif}
count=${COUNT:-300}
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${LUMORA_CLI:-}
if [[ -z "$cli" ]]; then
    build="$here/build-compare"
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMORA_TESTS=OFF >/dev/null
    cmake --build "$build" -j2 --target lumora-cli >/dev/null
    cli="$build/cli/lumora-cli"
fi
command -v exiftool >/dev/null || { echo "exiftool is not installed" >&2; exit 1; }

rm -rf "$corpus"
mkdir -p "$corpus"
"$cli" samples --count "$count" "$corpus/samples" >/dev/null
"$cli" exif --json "$corpus/samples" >"$corpus/ours.jsonl"
exiftool -n -j -G1 -r -ext jpg -ext jpeg "$corpus/samples" >"$corpus/peer.json" 2>/dev/null || true

python3 - "$corpus/ours.jsonl" "$corpus/peer.json" <<'PY'
import json, struct, sys

def f32(x):
    return struct.unpack('f', struct.pack('f', float(x)))[0]

ours = {}
for line in open(sys.argv[1]):
    record = json.loads(line)
    ours[record['path']] = record
peer = {r['SourceFile']: r for r in json.load(open(sys.argv[2]))}

UNITS = {1: 1.0, 2: 1.0, 3: f32(1 / 2.54), 4: f32(1 / 25.4), 5: f32(1 / 25400.0)}

def first(p, *keys):
    for key in keys:
        if key in p:
            return p[key]
    return None

def expected(p):
    """What our rules give, from exiftool's raw values; None where unknown."""
    e = {}
    has_exif = any(k.startswith(('IFD0:', 'ExifIFD:', 'IFD1:')) for k in p)
    e['IsExif'] = 1 if has_exif else 0
    e['Width'] = p.get('File:ImageWidth')
    e['Height'] = p.get('File:ImageHeight')
    e['IsColor'] = 1 if p.get('File:ColorComponents') == 3 else 0
    if 'File:EncodingProcess' in p:
        e['Process'] = 0xC0 + p['File:EncodingProcess']
    if not has_exif:
        return e
    e['CameraMake'] = str(p.get('IFD0:Make', ''))[:31]
    e['CameraModel'] = str(p.get('IFD0:Model', ''))[:39]
    e['DateTime'] = str(p.get('ExifIFD:DateTimeOriginal', ''))[:19]
    e['Version'] = str(p.get('ExifIFD:ExifVersion', ''))[:4]
    o = p.get('IFD0:Orientation', 0)
    e['Orientation'] = o if 1 <= o <= 8 else 0
    e['FlashUsed'] = 1 if int(p.get('ExifIFD:Flash', 0)) & 7 else 0
    for key, tag in [('FocalLength', 'ExifIFD:FocalLength'), ('Distance', 'ExifIFD:SubjectDistance'),
                     ('ExposureBias', 'ExifIFD:ExposureCompensation'),
                     ('Brightness', 'ExifIFD:BrightnessValue'),
                     ('FocalplaneXRes', 'ExifIFD:FocalPlaneXResolution'),
                     ('FocalplaneYRes', 'ExifIFD:FocalPlaneYResolution')]:
        e[key] = f32(p.get(tag, 0))
    for key, tag in [('Whitebalance', 'ExifIFD:LightSource'),
                     ('MeteringMode', 'ExifIFD:MeteringMode'),
                     ('ExposureProgram', 'ExifIFD:ExposureProgram'),
                     ('CompressionLevel', 'ExifIFD:CompressedBitsPerPixel')]:
        e[key] = int(p.get(tag, 0))
    iso = int(p.get('ExifIFD:ISO', 0))
    e['ISOequivalent'] = iso * 200 if iso < 50 else iso
    if 'ExifIFD:ExposureTime' in p:
        e['ExposureTime'] = f32(p['ExifIFD:ExposureTime'])
    elif 'ExifIFD:ShutterSpeedValue' in p:
        e['ExposureTime'] = f32(p['ExifIFD:ShutterSpeedValue'])  # exiftool gives seconds
    if 'ExifIFD:FNumber' in p:
        e['ApertureFNumber'] = f32(p['ExifIFD:FNumber'])
    elif 'ExifIFD:ApertureValue' in p or 'ExifIFD:MaxApertureValue' in p:
        e['ApertureFNumber'] = f32(first(p, 'ExifIFD:ApertureValue', 'ExifIFD:MaxApertureValue'))
    else:
        e['ApertureFNumber'] = 0.0
    e['Xresolution'] = f32(first(p, 'IFD1:XResolution', 'IFD0:XResolution') or 0)
    e['Yresolution'] = f32(first(p, 'IFD1:YResolution', 'IFD0:YResolution') or 0)
    unit = first(p, 'IFD1:ResolutionUnit', 'IFD0:ResolutionUnit')
    e['ResolutionUnit'] = UNITS.get(unit, 0.0)
    e['FocalplaneUnits'] = UNITS.get(p.get('ExifIFD:FocalPlaneResolutionUnit'), 0.0)
    xres = e['FocalplaneXRes']
    if xres:
        width = max(int(p.get('ExifIFD:ExifImageWidth', 0)), int(p.get('ExifIFD:ExifImageHeight', 0)))
        e['CCDWidth'] = f32(f32(f32(width) * e['FocalplaneUnits']) / xres)
    comment = first(p, 'File:Comment', 'ExifIFD:UserComment')
    e['Comments'] = '' if comment is None else str(comment)
    if 'IFD1:ThumbnailOffset' in p and p.get('IFD1:ThumbnailLength'):
        e['ThumbnailOffset'] = p['IFD1:ThumbnailOffset']
        e['ThumbnailSize'] = p['IFD1:ThumbnailLength']
    else:
        e['ThumbnailOffset'] = e['ThumbnailSize'] = 0
    return e

def same(a, b):
    if isinstance(b, float):
        return a is not None and (f32(a) == b or abs(f32(a) - b) <= 2e-7 * abs(b))
    return a == b

compared = mismatched = 0
keys = set()
for path, p in sorted(peer.items()):
    if path not in ours:
        print(f'{path}: missing from our output')
        mismatched += 1
        continue
    for key, want in expected(p).items():
        if want is None:
            continue
        keys.add(key)
        compared += 1
        if not same(ours[path].get(key), want):
            mismatched += 1
            print(f'{path}: {key}: ours {ours[path].get(key)!r}, expected {want!r}')
print(f'{len(peer)} files, {len(keys)} keys, {compared} values compared: '
      f'{compared - mismatched} passed, {mismatched} failed')
sys.exit(1 if mismatched else 0)
PY
