#!/bin/bash
# Checks that two builds made the same player, quizmaker and editor, byte for byte
# but for the PE header's link time stamp and checksum: the i686 test build
# (win32-tests) is only worth its runs while its programs are the ones that
# ship (win32).
#   scripts/same-programs.sh build/win32 build/win32-tests
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 RELEASE_BUILD TEST_BUILD" >&2; exit 2; }
status=0
for program in src/app/quizplayer.exe tools/quizmaker/quizmaker.exe tools/quizeditor/quizeditor.exe; do
    python3 - "$1/$program" "$2/$program" <<'PY' || status=1
import struct, sys

def without_stamp(path):
    data = bytearray(open(path, "rb").read())
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header:header + 4] != b"PE\0\0":
        sys.exit("error: %s is not a PE program" % path)
    data[header + 8:header + 12] = bytes(4)    # TimeDateStamp of the file header
    data[header + 88:header + 92] = bytes(4)   # CheckSum of the optional header
    return data

release, tested = (without_stamp(path) for path in sys.argv[1:3])
if release != tested:
    first = next((i for i, (a, b) in enumerate(zip(release, tested)) if a != b), min(len(release), len(tested)))
    sys.exit("error: %s is not the program of %s (sizes %d and %d, first difference at byte %d)"
             % (sys.argv[2], sys.argv[1], len(tested), len(release), first))
PY
done
exit $status
