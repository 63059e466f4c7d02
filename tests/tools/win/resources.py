#!/usr/bin/env python3
"""Reads the resource tree of a Windows executable, for the quizmaker tests.

  resources.py list EXE             one line per resource: TYPE/NAME/LANG SIZE SHA256
  resources.py dump EXE TYPE NAME   the bytes of that resource (any language) to stdout
"""
import hashlib
import struct
import sys


def sections(data):
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    if data[pe:pe + 4] != b'PE\0\0':
        raise SystemExit('not a PE file')
    count = struct.unpack_from('<H', data, pe + 6)[0]
    optional = struct.unpack_from('<H', data, pe + 20)[0]
    table = pe + 24 + optional
    for i in range(count):
        name, vsize, va, rsize, raw = struct.unpack_from('<8sIIII', data, table + 40 * i)
        yield name.rstrip(b'\0'), va, vsize, raw, rsize


def resources(data):
    """(type, name, language, bytes) for every resource; names are ints or strings."""
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    magic = struct.unpack_from('<H', data, pe + 24)[0]
    directories = pe + 24 + (112 if magic == 0x20B else 96)
    rva, _ = struct.unpack_from('<II', data, directories + 2 * 8)
    if rva == 0:
        return []
    parts = list(sections(data))

    def offset(address):
        for _, va, vsize, raw, rsize in parts:
            if va <= address < va + max(vsize, rsize):
                return raw + address - va
        raise SystemExit('address outside the sections')

    base = offset(rva)

    def entries(at):
        named, numbered = struct.unpack_from('<HH', data, base + at + 12)
        for k in range(named + numbered):
            ident, target = struct.unpack_from('<II', data, base + at + 16 + 8 * k)
            if ident & 0x80000000:
                length = struct.unpack_from('<H', data, base + (ident & 0x7FFFFFFF))[0]
                start = base + (ident & 0x7FFFFFFF) + 2
                ident = data[start:start + 2 * length].decode('utf-16-le')
            yield ident, target

    found = []
    for rtype, level1 in entries(0):
        for name, level2 in entries(level1 & 0x7FFFFFFF):
            for language, leaf in entries(level2 & 0x7FFFFFFF):
                address, size = struct.unpack_from('<II', data, base + leaf)
                start = offset(address)
                found.append((rtype, name, language, data[start:start + size]))
    return found


def main():
    data = open(sys.argv[2], 'rb').read()
    if sys.argv[1] == 'list':
        for rtype, name, language, content in sorted(resources(data), key=lambda r: (str(r[0]), str(r[1]), r[2])):
            print(f'{rtype}/{name}/{language} {len(content)} {hashlib.sha256(content).hexdigest()}')
    elif sys.argv[1] == 'dump':
        wanted_type = sys.argv[3]
        wanted_name = int(sys.argv[4]) if sys.argv[4].isdigit() else sys.argv[4]
        for rtype, name, _, content in resources(data):
            if str(rtype).upper() == wanted_type.upper() and name == wanted_name:
                sys.stdout.buffer.write(content)
                return
        raise SystemExit(f'no resource {wanted_type}/{wanted_name}')


if __name__ == '__main__':
    main()
