#!/usr/bin/env python3
"""Reads the resource tree of a Windows executable, for the quizmaker tests.

  resources.py list EXE             one line per resource: TYPE/NAME/LANG SIZE SHA256
  resources.py dump EXE TYPE NAME   the bytes of that resource (any language) to stdout
"""
import hashlib
import struct
import sys


def resources(data):
    """(type, name, language, bytes) for every resource; names are ints or strings."""
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    if data[pe:pe + 4] != b'PE\0\0':
        raise SystemExit('not a PE file')
    count, optional = struct.unpack_from('<H', data, pe + 6)[0], struct.unpack_from('<H', data, pe + 20)[0]
    magic = struct.unpack_from('<H', data, pe + 24)[0]
    rva = struct.unpack_from('<I', data, pe + 24 + (112 if magic == 0x20B else 96) + 2 * 8)[0]
    sections = [struct.unpack_from('<8xIIII', data, pe + 24 + optional + 40 * i) for i in range(count)]

    def offset(address):  # the file offset of a virtual address
        for vsize, va, rsize, raw in sections:
            if va <= address < va + max(vsize, rsize):
                return raw + address - va
        raise SystemExit('address outside the sections')

    def entries(at):
        named, numbered = struct.unpack_from('<HH', data, base + at + 12)
        for k in range(named + numbered):
            ident, target = struct.unpack_from('<II', data, base + at + 16 + 8 * k)
            if ident & 0x80000000:
                start = base + (ident & 0x7FFFFFFF)
                length = struct.unpack_from('<H', data, start)[0]
                ident = data[start + 2:start + 2 + 2 * length].decode('utf-16-le')
            yield ident, target & 0x7FFFFFFF

    if rva == 0:
        return []
    base = offset(rva)
    found = []
    for rtype, level1 in entries(0):
        for name, level2 in entries(level1):
            for language, leaf in entries(level2):
                address, size = struct.unpack_from('<II', data, base + leaf)
                found.append((rtype, name, language, data[offset(address):offset(address) + size]))
    return found


def main():
    data = open(sys.argv[2], 'rb').read()
    if sys.argv[1] == 'list':
        for rtype, name, language, content in sorted(resources(data), key=lambda r: (str(r[0]), str(r[1]), r[2])):
            print(f'{rtype}/{name}/{language} {len(content)} {hashlib.sha256(content).hexdigest()}')
        return
    wanted = (sys.argv[3].upper(), int(sys.argv[4]) if sys.argv[4].isdigit() else sys.argv[4])
    for rtype, name, _, content in resources(data):
        if (str(rtype).upper(), name) == wanted:
            sys.stdout.buffer.write(content)
            return
    raise SystemExit(f'no resource {sys.argv[3]}/{sys.argv[4]}')


if __name__ == '__main__':
    main()
